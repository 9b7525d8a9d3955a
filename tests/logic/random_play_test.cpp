// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random play: a long, seeded mix of everything a player and the window system can do to the game, on
// the shipped levels, the state checked after every event. ORVANE_RANDOM_SEED picks the game,
// ORVANE_RANDOM_EVENTS its length; a failure names both, and the same two values replay it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/memory/memory_platform.h"
#include "scores/score_file.h"
#include "shell/form1.h"

using namespace orvane;

namespace {

const std::string Data = "/game/Data/", ScoresFile = Data + "HighScores.ooo";

long long EnvNumber(const char* name, long long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoll(text, nullptr, 0) : fallback;
}

class RandomPlayer {
public:
    RandomPlayer(std::uint64_t seed, long long events) : seed_(seed), limit_(events), rng_(seed)
    {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(ORVANE_SOURCE_DIR "/Data", error)) {
            std::ostringstream contents;
            contents << std::ifstream(entry.path(), std::ios::binary).rdbuf();
            disk_.files[Data + entry.path().filename().string()] = contents.str();
        }
    }

    bool HasData() const { return disk_.files.count(Data + "SystemTest.ooo") != 0; }
    const std::string& Failure() const { return failure_; }
    long long Events() const { return done_; }

    // Program runs one after another on the same data folder, until the events are used up or something
    // is broken. Before the first click the window system calls the handlers directly; the click enters
    // the main loop, and from then on every event comes in one of its yields.
    void Play()
    {
        while (done_ < limit_ && failure_.empty()) {
            platform_ = std::make_unique<memory::MemoryPlatform>();
            platform_->fileSystem = &disk_, platform_->memoryClock().seconds = clock_;
            platform_->memoryClock().day = static_cast<int>(Below(31)) + 1;
            // The seconds a pass takes: the speed test gives factors from a quarter of the upper bound to past it.
            platform_->memoryEvents().secondsPerYield = 3e-4 + 1.2e-3 * Fraction();
            platform_->memoryEvents().yieldLimit = std::numeric_limits<long long>::max();
            platform_->memoryEvents().onYield = [this](long long) { idle_ > 0 ? void(--idle_) : Event(); };
            platform_->boxes().whileShown = [this](const memory::ShownBox& box) { AnswerBox(box); };
            platform_->whileModal = [this](memory::MemoryWindow& window) { HighScoresWindow(window); };
            game_ = std::make_unique<Form1>(*platform_);
            game_->Form_Load(), Check();
            while (!Ending() && done_ < limit_ && failure_.empty()) {
                if (!game_->ImageClickToStart->visible() || Chance(50)) Event();
                else if (Count() && (game_->ImageClickToStart->onClick(), !Ending())) Check();
            }
            clock_ = platform_->memoryClock().seconds, game_.reset();
        }
    }

private:
    std::uint64_t Below(std::uint64_t n) { return rng_() % n; }
    bool Chance(int percent) { return Below(100) < static_cast<std::uint64_t>(percent); }
    double Fraction() { return std::uniform_real_distribution<double>(0, 1)(rng_); }
    double Between(double lo, double hi) { return lo + (hi - lo) * Fraction(); }
    bool Ending() const { return platform_->events().ending(); }

    bool Count() // whether one more event may come; the program ends after the last
    {
        if (done_ >= limit_) platform_->events().endProgram();
        return done_ < limit_ && failure_.empty() && !Ending() && ++done_;
    }

    // A pointer position: mostly a small move from the last one, else anywhere on the field, beside it,
    // or absurdly far off the window.
    MouseEvent Pointer(int buttons)
    {
        for (auto [last, extent] : {std::pair{&x_, 600.0}, std::pair{&y_, 400.0}}) {
            const std::uint64_t kind = Below(20);
            if (kind < 12) *last += Between(-25, 25);
            else if (kind < 18) *last = Between(-150, extent + 150);
            else *last = (Chance(50) ? -1 : 1) * std::pow(10.0, Between(4, 38));
        }
        return {buttons, 0, static_cast<float>(x_), static_cast<float>(y_)};
    }

