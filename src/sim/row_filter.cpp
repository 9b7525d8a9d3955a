// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/row_filter.h"

#include <algorithm>
#include <cmath>
#include <experimental/simd>
#include <limits>

namespace orvane {

namespace stdx = std::experimental;

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// The widest a box is ever made for the roundings of the exact test, which
// computes some coordinates as a product divided again by its factor, or
// the crossing's y from its x: thousands of times what those roundings can
// come to. The term on its own covers numbers so small their products lose
// precision.
double Slack(double v) { return (std::abs(v) + 1) * 0x1p-40; }

// Bounds as floats, moved outward past any rounding of the cast, so the
// float box holds the exact one.
float Low(double v) { return std::nextafter(static_cast<float>(v), -std::numeric_limits<float>::infinity()); }
float High(double v) { return std::nextafter(static_cast<float>(v), std::numeric_limits<float>::infinity()); }

// The same for a path's bounds, finite and within 2^100, without a library
// call on every step: moved outward by more than the cast can round.
double CastRoom(double v) { return std::abs(v) * 0x1p-22 + 0x1p-120; }
float LowFast(double v) { return static_cast<float>(v - CastRoom(v)); }
float HighFast(double v) { return static_cast<float>(v + CastRoom(v)); }

struct Box {
    double loX, hiX, loY, hiY;
};
constexpr Box Nowhere{Infinity, -Infinity, Infinity, -Infinity};

bool Spans(double lo, double hi, double v) { return lo <= v && v <= hi; }

// Where the exact test's crossing point can lie for a row, by the kind of
// path. Lines that run the same way meet nowhere and leave the point at
// x = 0 (and y = 0 too for a path straight up or down); a point, an empty
// row among them, counts as such a line. A path straight up or down has its
// point at its own x; an axis-parallel segment has it on its own line, to
// within the roundings of a product divided by its factor again.
Box RowBox(const Segment& s, int kind)
{
    const double X1 = s[0], Y1 = s[1], X2 = s[2], Y2 = s[3];
    const Box span{std::min(X1, X2), std::max(X1, X2), std::min(Y1, Y2), std::max(Y1, Y2)};
    const bool upright = kind == RowFilter::Upright, level = kind == RowFilter::Level;
    if (X1 == X2 && Y1 == Y2) return upright ? Box{-Infinity, Infinity, 0, 0} : Box{0, 0, -Infinity, Infinity};
    if (X1 == X2) {
        if (upright) return Spans(span.loY, span.hiY, 0) ? Box{-Infinity, Infinity, 0, 0} : Nowhere;
        return {X1 - Slack(X1), X1 + Slack(X1), span.loY, span.hiY};
    }
    if (Y1 == Y2) {
        if (level) return Spans(span.loX, span.hiX, 0) ? Box{0, 0, -Infinity, Infinity} : Nowhere;
        return {span.loX, span.hiX, Y1 - Slack(Y1), Y1 + Slack(Y1)};
    }
    return span;
}

// Steps this short or this far out are left to the exact test on every row.
bool Judgeable(double v) { return std::abs(v) <= 0x1p100; } // false for NaN
bool JudgeableStep(double d) { return (d == 0) | ((std::abs(d) >= 0x1p-100) & Judgeable(d)); }

} // namespace

void RowFilter::update(const SegmentTable& table)
{
    if (table.writes() == builtAt_ && static_cast<std::size_t>(rows_) == table.size()) return;
    builtAt_ = table.writes();
    ++builds_;
    rows_ = static_cast<int>(table.size());
    const int padded = std::max(LeastRows, (rows_ + BlockRows - 1) / BlockRows * BlockRows);
    for (auto* v : {&lines_.a, &lines_.b, &lines_.x1, &lines_.y1}) v->assign(static_cast<std::size_t>(padded), 0.f);
    for (int row = 0; row < rows_; ++row) {
        const auto r = static_cast<std::size_t>(row);
        const Segment& s = table[r];
        const bool held = std::all_of(s.begin(), s.end(), [](std::int32_t c) { return std::abs(std::int64_t{c}) < (1 << 23); });
        if (!held || s[0] == s[2] || s[1] == s[3]) continue;
        lines_.a[r] = static_cast<float>(s[3] - s[1]);
        lines_.b[r] = static_cast<float>(s[0] - s[2]);
        lines_.x1[r] = static_cast<float>(s[0]);
        lines_.y1[r] = static_cast<float>(s[1]);
    }
    for (int kind = 0; kind < Kinds; ++kind) {
        Boxes& b = boxes_[static_cast<std::size_t>(kind)];
        for (auto* v : {&b.loX, &b.hiX, &b.loY, &b.hiY}) v->resize(static_cast<std::size_t>(padded));
        for (int row = 0; row < padded; ++row) {
            const Box box = row < rows_ ? RowBox(table[static_cast<std::size_t>(row)], kind) : Nowhere;
            const auto r = static_cast<std::size_t>(row);
            b.loX[r] = Low(box.loX);
            b.hiX[r] = High(box.hiX);
            b.loY[r] = Low(box.loY);
            b.hiY[r] = High(box.hiY);
        }
    }
}

