// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/crossing.h"

#include <cmath>

namespace orvane {

namespace {

bool Between(double v, double a, double b) { return (a <= v && v <= b) || (b <= v && v <= a); }

} // namespace

bool Crosses(const Path& path, const Segment& segment)
{
    const double X1 = segment[0], Y1 = segment[1], X2 = segment[2], Y2 = segment[3];
    const double BallX = path.fromX, BallY = path.fromY, NewX = path.toX, NewY = path.toY;
    const double dxS = X2 - X1, dyS = Y2 - Y1;
    const double dxP = NewX - BallX, dyP = NewY - BallY;
    // A ball at rest goes nowhere: it crosses nothing.
    if (dxP == 0 && dyP == 0) return false;

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
    const double B = dxP != 0 ? std::atan(dyP / dxP) : std::copysign(GamePi / 2, dyP);
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