    // One event of the playfield window, among what the window system may deliver to it now: spells of
    // aimed play, a quarter of the time, between spells of anything.
    void Event()
    {
        if (!Count()) return;
        Form1& g = *game_;
        memory::MemoryWindow& w = *platform_->find("Form1");
        if (Below(playing_ ? 200 : 600) == 0) playing_ = !playing_;
        const std::uint64_t pick = playing_ ? Below(100) : 100 + Below(1000);
        const int button = static_cast<int>(Chance(60) ? 1 : Below(8));
        if (pick < 75) idle_ = 50 + Below(1200);
        else if (pick < 90 || (pick >= 630 && pick < 660)) AimedStroke(w);
        else if (pick < 97 || (pick >= 660 && pick < 700)) { if (g.Label1->visible()) g.Label1->onClick(); }
        else if (pick < 100 || pick >= 1000) w.onMouseMove(Pointer(0));
        else if (pick < 400) idle_ = Chance(50) ? Below(10) : Chance(80) ? Below(400) : Below(5000);
        else if (pick < 550) w.onMouseMove(Pointer(button));
        else if (pick < 590) w.onMouseDown(Pointer(button));
        else if (pick < 630) w.onMouseUp(Pointer(button));
        else if (pick < 730) g.mnuPause->onClick();
        else if (pick < 745) g.mnuRestart->onClick();
        else if (pick < 760) g.mnuMargins->onClick();
        else if (pick < 775) g.mnuHighScores->onClick();
        else if (pick < 790) g.mnuAbout->onClick();
        else if (pick < 900) Wait();
        else if (pick < 999) w.onMouseMove(Pointer(0));
        else if (Chance(10)) disk_.files.erase(ScoresFile), entered_ = 0, savedAfter_ = -1; // thrown away by hand
        else if (Chance(5)) Chance(50) ? g.mnuExit->onClick() : w.onUnload();
        Check();
    }

    void Wait() // the timer's tick, or the machine stalling and the clock jumping
    {
        double& now = platform_->memoryClock().seconds;
        if (Chance(60)) now = std::max(now, platform_->find("Form1")->timer("Timer1")->lastFired + 1.0);
        else now += Chance(90) ? Between(0, 1.5) : Between(1.5, 40);
        platform_->fireTimers();
    }

    // A player who means it: a short stroke just ahead of the ball, turned so that the ball leaves it
    // towards a point of the goal line.
    void AimedStroke(memory::MemoryWindow& w)
    {
        const Form1& g = *game_;
        if (g.LastSegment < PlayerRows || static_cast<std::size_t>(g.LastSegment) >= g.Segments.size()) return;
        const Segment goal = g.Segments[static_cast<std::size_t>(g.LastSegment)];
        const double speed = std::hypot(g.BallVX, g.BallVY), ahead = Between(2, 6), half = Between(6, 20);
        const double dx = g.BallVX / speed, dy = g.BallVY / speed, along = Between(0.2, 0.8);
        const double cx = g.BallX + dx * ahead, cy = g.BallY + dy * ahead;
        const double tx = goal[0] + (goal[2] - goal[0]) * along - cx, ty = goal[1] + (goal[3] - goal[1]) * along - cy, tl = std::hypot(tx, ty);
        const double n = std::hypot(tx / tl - dx, ty / tl - dy), nx = (tx / tl - dx) / n, ny = (ty / tl - dy) / n; // its normal
        if (!(speed > 0) || tl < 1 || n < 1e-3) return; // already on its way
        x_ = cx - ny * half, y_ = cy + nx * half;
        const auto at = [](double v) { return static_cast<float>(v); };
        w.onMouseDown({1, 0, at(cx + ny * half), at(cy - nx * half)}), Check();
        w.onMouseMove({1, 0, at(x_), at(y_)}), Check();
        w.onMouseUp({1, 0, at(x_), at(y_)});
    }

