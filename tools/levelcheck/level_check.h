// What the level checker finds out about one level file, using the game's
// own loader and ball step on an in-memory window.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "levels/segments.h"
#include "platform/geometry.h"

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
};

struct Options {
    long long steps = 10'000'000;
    double passesPerSecond = 250'000; // the reference machine's, for solutions
    std::optional<std::vector<Stroke>> solution;
};

// Tells the size of a picture file, or nothing when it is not one.
using PictureProbe = std::optional<Size> (*)(const std::string& path);

Report Check(const std::string& path, const Options& options, PictureProbe probe);

// A solution file: "at SECONDS x1,y1 x2,y2 ..." a line, "#" comments.
// Throws std::runtime_error naming the line of a malformed stroke.
std::vector<Stroke> ReadSolution(const std::string& text);

std::string ToJson(const Report& report);
std::string ToText(const Report& report);

} // namespace orvane::levelcheck
