// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "level_check.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/fields.h"
#include "platform/memory/memory_platform.h"
#include "platform/native/native_files.h"
#include "shell/form1.h"

namespace orvane::levelcheck {

namespace {

constexpr int FieldWidth = 600, FieldHeight = 400;

// A game on an in-memory window that reads real files.
struct Bench {
    explicit Bench(PictureProbe probe) : probe(probe) {}

    PictureProbe probe;
    NativeFileSystem native;
    memory::MemoryPlatform platform;
    // The platform reads the real files before the game is built on it.
    bool configured = [this] {
        platform.fileSystem = &native;
        platform.pictureSize = probe;
        platform.memoryEvents().yieldLimit = INT64_MAX;
        return true;
    }();
    Form1 game{platform};
};

std::string Utf8(const std::filesystem::path& path)
{
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void Load(Form1& game, const std::filesystem::path& path)
{
    std::string folder = Utf8(path.parent_path());
    if (!folder.empty()) folder += static_cast<char>(std::filesystem::path::preferred_separator);
    game.DataPath = folder;
    // A goal line leads to the end of a game of no levels: nothing else is loaded.
    game.LevelCount = 0;
    game.LoadLevel(Utf8(path.filename()));
}

Run Finish(const Form1& game, std::string outcome, long long steps)
{
    return Run{std::move(outcome), steps,        game.SegmentBounces, game.BallX,
               game.BallY,         game.BallVX,  game.BallVY,         game.SecondsLeft};
}

Run Unaided(Form1& game, long long steps)
{
    game.Testing = false;
    game.Paused = false;
    for (long long step = 1; step <= steps; ++step) {
        Form1::StepOutcome outcome = game.MoveBall();
        if (outcome == Form1::StepOutcome::Goal) return Finish(game, "goal", step);
        if (outcome == Form1::StepOutcome::Stuck) return Finish(game, "stuck", step);
    }
    return Finish(game, "none", steps);
}

// Plays the strokes through the game's own mouse handlers, ball step and
// countdown, on a clock that runs at the given pass rate, until the goal or
// the end of the level's time. The passes' drawing is left out: it changes
// nothing the ball meets. A ball wedged between lines costs the game's
// every retry on every pass, hundreds of times a normal pass: one that has
// not moved for a tenth of a second of play, which a player would see as
// stuck, ends the replay there.
Run Replay(PictureProbe probe, const std::filesystem::path& level, const std::vector<Stroke>& strokes, double rate)
{
    Bench bench(probe);
    Form1& game = bench.game;
    Load(game, level);
    game.Testing = false;
    game.ResumeAll();
    const long long limit = static_cast<long long>((game.SecondsLeft + 2) * rate);
    const long long stuckLimit = std::max(1LL, static_cast<long long>(rate / 10));
    long long stuckFor = 0;
    std::size_t next = 0;
    for (long long pass = 0; pass < limit; ++pass) {
        bench.platform.memoryClock().seconds = static_cast<double>(pass) / rate;
        bench.platform.fireTimers();
        for (; next < strokes.size() && strokes[next].at * rate <= static_cast<double>(pass); ++next) {
            const auto& points = strokes[next].points;
            game.Form_MouseDown(1, 0, points.front().first, points.front().second);
            for (std::size_t i = 1; i < points.size(); ++i)
                game.Form_MouseMove(1, 0, points[i].first, points[i].second);
            game.Form_MouseUp(1, 0, points.back().first, points.back().second);
        }
        if (game.Paused) return Finish(game, game.CurrentLevel > 0 ? "goal" : "time over", pass);
        stuckFor = game.MoveBall() == Form1::StepOutcome::Stuck ? stuckFor + 1 : 0;
        if (stuckFor == stuckLimit) return Finish(game, "stuck", pass + 1);
    }
    return Finish(game, "none", limit);
}

// Within [-1, 1), from the generator's bits alone: the standard
// distributions may differ between library versions, the replays must not.
double Signed(std::mt19937_64& random) { return static_cast<double>(random() >> 11) * 0x1.0p-52 - 1; }

bool Outside(double x, double y) { return x < 0 || x > FieldWidth || y < 0 || y > FieldHeight; }

void Warn(Report& report, const std::optional<std::string>& contents)
{
    auto& w = report.warnings;
    // A load that failed stopped short of the ball and the margins: what it
    // left in the game says nothing about the file, and the error tells why.
    if (report.ok) {
        if (report.margins.empty()) w.push_back("the level has no margin: it needs at least its goal line");
        for (std::size_t k = 0; k < report.margins.size(); ++k) {
            const Segment& m = report.margins[k];
            if (Outside(m[0], m[1]) || Outside(m[2], m[3]))
                w.push_back("margin " + std::to_string(k + 1) + " lies outside the playfield");
        }
        if (Outside(report.ballX, report.ballY)) w.push_back("the ball starts outside the playfield");
        if (report.velocityX == 0 && report.velocityY == 0) w.push_back("the ball is at rest");
    }

    if (!report.pictureFound) w.push_back("the picture " + report.pictureName + " is missing");
    else if (!report.pictureSize) w.push_back("the picture " + report.pictureName + " cannot be read");
    else if (report.pictureSize->width != FieldWidth || report.pictureSize->height != FieldHeight)
        w.push_back("the picture is " + std::to_string(report.pictureSize->width) + " x " +
                    std::to_string(report.pictureSize->height) + ", not 600 x 400");

    // The loader holds colour parts within 0..255; what the file says is
    // read here again to tell the author.
    if (!contents) return;
    try {
        FieldReader reader(*contents);
        // Read as the loader reads them: the picture's name, then numbers,
        // which a blank ends too.
        reader.next();
        for (int field = 2; field <= 7; ++field) reader.nextNumber();
        const char* names[] = {"red", "green", "blue"};
        for (const char* name : names) {
            int part = ToInt16(reader.nextNumber());
            if (part < 0 || part > 255)
                w.push_back(std::string("the prompt's ") + name + " part " + std::to_string(part) +
                            " is not within 0 to 255");
        }
    } catch (const FileError&) {
    }
}

} // namespace

Report Check(const std::string& file, const Options& options, PictureProbe probe)
{
    std::filesystem::path path(std::u8string(file.begin(), file.end()));
    Bench bench(probe);
    Form1& game = bench.game;
    Load(game, path);

    Report report;
    report.file = file;
    report.ok = game.LoadError.empty();
    report.error = game.LoadError;
    if (!report.ok)
        for (const auto& box : bench.platform.boxes().shown) report.error = box.text + " (" + report.error + ")";
    report.pictureName = game.PictureName;
    std::string picture = game.DataPath + game.PictureName;
    report.pictureFound = !game.PictureName.empty() && bench.native.exists(picture);
    if (report.pictureFound) report.pictureSize = probe(picture);
    report.ballX = game.BallX, report.ballY = game.BallY;
    report.velocityX = game.BallVX, report.velocityY = game.BallVY;
    report.seconds = game.SecondsLeft;
    report.pointsPerSecond = game.PointsPerSecond;
    report.promptColour = game.Label1->foreColour();
    for (int row = PlayerRows; row <= game.LastSegment && row < static_cast<int>(game.Segments.size()); ++row)
        report.margins.push_back(game.Segments[static_cast<std::size_t>(row)]);
    Warn(report, bench.native.readFile(file));
    if (!report.ok) return report;

    report.run = Unaided(game, options.steps);
    if (!options.solution) return report;
    report.solution = Replay(probe, path, *options.solution, options.passesPerSecond);
    if (options.tolerance <= 0) return report;
    Tolerance& t = report.tolerance.emplace();
    t.jitter = options.jitter, t.timing = options.timing, t.seed = options.seed;
    // Every replay is a game of its own, played on every core there is. The
    // hands are drawn first and in order, so the count does not depend on
    // how the replays are shared out.
    std::mt19937_64 random(options.seed);
    std::vector<std::vector<Stroke>> hands;
    for (int k = 0; k < options.tolerance; ++k)
        hands.push_back(Unsteady(*options.solution, options.jitter, options.timing, random));
    std::atomic<int> next = 0, wins = 0;
    auto play = [&] {
        for (std::size_t k; (k = static_cast<std::size_t>(next++)) < hands.size();)
            if (Replay(probe, path, hands[k], options.passesPerSecond).outcome == "goal") ++wins;
    };
    {
        std::vector<std::jthread> helpers(std::max(1u, std::thread::hardware_concurrency()) - 1);
        for (auto& helper : helpers) helper = std::jthread(play);
        play();
    }
    t.replays = options.tolerance;
    t.wins = wins;
    return report;
}

std::vector<Stroke> Unsteady(const std::vector<Stroke>& strokes, double jitter, double timing,
                             std::mt19937_64& random)
{
    std::vector<Stroke> drawn = strokes;
    for (Stroke& stroke : drawn) {
        stroke.at = std::max(0.0, stroke.at + timing * Signed(random));
        for (auto& [x, y] : stroke.points) {
            // Evenly within the circle: points of the square round it are drawn again.
            double dx = 0, dy = 0;
            do {
                dx = Signed(random), dy = Signed(random);
            } while (dx * dx + dy * dy > 1);
            x = static_cast<float>(x + jitter * dx);
            y = static_cast<float>(y + jitter * dy);
        }
    }
    // A hand that draws a stroke late draws the next one after it.
    std::stable_sort(drawn.begin(), drawn.end(), [](const Stroke& a, const Stroke& b) { return a.at < b.at; });
    return drawn;
}

std::vector<Stroke> ReadSolution(const std::string& text)
{
    std::vector<Stroke> strokes;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) continue;
        Stroke stroke;
        if (word != "at" || !(words >> stroke.at))
            throw std::runtime_error("line " + std::to_string(number) + ": expected \"at SECONDS x,y x,y ...\"");
        while (words >> word) {
            float x = 0, y = 0;
            char comma = 0;
            std::istringstream point(word);
            if (!(point >> x >> comma >> y) || comma != ',')
                throw std::runtime_error("line " + std::to_string(number) + ": a point is written x,y: " + word);
            stroke.points.emplace_back(x, y);
        }
        if (stroke.points.size() < 2)
            throw std::runtime_error("line " + std::to_string(number) + ": a stroke needs two points at least");
        strokes.push_back(std::move(stroke));
    }
    return strokes;
}

} // namespace orvane::levelcheck
