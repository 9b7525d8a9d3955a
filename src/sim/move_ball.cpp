// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One step of the ball: turned back at the playfield's edges, bounced off
// the first segment in its way, or finishing the level at the goal line.
#include <algorithm>
#include <cmath>

#include "shell/form1.h"
#include "sim/crossing.h"

namespace orvane {

namespace {

constexpr double FieldWidth = 600;
constexpr double FieldHeight = 400;

// A real step settles after a bounce or two. A ball wedged between two
// segments closer together than one step would bounce in place for ever, so
// after this many retries the step ends without moving; the main loop goes
// on, the window stays responsive and the countdown keeps running.
constexpr int MaxRetriesPerStep = 100;
// Even: a step that gives up has bounced an odd number of times, and its
// last bounce leads back the way the ball came.
static_assert(MaxRetriesPerStep % 2 == 0);

// The edges turn the ball on one axis a step. A step so long that turning
// back from one side edge carries the ball past the other would turn it on
// that axis every step, and it would fly off through the top or bottom for
// ever. Steps that long are only found in broken level files (a playable
// ball moves a fraction of a pixel a step); they are shortened to this,
// keeping their direction, which the playfield always turns back.
constexpr double MaxStep = 100;

enum class Search { Nothing, Goal, Bounced };

} // namespace

Form1::StepOutcome Form1::MoveBall()
{
    // Rows are searched in row order and the first crossed row decides:
    // the player's strokes before the margins, the goal line last.
    // The rows this step bounced off, and whether the table stayed as it was.
    int firstRow = -1;
    bool oneRow = true;
    const std::uint64_t writesBefore = Segments.writes();
    auto search = [&](const Path& path) {
        const int last = std::min<int>(LastSegment, static_cast<int>(Segments.size()) - 1);
        const SegmentTable& table = Segments; // read only: the filter keeps its work
        SegmentFilter.update(table);
        const int row = SegmentFilter.firstCrossed(
            path, last, [&](int r) { return Crosses(path, table[static_cast<std::size_t>(r)]); });
        if (row < 0) return Search::Nothing;
        if (row == LastSegment) return Search::Goal;
        if (firstRow < 0) firstRow = row;
        oneRow = oneRow && row == firstRow;
        Velocity after = Bounce(path, table[static_cast<std::size_t>(row)]);
        BallVX = after.vx;
        BallVY = after.vy;
        ++SegmentBounces;
        if (row <= LastPlayerRow) RemoveAll();
        return Search::Bounced;
    };

    // Every step passes here: the squared length is compared first, so the
    // square root is only taken for a step that is too long.
    if (BallVX * BallVX + BallVY * BallVY > MaxStep * MaxStep) {
        const double step = std::hypot(BallVX, BallVY);
        BallVX *= MaxStep / step;
        BallVY *= MaxStep / step;
    }
    for (int attempt = 0; attempt <= MaxRetriesPerStep; ++attempt) {
        const double NewX = BallX + BallVX;
        const double NewY = BallY + BallVY;
        if (NewX < 0 || NewX > FieldWidth) {
            BallVX = -BallVX;
        } else if (NewY < 0 || NewY > FieldHeight) {
            BallVY = -BallVY;
        } else {
            Search outcome = search(Path{BallX, BallY, NewX, NewY});
            if (outcome == Search::Goal) {
                LevelCompleted();
                return StepOutcome::Goal;
            }
            if (outcome == Search::Bounced) {
                // Handlers may change anything here; the retry starts afresh.
                platform.events().yield();
                if (platform.events().ending()) return StepOutcome::Moved;
                continue;
            }
        }
        BallX += BallVX;
        BallY += BallVY;
        return StepOutcome::Moved;
    }
    // A ball that came to lie exactly on a segment's line crosses it in
    // every direction, an end of each path being on it: it bounces off that
    // one row every time. After an odd number of bounces its velocity leads
    // back the way it came, off the line, and it goes.
    if (oneRow && Segments.writes() == writesBefore) {
        BallX += BallVX;
        BallY += BallVY;
        return StepOutcome::Moved;
    }
    return StepOutcome::Stuck;
}

} // namespace orvane
