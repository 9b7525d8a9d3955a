// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/crossing.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

bool Between(double v, double a, double b) { return (a <= v && v <= b) || (b <= v && v <= a); }

// Whether [a0, a1] and [b0, b1], each given in either order, have no point
// in common.
bool Apart(double a0, double a1, double b0, double b1)
{
    return std::max(a0, a1) < std::min(b0, b1) || std::max(b0, b1) < std::min(a0, a1);
}

// Whether v lies farther than `slack` outside [a, b], given in either order.
bool Outside(double v, double a, double b, double slack)
{
    return v + slack < std::min(a, b) || std::max(a, b) < v - slack;
}

// How far a coordinate the exact test computes as (v * m) / m may lie from
// v: two roundings of 2^-53 each, with room to spare.
double Rounding(double v) { return std::abs(v) * 0x1p-50; }

// Within the range where products of these numbers neither overflow nor
// lose precision below the smallest normal double; the game's single
// precision coordinates always are.
bool Tame(double v) { return std::abs(v) >= 0x1p-200 && std::abs(v) <= 0x1p200; }

// A horizontal segment met by a sloping path. The exact test takes the
// point's y from its x, (BallY * dxP + dyP * CrossX - BallX * dyP) / dxP,
// so its roundings grow with the slope: within a few 2^-53 of
// |BallY| + |Y1| + |BallX * dyP / dxP|. Only a gap wider than that many
// thousand times over rejects; written with products, not a quotient.
bool HorizontalOutOfReach(double BallX, double BallY, double NewX, double NewY, double Y1)
{
    const double dxP = NewX - BallX, dyP = NewY - BallY;
    if (!Tame(dxP) || !Tame(dyP) || std::abs(BallX) > 0x1p200 || std::abs(BallY) > 0x1p200) return false;
    const double gap = std::max(Y1 - std::max(BallY, NewY), std::min(BallY, NewY) - Y1);
    const double reach =
        0x1p-40 * ((std::abs(BallY) + std::abs(Y1)) * std::abs(dxP) + std::abs(dyP) * std::abs(BallX)) + 0x1p-600;
    return gap * std::abs(dxP) > reach;
}

// Whether the path (not of length zero) cannot cross the segment, told with
// comparisons and a product or two before the exact test pays its
// divisions. The crossing point has to lie within the path's extent and
// the segment's along each axis. Where the path or the segment has no
// extent on an axis, the exact test's point there is known: exactly (0 for
// parallel lines, BallX for a path straight up or down) or to within the
// roundings of a product divided again by its factor, and only a gap wider
// than those rejects. So every decision stays the exact test's, and nearly
// every row of a step is settled here, whatever its direction.
bool Unreachable(double BallX, double BallY, double NewX, double NewY, double X1, double Y1, double X2, double Y2)
{
    const double dxS = X2 - X1, dyS = Y2 - Y1;
    const double dxP = NewX - BallX, dyP = NewY - BallY;
    // A point (an empty row among them) counts as parallel: x = 0, and
    // y = 0 as well for a path straight up or down.
    if (dxS == 0 && dyS == 0) return dxP != 0 ? Outside(0, BallX, NewX, 0) : Outside(0, BallY, NewY, 0);

    // Along x.
    if (dxS != 0) {
        if (Apart(BallX, NewX, X1, X2)) return true;
    } else if (dxP == 0) {
        // Two vertical lines: parallel, the point at (0, 0).
        return Outside(0, BallY, NewY, 0) || Outside(0, Y1, Y2, 0);
    } else {
        // A vertical segment: the point's x is (p * X1) / p, p = dxP * dyS.
        const double p = dxP * dyS;
        if (Tame(p) && Outside(X1, BallX, NewX, Rounding(X1))) return true;
    }

    // Along y.
    if (dyS != 0) {
        if (dyP != 0) return Apart(BallY, NewY, Y1, Y2);
        // A level path: the point's y is (BallY * dxP) / dxP.
        const double q = BallY * dxP;
        return (BallY == 0 || Tame(q)) && Outside(BallY, Y1, Y2, Rounding(BallY));
    }
    // A horizontal segment.
    if (dyP == 0) return Outside(0, BallX, NewX, 0) || Outside(0, X1, X2, 0); // parallel, x = 0
    if (dxP == 0) return Outside(Y1, BallY, NewY, Rounding(Y1));              // y is (Y1 * dxS) / dxS
    return HorizontalOutOfReach(BallX, BallY, NewX, NewY, Y1);
}

} // namespace