    // What the player types or clicks in a box; while it is open the timer may tick, more boxes opening over it.
    void AnswerBox(const memory::ShownBox& box)
    {
        // The only error the shipped data can give: no table yet.
        if (box.title == "Error" && (box.text != "An error has occurred while trying to load the high scores list." ||
                                     disk_.files.count(ScoresFile) != 0))
            Fail("the box \"" + box.text + "\"");
        if (depth_ < 3 && Chance(35) && Count()) ++depth_, Wait(), Check(), --depth_;
        const std::string day = std::to_string(platform_->memoryClock().day);
        if (box.text == "Please enter code:") {
            const std::string codes[] = {"", std::to_string(Below(40)), " " + day + "abc", day, day};
            platform_->boxes().inputs.push_back(codes[Below(5)]);
        } else if (box.text == "Please enter level number:") {
            static const char* const odd[] = {"", "0", "-3", "0.4", "0.5", "1.5", "2.5", "1e1", "abc", "99999999999"};
            const std::uint64_t levels = static_cast<std::uint64_t>(game_->LevelCount);
            platform_->boxes().inputs.push_back(Chance(20)   ? std::to_string(levels) // the last, to win
                                                : Chance(50) ? odd[Below(std::size(odd))]
                                                             : std::to_string(Below(levels + 2)));
        } else if (box.input) { // Cancel, an awkward name, or any bytes at all
            static const char* const names[] = {"", "", "Ann", " ", "a,b", "x\"", " : ", "a\r\nb", "\"a\",1\r\n\"b\""};
            std::string name = names[Below(std::size(names))];
            for (std::uint64_t i = Chance(30) ? Below(2000) : 0; i > 0; --i) name += static_cast<char>(1 + Below(255));
            if (!name.empty()) savedAfter_ = disk_.writes; // entered once the save is made
            platform_->boxes().inputs.push_back(name);
        } else if (box.buttons == Buttons::YesNo) {
            const bool yes = Chance(50);
            if (yes && box.title == "Warning!") Settle(), entered_ = 0;
            platform_->boxes().answers.push_back(yes ? Answer::Yes : Answer::No);
        } else if (box.buttons == Buttons::OkCancel) platform_->boxes().answers.push_back(Chance(50) ? Answer::Ok : Answer::Cancel);
    }

    // The table is modal: only it and the timer have events while it is open. It closes with OK, Enter,
    // Esc or its close box alike.
    void HighScoresWindow(memory::MemoryWindow& window)
    {
        if (window.design.name != "Form2") return;
        for (++depth_; !window.closed && Count(); Check()) {
            const std::uint64_t pick = Below(10);
            if (pick < 3) window.button("Command1")->onClick();
            else if (pick < 4) window.close();
            else if (pick < 6) window.button("Command2")->onClick();
            else if (pick < 8) window.area("Image1")->onDoubleClick();
            else Wait();
        }
        --depth_;
    }

    void Fail(const std::string& what)
    {
        if (failure_.empty() && !what.empty())
            failure_ = "seed " + std::to_string(seed_) + ", event " + std::to_string(done_) + ": " + what, platform_->events().endProgram();
    }
    void Check() { Fail(Broken()); }

    void Settle() // a named game counts once its save has been made
    {
        if (savedAfter_ >= 0 && disk_.writes != savedAfter_) ++entered_, savedAfter_ = -1;
    }

