// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The looks a level's picture may take: the floor's colours and the accent
// of its lights. Walls and goals look alike in every style, so that a
// player who knows one level reads the next at a glance.
#pragma once
#include <string>

#include "platform/geometry.h"

namespace orvane::levelgen {

struct Style {
    const char* name;
    Colour floor;      // the slabs' base
    Colour floorLight; // the lightest slab
    Colour grout;      // the joints between slabs
    Colour accent;     // lamps, the plaque's rim, the start marker
};

// Null when there is no style of that name.
const Style* FindStyle(const std::string& name);
// Every style's name, for messages.
std::string StyleNames();

} // namespace orvane::levelgen