bool Crosses(const Path& path, const Segment& segment)
{
    const double X1 = segment[0], Y1 = segment[1], X2 = segment[2], Y2 = segment[3];
    const double BallX = path.fromX, BallY = path.fromY, NewX = path.toX, NewY = path.toY;
    const double dxS = X2 - X1, dyS = Y2 - Y1;
    const double dxP = NewX - BallX, dyP = NewY - BallY;
    // Most rows are empty player rows, or settled by the extents along x
    // alone, as they always were (a path straight up or down has its point
    // at BallX); what is left, by the rest of the cheap test. A rejection of
    // a path of length zero changes nothing: it crosses nothing.
    if (dxS == 0 && dyS == 0) {
        if (dxP != 0 ? Outside(0, BallX, NewX, 0) : Outside(0, BallY, NewY, 0)) return false;
    } else {
        if (dxS != 0 && Apart(BallX, NewX, X1, X2)) return false;
        if (dyS != 0 && dyP != 0 && Apart(BallY, NewY, Y1, Y2)) return false;
    }
    if (dxP == 0 && dyP == 0) return false;
    if ((dxS == 0 || dyS == 0 || dxP == 0 || dyP == 0) && Unreachable(BallX, BallY, NewX, NewY, X1, Y1, X2, Y2))
        return false;

    // Where the line through the path meets the line through the segment.
    // Parallel lines leave the point at x = 0.
    double CrossX = 0, CrossY = 0;
    const double D = dxP * dyS - dxS * dyP;
    if (D != 0)
        CrossX = -((dxS * dyP) * BallX + (dxP * dxS) * Y1 - (dxS * dxP) * BallY - (dxP * dyS) * X1) / D;
    if (dxP != 0) CrossY = ((BallY * dxP + dyP * CrossX) - BallX * dyP) / dxP;
    if (dxP == 0 && dxS != 0) {
        CrossX = BallX;
        CrossY = ((Y1 * dxS + dyS * BallX) - dyS * X1) / dxS;
    }

    return (NewX == BallX || Between(CrossX, BallX, NewX)) &&
           (NewY == BallY || Between(CrossY, BallY, NewY)) &&
           (X2 == X1 || Between(CrossX, X1, X2)) && (Y2 == Y1 || Between(CrossY, Y1, Y2));
}

Velocity Bounce(const Path& path, const Segment& segment)
{
    const double dxS = static_cast<double>(segment[2]) - segment[0];
    const double dyS = static_cast<double>(segment[3]) - segment[1];
    const double dxP = path.toX - path.fromX, dyP = path.toY - path.fromY;

    const double W = dxS != 0 ? std::atan(dyS / dxS) : GamePi / 2;
    const double B = dxP != 0 ? std::atan(dyP / dxP) : (dyP > 0 ? GamePi / 2 : -GamePi / 2);
    const double A = W - (B - W);
    const double S = std::sqrt(dyP * dyP + dxP * dxP);

    // The arctangent only gives directions to the right; a path going left
    // leaves in the opposite direction. The path's own direction decides,
    // not the velocity: after a bounce straight up or down the velocity
    // keeps a sideways trace far below what moves the ball, and its sign
    // would turn the next bounce the wrong way. A path straight up or down
    // already carries its direction in B.
    if (dxP < 0) return {-S * std::cos(A), -S * std::sin(A)};
    return {S * std::cos(A), S * std::sin(A)};
}

} // namespace orvane
