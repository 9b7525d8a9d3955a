// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "level_description.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <sstream>

#include "platform/fields.h"
#include "platform/memory/memory_platform.h"
#include "shell/form1.h"
#include "styles.h"

namespace orvane::levelgen {

namespace {

constexpr double SlowestPleasant = 120, FastestPleasant = 300; // pixels a second

std::string Trimmed(std::string text)
{
    const char* blanks = " \t\r\n";
    text.erase(0, text.find_first_not_of(blanks));
    text.erase(text.find_last_not_of(blanks) + 1);
    return text;
}

// One line of a description while it is read: the key, what follows it,
// and where to point when it is wrong.
struct Line {
    const std::string& file;
    int number;
    std::string key;
    std::string rest;

    [[noreturn]] void fail(const std::string& why) const
    {
        throw DescriptionError(file + " line " + std::to_string(number) + ": " + why);
    }

    double decimal(std::string_view text) const
    {
        double value = 0;
        const char* end = text.data() + text.size();
        auto [stop, error] = std::from_chars(text.data(), end, value);
        if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
            fail(key + ": \"" + std::string(text) + "\" is not a number");
        return value;
    }

    int whole(std::string_view text) const
    {
        double value = decimal(text);
        if (value != std::floor(value) || std::fabs(value) > 1e9)
            fail(key + ": \"" + std::string(text) + "\" is not a whole number");
        return static_cast<int>(value);
    }

