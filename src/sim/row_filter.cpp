// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/row_filter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane {

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// The widest a box is ever made for the roundings of the exact test, which
// computes some coordinates as a product divided again by its factor, or
// the crossing's y from its x: thousands of times what those roundings can
// come to. The term on its own covers numbers so small their products lose
// precision.
double Slack(double v) { return (std::abs(v) + 1) * 0x1p-40; }

// Bounds as floats, rounded outward, so the float box holds the exact one.
float Low(double v)
{
    float f = static_cast<float>(v);
    return f > v ? std::nextafter(f, -std::numeric_limits<float>::infinity()) : f;
}
float High(double v)
{
    float f = static_cast<float>(v);
    return f < v ? std::nextafter(f, std::numeric_limits<float>::infinity()) : f;
}

// The same for a path's bounds, finite and within 2^100, without a library
// call on every step: moved outward by more than the cast can round.
float LowFast(double v) { return static_cast<float>(v - (std::abs(v) * 0x1p-22 + 0x1p-120)); }
float HighFast(double v) { return static_cast<float>(v + (std::abs(v) * 0x1p-22 + 0x1p-120)); }

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
    const bool upright = kind == 2, level = kind == 1;
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
bool Judgeable(double v) { return std::isfinite(v) && std::abs(v) <= 0x1p100; }
bool JudgeableStep(double d) { return d == 0 || (std::abs(d) >= 0x1p-100 && std::abs(d) <= 0x1p100); }

} // namespace

void RowFilter::update(const SegmentTable& table)
{
    if (table.writes() == builtAt_ && static_cast<std::size_t>(rows_) == table.size()) return;
    builtAt_ = table.writes();
    rows_ = static_cast<int>(table.size());
    const int padded = std::max(LeastRows, (rows_ + BlockRows - 1) / BlockRows * BlockRows);
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
    if (!Judgeable(BallX) || !Judgeable(BallY) || !Judgeable(NewX) || !Judgeable(NewY) || !JudgeableStep(dxP) ||
        !JudgeableStep(dyP)) {
        probe.everyRow = true;
        return probe;
    }
    double loY = std::min(BallY, NewY), hiY = std::max(BallY, NewY);
    if (dyP == 0) {
        // A level path: the exact test takes its y as a product divided again.
        probe.kind = Level;
        loY -= Slack(BallY);
        hiY += Slack(BallY);
    } else if (dxP == 0) {
        probe.kind = Upright;
    } else {
        // A sloping path meeting a level segment: its y comes from its x,
        // with roundings that grow with the slope.
        probe.kind = Sloping;
        const double reach = Slack(BallY) + Slack(BallX * (dyP / dxP));
        loY -= reach;
        hiY += reach;
    }
    probe.loX = LowFast(std::min(BallX, NewX));
    probe.hiX = HighFast(std::max(BallX, NewX));
    probe.loY = LowFast(loY);
    probe.hiY = HighFast(hiY);
    return probe;
}

bool RowFilter::keepOf(const Probe& probe, int block, std::uint8_t* keep) const
{
    const std::size_t first = static_cast<std::size_t>(block) * BlockRows;
    if (probe.everyRow) {
        for (int k = 0; k < BlockRows; ++k) keep[k] = static_cast<int>(first) + k < rows_;
        return static_cast<int>(first) < rows_;
    }
    const Boxes& b = boxes_[static_cast<std::size_t>(probe.kind)];
    const float* loX = b.loX.data() + first;
    const float* hiX = b.hiX.data() + first;
    const float* loY = b.loY.data() + first;
    const float* hiY = b.hiY.data() + first;
    // A whole block without a branch, so that the compiler gives each row a
    // lane; the padding rows are boxes of nowhere.
    std::uint64_t any = 0;
    for (int k = 0; k < BlockRows; ++k) {
        keep[k] = static_cast<std::uint8_t>((hiX[k] >= probe.loX) & (loX[k] <= probe.hiX) & (hiY[k] >= probe.loY) &
                                            (loY[k] <= probe.hiY));
    }
    for (int k = 0; k < BlockRows; ++k) any |= keep[k];
    return any != 0;
}

} // namespace orvane
