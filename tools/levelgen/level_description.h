// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A level as its author describes it, and what the game reads from it: the
// level file's text and the checks that keep the picture readable. No
// painting here; that is picture.h's business.
#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "levels/segments.h"
#include "platform/geometry.h"
#include "sim/speed_factor.h"

namespace orvane::levelgen {

// Speeds in a description are pixels a second on the machine the level
// files are written for.
using orvane::ReferencePassesPerSecond;
inline constexpr int FieldWidth = 600, FieldHeight = 400;
// The ball's start marker: a ring round the ball, an arrow its way whose
// head reaches this far to either side.
inline constexpr double MarkerRing = 10, MarkerArrow = 38, MarkerHead = 6;

// A description that cannot be read, naming its file and line.
class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Kind { Level, Welcome };
enum class Corner { TopLeft, TopRight };

struct Point {
    double x = 0, y = 0;
};

struct Description {
    std::string name; // the files' stem: "Level003", "SystemTest", "Welcome"
    Kind kind = Kind::Level;
    std::string title;
    std::string hint;              // a level's second plaque line, optional
    std::vector<std::string> text; // the welcome screen's lines
    std::string button;            // the welcome screen's start button
    std::string style = "slate";
    Corner corner = Corner::TopLeft;

    // --- a level's game data ---
    Point ball;
    Point heading{1, 0}; // any length: speed gives the velocity's
    double speed = 0;    // pixels a second on the reference machine
    int seconds = 0;
    int points = 0;
    int prompt[3] = {255, 255, 255};
    std::vector<Segment> walls; // in the order the level file lists them
    std::optional<Segment> goal;

    // The level's number when its name is "Level" and digits, else 0.
    int number() const;
    std::string pictureName() const { return name + ".jpg"; }
    // Pixels a step on the reference machine, as the level file gives it.
    Point velocity() const;
};

// Reads a description; `name` is the file's name without ".level".
Description ParseDescription(const std::string& name, const std::string& text);

// The level file the game reads, in the convention of its data files.
std::string LevelFileText(const Description& level);
// "General.ooo": the number of the last level.
std::string GeneralFileText(int levelCount);

// Where the game puts what covers the picture, from the game's own window
// design, and where the generator writes its titles.
struct Layout {
    Rect panel;      // the level information shown during play
    Rect startArea;  // the welcome screen's click area
    Rect prompt;     // the start prompt's designed place
    Rect plaque(Corner corner) const;
    // Where the start prompt's widest text, "Click here to start level 20.",
    // lies: the label grows about its designed centre to fit it.
    Rect promptText() const;
};
Layout GameLayout();

// What would make the picture lie or hide something: a wall under the
// plaque, the panel or the start prompt, a ball start or its marker out of
// sight, a speed out of the pleasant range. Empty when the description is
// fit to generate.
std::vector<std::string> LayoutProblems(const Description& level, const Layout& layout);

// Whether the segment meets the rectangle, grown by `grow` on every side.
bool Meets(const Segment& segment, const Rect& rect, double grow);

} // namespace orvane::levelgen