    // The comma-separated numbers of one word, exactly `count` of them.
    std::vector<double> numbers(std::string_view word, std::size_t count) const
    {
        std::vector<double> values;
        for (std::size_t start = 0;;) {
            std::size_t comma = word.find(',', start);
            values.push_back(decimal(word.substr(start, comma - start)));
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
        if (values.size() != count)
            fail(key + " takes " + std::to_string(count) + " numbers separated by commas, not \"" +
                 std::string(word) + "\"");
        return values;
    }

    std::vector<std::string> words() const
    {
        std::istringstream in(rest);
        std::vector<std::string> all;
        for (std::string word; in >> word;) all.push_back(word);
        return all;
    }

    Point point(const std::string& word) const
    {
        auto v = numbers(word, 2);
        return {v[0], v[1]};
    }

    // The points "x,y x,y ..." of a wall or goal, in whole pixels.
    std::vector<std::pair<int, int>> pixels() const
    {
        std::vector<std::pair<int, int>> all;
        for (const std::string& word : words()) {
            std::size_t comma = word.find(',');
            if (comma == std::string::npos || word.find(',', comma + 1) != std::string::npos)
                fail(key + ": a point is written x,y, not \"" + word + "\"");
            all.emplace_back(whole(std::string_view(word).substr(0, comma)),
                             whole(std::string_view(word).substr(comma + 1)));
        }
        if (all.size() < 2) fail(key + " needs two points at least: x,y x,y");
        return all;
    }

    std::string single() const
    {
        auto all = words();
        if (all.size() != 1) fail(key + " takes one value");
        return all.front();
    }
};

void Require(bool present, const std::string& file, const std::string& what)
{
    if (!present) throw DescriptionError(file + ": " + what + " is missing");
}

// Whole pixels and decimals as the game's files write them: a decimal point
// whatever the locale, no exponent, no trailing zeros.
std::string Decimal(double value)
{
    char text[64];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 12);
    std::string written(text, end);
    if (written.find('.') != std::string::npos) {
        written.erase(written.find_last_not_of('0') + 1);
        if (written.back() == '.') written.pop_back();
    }
    return written == "-0" ? "0" : written;
}

std::string PairRecord(Point p) { return Decimal(p.x) + "," + Decimal(p.y) + "\r\n"; }

Rect Grown(const Rect& r, int by) { return {r.x - by, r.y - by, r.w + 2 * by, r.h + 2 * by}; }

bool Inside(Point p, const Rect& r)
{
    return p.x >= r.x && p.x <= r.x + r.w && p.y >= r.y && p.y <= r.y + r.h;
}

bool InField(double x, double y) { return x >= 0 && x <= FieldWidth && y >= 0 && y <= FieldHeight; }

std::string Named(const Segment& s)
{
    return "(" + std::to_string(s[0]) + "," + std::to_string(s[1]) + " " + std::to_string(s[2]) + "," +
           std::to_string(s[3]) + ")";
}

} // namespace

int Description::number() const
{
    if (name.size() <= 5 || name.compare(0, 5, "Level") != 0) return 0;
    int value = 0;
    auto [end, error] = std::from_chars(name.data() + 5, name.data() + name.size(), value);
    return error == std::errc() && end == name.data() + name.size() ? value : 0;
}

Point Description::velocity() const
{
    const double length = std::hypot(heading.x, heading.y);
    const double perStep = speed / ReferencePassesPerSecond;
    return {heading.x / length * perStep, heading.y / length * perStep};
}

Description ParseDescription(const std::string& name, const std::string& text)
{
    const std::string file = name + ".level";
    Description d;
    d.name = name;
    std::set<std::string> seen;
    std::istringstream lines(text);
    std::string raw;
    for (int number = 1; std::getline(lines, raw); ++number) {
        std::string content = Trimmed(raw.substr(0, raw.find('#')));
        if (content.empty()) continue;
        std::size_t gap = content.find_first_of(" \t");
        Line line{file, number, content.substr(0, gap),
                  gap == std::string::npos ? std::string() : Trimmed(content.substr(gap))};
        const std::string& key = line.key;
        const bool repeatable = key == "wall" || key == "text";
        if (!repeatable && !seen.insert(key).second) line.fail(key + " is given twice");
        if (line.rest.empty()) line.fail(key + " needs a value");

        if (key == "kind") {
            std::string kind = line.single();
            if (kind == "level") d.kind = Kind::Level;
            else if (kind == "welcome") d.kind = Kind::Welcome;
            else line.fail("kind is level or welcome, not \"" + kind + "\"");
        } else if (key == "title") {
            d.title = line.rest;
        } else if (key == "hint") {
            d.hint = line.rest;
        } else if (key == "text") {
            d.text.push_back(line.rest);
        } else if (key == "button") {
            d.button = line.rest;
        } else if (key == "style") {
            d.style = line.single();
            if (!FindStyle(d.style)) line.fail("there is no style \"" + d.style + "\"; there are " + StyleNames());
        } else if (key == "corner") {
            std::string corner = line.single();
            if (corner == "top-left") d.corner = Corner::TopLeft;
            else if (corner == "top-right") d.corner = Corner::TopRight;
            else line.fail("corner is top-left or top-right, not \"" + corner + "\"");
        } else if (key == "ball") {
            d.ball = line.point(line.single());
        } else if (key == "heading") {
            d.heading = line.point(line.single());
            if (d.heading.x == 0 && d.heading.y == 0) line.fail("heading 0,0 points nowhere");
        } else if (key == "speed") {
            d.speed = line.decimal(line.single());
            if (d.speed <= 0) line.fail("speed must be above 0");
        } else if (key == "time") {
            d.seconds = line.whole(line.single());
            if (d.seconds <= 0) line.fail("time must be at least 1 second");
        } else if (key == "points") {
            d.points = line.whole(line.single());
            if (d.points < 0) line.fail("points must not be negative");
        } else if (key == "prompt") {
            auto parts = line.numbers(line.single(), 3);
            for (int i = 0; i < 3; ++i) {
                const double part = parts[static_cast<std::size_t>(i)];
                if (part != std::floor(part) || part < 0 || part > 255)
                    line.fail("a prompt colour part is a whole number from 0 to 255");
                d.prompt[i] = static_cast<int>(part);
            }
        } else if (key == "wall" || key == "goal") {
            auto points = line.pixels();
            if (key == "goal" && points.size() != 2) line.fail("the goal line is one segment: goal x,y x,y");
            for (std::size_t i = 1; i < points.size(); ++i) {
                Segment s{points[i - 1].first, points[i - 1].second, points[i].first, points[i].second};
                if (key == "goal") d.goal = s;
                else d.walls.push_back(s);
            }
        } else {
            line.fail("unknown key \"" + key + "\"");
        }
    }

    Require(!d.title.empty(), file, "the title (a line \"title ...\")");
    if (d.kind == Kind::Welcome) {
        Require(!d.button.empty(), file, "the start button's text (a line \"button ...\")");
        return d;
    }
    for (const char* key : {"ball", "heading", "speed", "time", "points", "prompt"})
        Require(seen.count(key) > 0, file, std::string("\"") + key + "\"");
    Require(d.goal.has_value(), file, "the goal line (a line \"goal x,y x,y\")");
    return d;
}

std::string LevelFileText(const Description& level)
{
    std::string text = RecordWriter().quoted(level.pictureName()).end();
    text += PairRecord(level.ball);
    text += PairRecord(level.velocity());
    text += RecordWriter().number(level.seconds).number(level.points).end();
    text += RecordWriter().number(level.prompt[0]).number(level.prompt[1]).number(level.prompt[2]).end();
    std::vector<Segment> margins = level.walls;
    if (level.goal) margins.push_back(*level.goal);
    text += RecordWriter().number(static_cast<long long>(margins.size())).end();
    for (const Segment& m : margins) text += RecordWriter().number(m[0]).number(m[1]).number(m[2]).number(m[3]).end();
    return text;
}

std::string GeneralFileText(int levelCount) { return RecordWriter().number(levelCount).end(); }

Rect Layout::plaque(Corner corner) const
{
    constexpr int inset = 8, width = 252, height = 46;
    return {corner == Corner::TopLeft ? inset : FieldWidth - inset - width, inset, width, height};
}

Rect Layout::promptText() const
{
    // The prompt's font differs between platforms: the widest of them, bold
    // 13.5 point, draws the text about 280 pixels wide and 23 high; a margin
    // on top covers the ones we have not seen.
    constexpr int width = 320, height = 32;
    return {prompt.x + prompt.w / 2 - width / 2, prompt.y + prompt.h / 2 - height / 2, width, height};
}

Layout GameLayout()
{
    memory::MemoryPlatform platform;
    Form1 game(platform);
    memory::MemoryWindow& window = *platform.find("Form1");
    return Layout{window.frame("FrameLevelInfo")->design.place, window.area("ImageClickToStart")->design.place,
                  window.label("Label1")->design.place};
}

bool Meets(const Segment& segment, const Rect& rect, double grow)
{
    // Clips the segment's parameter range to the rectangle, one side at a time.
    const double x0 = segment[0], y0 = segment[1];
    const double dx = segment[2] - x0, dy = segment[3] - y0;
    const double sides[4][2] = {{-dx, x0 - (rect.x - grow)},
                                {dx, rect.x + rect.w + grow - x0},
                                {-dy, y0 - (rect.y - grow)},
                                {dy, rect.y + rect.h + grow - y0}};
    double from = 0, to = 1;
    for (const auto& [p, q] : sides) {
        if (p == 0) {
            if (q < 0) return false;
            continue;
        }
        const double t = q / p;
        if (p < 0) from = std::max(from, t);
        else to = std::min(to, t);
        if (from > to) return false;
    }
    return true;
}

std::vector<std::string> LayoutProblems(const Description& level, const Layout& layout)
{
    std::vector<std::string> problems;
    if (level.kind != Kind::Level) return problems;
    // A wall is drawn some pixels wide; it must not touch what covers it.
    constexpr int wallHalfWidth = 5;
    const Rect plaque = layout.plaque(level.corner);
    // The panel shows from level 1 on, the start prompt over each level that
    // waits to be started; the speed test plays without either.
    const bool panel = level.number() > 0;
    const Rect prompt = layout.promptText();
    std::vector<std::pair<std::string, Segment>> all;
    for (std::size_t k = 0; k < level.walls.size(); ++k)
        all.emplace_back("wall " + std::to_string(k + 1) + " " + Named(level.walls[k]), level.walls[k]);
    if (level.goal) all.emplace_back("the goal line " + Named(*level.goal), *level.goal);
    for (const auto& [what, s] : all) {
        if (!InField(s[0], s[1]) || !InField(s[2], s[3])) problems.push_back(what + " leaves the playfield");
        if (s[0] == s[2] && s[1] == s[3]) problems.push_back(what + " has no length");
        if (Meets(s, plaque, wallHalfWidth)) problems.push_back(what + " crosses the title plaque");
        if (panel && Meets(s, layout.panel, wallHalfWidth)) problems.push_back(what + " crosses the level panel");
        if (panel && Meets(s, prompt, wallHalfWidth)) problems.push_back(what + " lies under the start prompt");
    }
    constexpr int ballRadius = 5;
    if (!InField(level.ball.x, level.ball.y)) problems.push_back("the ball starts outside the playfield");
    if (Inside(level.ball, Grown(plaque, ballRadius)) || (panel && Inside(level.ball, Grown(layout.panel, ballRadius))))
        problems.push_back("the ball starts hidden under the plaque or the panel");
    // The marker's ring, and its arrow as wide as the arrow's head.
    const double heading = std::hypot(level.heading.x, level.heading.y);
    const int x = static_cast<int>(std::lround(level.ball.x)), y = static_cast<int>(std::lround(level.ball.y));
    const Segment ring{x, y, x, y},
        arrow{x, y, static_cast<int>(std::lround(level.ball.x + level.heading.x / heading * MarkerArrow)),
              static_cast<int>(std::lround(level.ball.y + level.heading.y / heading * MarkerArrow))};
    if (panel && (Meets(ring, prompt, MarkerRing + 1) || Meets(arrow, prompt, MarkerHead)))
        problems.push_back("the ball's start marker lies under the start prompt");
    if (level.speed < SlowestPleasant || level.speed > FastestPleasant)
        problems.push_back("the speed " + Decimal(level.speed) + " is outside 120 to 300 pixels a second");
    return problems;
}

} // namespace orvane::levelgen
