// Where a label sits once its text is known. A text wider or taller than the
// label's designed box widens the label about the box's centre (the designed
// size is the least it has), and the label is kept inside its parent where it
// fits there. Every windowing platform places its labels by this rule.
#pragma once
#include "platform/geometry.h"

namespace orvane {

// How far a label's text keeps from the label's left edge, in logical
// pixels, so that a label at the panel's edge does not touch it.
inline constexpr int LabelTextInset = 3;

// designed: the label's designed place in its parent; text: the size its
// text needs (inset included); room: the parent's size.
Rect FitLabel(const Rect& designed, Size text, Size room);

} // namespace orvane