RowFilter::Probe RowFilter::probeFor(const Path& path) const
{
    const double BallX = path.fromX, BallY = path.fromY, NewX = path.toX, NewY = path.toY;
    const double dxP = NewX - BallX, dyP = NewY - BallY;
    Probe probe;
    if (!(Judgeable(BallX) & Judgeable(BallY) & Judgeable(NewX) & Judgeable(NewY) & JudgeableStep(dxP) &
          JudgeableStep(dyP))) {
        probe.everyRow = true;
        return probe;
    }
    probe.kind = dyP == 0 ? Level : dxP == 0 ? Upright : Sloping;
    // The exact test takes a level path's y as a product divided again, and
    // a sloping path's y, where it meets a level segment, from its x, with
    // roundings that grow with the slope. Every path is given the room, so
    // that every step costs the same.
    const double reach = Slack(BallY) + Slack(BallX * (dyP / (dxP + (dxP == 0))));
    const double loY = std::min(BallY, NewY) - reach, hiY = std::max(BallY, NewY) + reach;
    probe.loX = LowFast(std::min(BallX, NewX));
    probe.hiX = HighFast(std::max(BallX, NewX));
    probe.loY = LowFast(loY);
    probe.hiY = HighFast(hiY);
    probe.fromX = static_cast<float>(BallX);
    probe.fromY = static_cast<float>(BallY);
    probe.toX = static_cast<float>(NewX);
    probe.toY = static_cast<float>(NewY);
    probe.slope = static_cast<float>(dyP / (dxP + (dxP == 0)));
    probe.steep = std::abs(probe.slope);
    probe.reachX = static_cast<float>(std::abs(BallX));
    probe.spanX = static_cast<float>(std::abs(BallX) + std::abs(NewX));
    probe.spanY = static_cast<float>(std::abs(BallY) + std::abs(NewY));
    return probe;
}

// A sloping row's box can be large, and the ball inside it far from its
// line. Then both ends of the path are on one side of the line, by more than
// these floats can be off (a few parts in 2^24 of the products summed) and
// more than the exact test's roundings can move its crossing point: a few
// parts in 2^53 of the products it adds up, over how far the lines are from
// parallel, by which the distance beyond the path's end is measured too, so
// that it comes to a few parts in 2^53 of those products and of the far
// end's distance, once lines nearly parallel are left alone.
RowFilter::Lanes::mask_type RowFilter::Aside(const Probe& probe, const Lines& lines, std::size_t i)
{
    const Lanes a(&lines.a[i], stdx::element_aligned), c(&lines.b[i], stdx::element_aligned);
    const Lanes x1(&lines.x1[i], stdx::element_aligned), y1(&lines.y1[i], stdx::element_aligned);
    const Lanes s0 = a * (probe.fromX - x1) + c * (probe.fromY - y1);
    const Lanes s1 = a * (probe.toX - x1) + c * (probe.toY - y1);
    const Lanes aa = stdx::abs(a), ac = stdx::abs(c);
    const Lanes across = aa + ac * probe.steep, apart = stdx::abs(a + c * probe.slope);
    const Lanes near = stdx::min(stdx::abs(s0), stdx::abs(s1)), far = stdx::max(stdx::abs(s0), stdx::abs(s1));
    const Lanes room = 0x1p-20f * (aa * (probe.spanX + 2 * stdx::abs(x1)) + ac * (probe.spanY + 2 * stdx::abs(y1)) +
                                   across * probe.reachX + far);
    return s0 * s1 > 0 && apart > 0x1p-20f * across && near > room;
}

std::uint64_t RowFilter::maskOf(const Probe& probe, int block) const
{
    const std::size_t first = static_cast<std::size_t>(block) * BlockRows;
    if (probe.everyRow) {
        const int left = std::clamp(rows_ - static_cast<int>(first), 0, BlockRows);
        return left == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << left) - 1;
    }
    // Rows a lane each, a few at a time; the padding rows are boxes of
    // nowhere. Nearly always no lane is left, and no row is looked at alone.
    const Boxes& b = boxes_[static_cast<std::size_t>(probe.kind)];
    std::uint64_t mask = 0;
    for (std::size_t i = first; i < first + BlockRows; i += Lanes::size()) {
        const auto inBox = (Lanes(&b.hiX[i], stdx::element_aligned) >= probe.loX) &&
                           (Lanes(&b.loX[i], stdx::element_aligned) <= probe.hiX) &&
                           (Lanes(&b.hiY[i], stdx::element_aligned) >= probe.loY) &&
                           (Lanes(&b.loY[i], stdx::element_aligned) <= probe.hiY);
        if (!stdx::any_of(inBox)) continue;
        const auto kept = inBox && !Aside(probe, lines_, i);
        if (!stdx::any_of(kept)) continue;
        for (std::size_t lane = 0; lane < Lanes::size(); ++lane)
            if (kept[lane]) mask |= std::uint64_t{1} << (i - first + lane);
    }
    return mask;
}

} // namespace orvane
