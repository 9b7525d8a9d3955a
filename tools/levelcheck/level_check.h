// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the level checker finds out about one level file, using the game's
// own loader and ball step on an in-memory window.
#pragma once
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "levels/segments.h"
#include "platform/geometry.h"
#include "sim/speed_factor.h"

namespace orvane::levelcheck {

struct Stroke {
    double at = 0; // seconds of play after the level starts
    std::vector<std::pair<float, float>> points;
};

struct Run {
    std::string outcome; // "goal", "none", "stuck", or for a solution "time over"
    long long steps = 0;
    long long bounces = 0;
    double ballX = 0, ballY = 0, velocityX = 0, velocityY = 0;
    int secondsLeft = 0;
};

// How often the solution still wins when a hand draws it: each replay moves
// every point and every stroke's moment at random within the bounds.
struct Tolerance {
    int replays = 0;
    int wins = 0;
    double jitter = 0, timing = 0; // pixels, seconds
    std::uint64_t seed = 0;
    double share() const { return replays > 0 ? static_cast<double>(wins) / replays : 0; }
};

struct Report {
    std::string file;
    bool ok = false;
    std::string error;
    std::string pictureName;
    bool pictureFound = false;
    std::optional<Size> pictureSize;
    double ballX = 0, ballY = 0, velocityX = 0, velocityY = 0;
    int seconds = 0, pointsPerSecond = 0;
    unsigned promptColour = 0;
    std::vector<Segment> margins;
    std::vector<std::string> warnings;
    std::optional<Run> run;
    std::optional<Run> solution;
    std::optional<Tolerance> tolerance;
};

struct Options {
    long long steps = 40'000'000;
    double passesPerSecond = ReferencePassesPerSecond; // the reference machine's, for solutions
    std::optional<std::vector<Stroke>> solution;
    // Replays of the solution drawn by an unsteady hand; 0 for none.
    int tolerance = 0;
    double jitter = 4;     // pixels, the farthest a point moves
    double timing = 0.15;  // seconds, the farthest a stroke's moment moves
    std::uint64_t seed = 1;
};

// Tells the size of a picture file, or nothing when it is not one.
using PictureProbe = std::optional<Size> (*)(const std::string& path);

Report Check(const std::string& path, const Options& options, PictureProbe probe);

// The strokes as a hand draws them: every point moved within `jitter`
// pixels, every stroke's moment within `timing` seconds, never before the
// level starts. Draws its numbers from `random` in a fixed order, so that a
// seed gives the same replays on every machine.
std::vector<Stroke> Unsteady(const std::vector<Stroke>& strokes, double jitter, double timing,
                             std::mt19937_64& random);

// A solution file: "at SECONDS x1,y1 x2,y2 ..." a line, "#" comments.
// Throws std::runtime_error naming the line of a malformed stroke.
std::vector<Stroke> ReadSolution(const std::string& text);

std::string ToJson(const Report& report);
std::string ToText(const Report& report);

} // namespace orvane::levelcheck
