// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where a label sits once its text is known. A text wider or taller than the
// label's designed box widens the label about the box's centre (the designed
// size is the least it has), and the label is kept inside its parent where it
// fits there. Every windowing platform places its labels by this rule.
#pragma once
#include "platform/geometry.h"

namespace orvane {

// The least room, in logical pixels, between the left edge of a label's
// parent (the playfield or the level panel) and the label's text.
inline constexpr int LabelTextMargin = 10;

// How far the text of a label designed at this place starts from the
// label's left edge: a label designed at or near its parent's left edge
// keeps its text that margin away from it, as text does on the level
// pictures' own cards; any other starts at its left edge.
constexpr int LabelTextInset(const Rect& designed)
{
    return designed.x < LabelTextMargin ? LabelTextMargin - designed.x : 0;
}

// designed: the label's designed place in its parent; text: the size its
// text needs (inset included); room: the parent's size.
Rect FitLabel(const Rect& designed, Size text, Size room);

} // namespace orvane
