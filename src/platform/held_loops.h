// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The time the system held the program's thread in loops of its own (a menu
// open, the window dragged by its frame), taken off a steady clock. A loop
// entered inside another counts once; a leave without an entry is ignored,
// as a system may send one too many.
#pragma once

namespace orvane {

class HeldLoops {
public:
    void enter(double now)
    {
        if (depth_++ == 0) since_ = now;
    }
    void leave(double now)
    {
        if (depth_ > 0 && --depth_ == 0) held_ += now - since_;
    }
    // The clock's reading less every held stretch, the open one included.
    double outside(double now) const { return now - held_ - (depth_ > 0 ? now - since_ : 0.0); }

private:
    int depth_ = 0;
    double since_ = 0;
    double held_ = 0;
};

} // namespace orvane