    // What must hold after every event.
    std::string Broken()
    {
        const Form1& g = *game_;
        const bool timer = platform_->find("Form1")->timer("Timer1")->on;
        const std::string pause = g.mnuPause->caption();
        const auto broken = [&](const std::string& what) {
            return what + " (Paused " + std::to_string(g.Paused) + ", Testing " + std::to_string(g.Testing) + ", level " +
                   std::to_string(g.CurrentLevel) + ", ball " + std::to_string(g.BallX) + ", " + std::to_string(g.BallY) + ")";
        };

        const double step = std::hypot(g.BallVX, g.BallVY);
        if (!std::isfinite(step) || !(g.BallX >= -step && g.BallX <= 600 + step && g.BallY >= -step && g.BallY <= 400 + step))
            return broken("the ball is off the field");
        if (g.LineIndex < 0 || g.LineIndex > 50 || g.FrameCounter < 0 || g.FrameCounter > 29)
            return broken("a counter is out of range");
        if (g.CurrentLevel < 0 || g.CurrentLevel > g.LevelCount + 1) return broken("no such level");
        if (pause != "Pause" && pause != "Resume") return broken("the Pause menu is wrong");
        if (pause == "Resume" && (!g.Paused || g.Testing || timer)) return broken("Resume offered, not paused");
        if (!g.InMainLoop && !(g.Paused && g.Testing)) return broken("play goes on outside the main loop");
        int tables = 0;
        for (const memory::MemoryWindow* open : platform_->windows) tables += open->design.name == "Form2";
        if (tables > 1) return broken("the high-score window is loaded twice");
        if (g.Testing) {
            if (timer || g.CurrentLevel != 0) return broken("a level runs during the speed test");
            if (g.Paused == g.InMainLoop) return broken("the speed test is paused, or runs before its click");
            if (!g.Paused && (!g.Label1->visible() || g.Label1->caption() != "Testing system performance. Please wait..."))
                return broken("the speed test runs without its message");
            if (g.Paused && !g.ImageClickToStart->visible()) return broken("no start area before the speed test");
        } else {
            if (g.ImageClickToStart->visible()) return broken("the start area is back after the speed test");
            if (!g.Paused && (!timer || g.Label1->visible() || g.SecondsLeft <= 0))
                return broken("a level runs without its countdown, or with its prompt");
        }

        // No game entered since the last RESET ALL is lost from the file.
        if (Settle(); disk_.writes == writesChecked_) return {};
        writesChecked_ = disk_.writes;
        auto file = disk_.files.find(ScoresFile);
        const ScoreTable table = file == disk_.files.end() ? ScoreTable{} : ParseScores(file->second);
        if (!table.complete) return "the high-score file does not read back to its end";
        if (static_cast<long long>(table.entries.size()) >= entered_) return {};
        return "the high-score file holds " + std::to_string(table.entries.size()) + " entries, " + std::to_string(entered_) +
               " were entered since RESET ALL";
    }

    std::uint64_t seed_;
    long long limit_, done_ = 0, idle_ = 0, entered_ = 0;
    std::mt19937_64 rng_;
    memory::MemoryFileSystem disk_;
    std::unique_ptr<memory::MemoryPlatform> platform_;
    std::unique_ptr<Form1> game_;
    double clock_ = 8 * 3600, x_ = 0, y_ = 0;
    int depth_ = 0, writesChecked_ = -1, savedAfter_ = -1;
    bool playing_ = false;
    std::string failure_;
};

} // namespace

TEST(RandomPlay, EveryEventLeavesTheGameInAStateItCanBeIn)
{
    const auto seed = static_cast<std::uint64_t>(EnvNumber("ORVANE_RANDOM_SEED", 20261207));
    RandomPlayer player(seed, EnvNumber("ORVANE_RANDOM_EVENTS", 1'000'000));
    if (!player.HasData()) GTEST_SKIP() << "the shipped Data folder is not at " ORVANE_SOURCE_DIR "/Data";
    player.Play();
    ASSERT_EQ(player.Failure(), "") << "replay with ORVANE_RANDOM_SEED=" << seed << " ORVANE_RANDOM_EVENTS=" << player.Events();
}
