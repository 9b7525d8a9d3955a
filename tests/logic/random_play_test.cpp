// Random play: a long, seeded mix of everything a player and the window
// system can do to the game, on the shipped levels, with the state checked
// after every event. ORVANE_RANDOM_SEED picks the game, ORVANE_RANDOM_EVENTS
// its length; a failure names both, and the same two values replay it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "platform/memory/memory_platform.h"
#include "scores/form2.h"
#include "scores/score_file.h"
#include "shell/form1.h"
#include "sim/crossing.h"

using namespace orvane;

namespace {

constexpr double FieldWidth = 600;
constexpr double FieldHeight = 400;
const std::string Data = "/game/Data/";
const std::string ScoresFile = Data + "HighScores.ooo";
const std::string TestMessage = "Testing system performance. Please wait...";

long long EnvNumber(const char* name, long long fallback)
{
    const char* text = std::getenv(name);
    if (!text || !*text) return fallback;
    return std::strtoll(text, nullptr, 0);
}

// The shipped data folder, file by file; empty when it cannot be found.
std::map<std::string, std::string> ShippedData()
{
    std::map<std::string, std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(ORVANE_SOURCE_DIR "/Data", error)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream contents;
        contents << in.rdbuf();
        files[Data + entry.path().filename().string()] = contents.str();
    }
    return files;
}

class RandomPlayer {
public:
    RandomPlayer(std::uint64_t seed, long long events) : seed_(seed), limit_(events), rng_(seed)
    {
        disk_.files = ShippedData();
    }

    bool HasData() const { return disk_.files.count(Data + "SystemTest.ooo") != 0; }
    const std::string& Failure() const { return failure_; }
    long long Events() const { return done_; }

    // Program runs one after another on the same data folder, until the
    // events are used up or something is broken.
    void Play()
    {
        while (done_ < limit_ && failure_.empty()) {
            StartRun();
            // Before the first click the window system calls the handlers
            // directly; the click enters the main loop, and from then on
            // every event comes in one of its yields.
            while (!Ending() && done_ < limit_ && failure_.empty()) {
                if (game_->ImageClickToStart->visible() && Chance(50)) {
                    if (!Count()) break;
                    game_->ImageClickToStart->onClick();
                    if (!Ending()) Check(); // the test level did not load
                } else {
                    Event();
                }
            }
            EndRun();
        }
    }

private:
    // --- Runs of the program ---

    void StartRun()
    {
        platform_ = std::make_unique<memory::MemoryPlatform>();
        platform_->fileSystem = &disk_;
        platform_->memoryClock().seconds = clock_;
        platform_->memoryClock().day = static_cast<int>(Below(31)) + 1;
        // The seconds one pass takes on this machine: the speed test then
        // gives factors from about a quarter of the upper bound to past it.
        platform_->memoryEvents().secondsPerYield = 3e-4 + 1.2e-3 * Fraction();
        platform_->memoryEvents().yieldLimit = std::numeric_limits<long long>::max();
        platform_->memoryEvents().onYield = [this](long long) { OnYield(); };
        platform_->boxes().whileShown = [this](const memory::ShownBox& box) { AnswerBox(box); };
        platform_->whileModal = [this](memory::MemoryWindow& window) { HighScoresWindow(window); };
        game_ = std::make_unique<Form1>(*platform_);
        game_->Form_Load();
        pointerX_ = pointerY_ = 0;
        Check();
    }

    void EndRun()
    {
        clock_ = platform_->memoryClock().seconds;
        game_.reset();
        platform_.reset();
    }

    bool Ending() const { return platform_->events().ending(); }

    // --- Randomness ---

    std::uint64_t Below(std::uint64_t n) { return rng_() % n; }
    bool Chance(int percent) { return Below(100) < static_cast<std::uint64_t>(percent); }
    double Fraction() { return std::uniform_real_distribution<double>(0, 1)(rng_); }
    double Between(double lo, double hi) { return lo + (hi - lo) * Fraction(); }

    // A pointer coordinate: mostly a small move from the last one, else
    // anywhere on the field, beside it, or far off the window.
    float Coordinate(double& last, double extent)
    {
        const std::uint64_t kind = Below(20);
        if (kind < 12) last += Between(-25, 25);
        else if (kind < 16) last = Between(0, extent);
        else if (kind < 18) last = Between(-150, extent + 150);
        else if (kind < 19) last = (Chance(50) ? -1 : 1) * std::pow(10.0, Between(4, 8));
        else last = (Chance(50) ? -1 : 1) * std::pow(10.0, Between(9, 38));
        return static_cast<float>(last);
    }

    int AnyButtons() { return Chance(60) ? 1 : static_cast<int>(Below(8)); }
    int OneButton()
    {
        static constexpr int buttons[] = {1, 1, 1, 2, 4};
        return buttons[Below(5)];
    }

    // --- Events ---

    // Whether one more event may come; the program ends after the last,
    // so that a run cut short at a failing event still plays that event.
    bool Count()
    {
        if (done_ >= limit_) {
            platform_->events().endProgram();
            return false;
        }
        ++done_;
        return true;
    }

    void OnYield()
    {
        if (Ending() || !failure_.empty()) return;
        if (idle_ > 0) {
            --idle_;
            return;
        }
        Event();
    }

    // One event of the playfield window, chosen at random among what the
    // window system may deliver to it now.
    void Event()
    {
        if (Ending() || !failure_.empty() || !Count()) return;
        Form1& g = *game_;
        memory::MemoryWindow& w = *platform_->find("Form1");
        // Spells of play, a quarter of the time, between spells of anything.
        if (Below(playing_ ? 200 : 600) == 0) playing_ = !playing_;
        if (playing_) {
            Play(w);
            Check();
            return;
        }
        const std::uint64_t pick = Below(1000);
        if (pick < 300) {
            // The loop runs on by itself: a few passes, or many.
            const std::uint64_t size = Below(10);
            idle_ = size < 5 ? Below(10) : size < 9 ? Below(400) : Below(5000);
        } else if (pick < 500) {
            w.onMouseMove({AnyButtons(), 0, Coordinate(pointerX_, FieldWidth), Coordinate(pointerY_, FieldHeight)});
        } else if (pick < 560) {
            w.onMouseDown({OneButton(), 0, Coordinate(pointerX_, FieldWidth), Coordinate(pointerY_, FieldHeight)});
        } else if (pick < 610) {
            w.onMouseUp({OneButton(), 0, Coordinate(pointerX_, FieldWidth), Coordinate(pointerY_, FieldHeight)});
        } else if (pick < 640) {
            AimedStroke(w);
        } else if (pick < 680) {
            if (g.Label1->visible()) g.Label1->onClick();
        } else if (pick < 710) {
            g.mnuPause->onClick();
        } else if (pick < 725) {
            g.mnuRestart->onClick();
        } else if (pick < 740) {
            g.mnuMargins->onClick();
        } else if (pick < 755) {
            g.mnuHighScores->onClick();
        } else if (pick < 765) {
            g.mnuAbout->onClick();
        } else if (pick < 770) {
            g.mnuWebsite->onClick();
        } else if (pick < 870) {
            Tick();
        } else if (pick < 900) {
            // The machine stalls a while: the clock jumps.
            platform_->memoryClock().seconds += Chance(90) ? Between(0, 1.5) : Between(1.5, 40);
        } else if (pick < 999) {
            // A move with no button, the commonest event of all.
            w.onMouseMove({0, 0, Coordinate(pointerX_, FieldWidth), Coordinate(pointerY_, FieldHeight)});
        } else if (Chance(10)) {
            // The player throws the table away, by hand; the game reads
            // the file each time it shows the table.
            disk_.files.erase(ScoresFile);
            enteredSinceReset_ = 0;
            savedAfter_ = -1;
        } else if (Chance(5)) {
            // The program ends, by Exit or by closing its window; the next
            // run finds the same data folder.
            if (Chance(50)) g.mnuExit->onClick();
            else w.onUnload();
        }
        Check();
    }

    // A player at play: lets the ball fly, turns it towards the goal when
    // it heads elsewhere, and starts the next level when it is prepared.
    void Play(memory::MemoryWindow& w)
    {
        Form1& g = *game_;
        const std::uint64_t pick = Below(100);
        if (pick < 75) idle_ = 50 + Below(1200);
        else if (pick < 90) AimedStroke(w);
        else if (pick < 97 && g.Label1->visible()) g.Label1->onClick();
        else w.onMouseMove({0, 0, Coordinate(pointerX_, FieldWidth), Coordinate(pointerY_, FieldHeight)});
    }

    // The timer's tick, when it is running; a tick may come late, so the
    // clock moves on to it.
    void Tick()
    {
        memory::MemoryTimer& timer = *platform_->find("Form1")->timer("Timer1");
        if (!timer.on) return;
        platform_->memoryClock().seconds = std::max(platform_->memoryClock().seconds, timer.lastFired + 1.0);
        platform_->fireTimers();
    }

    // While a modal box or window is open the player may take a while:
    // the timer ticks once, or for as long as a level lasts.
    void Wait()
    {
        if (Chance(50)) return Tick();
        platform_->memoryClock().seconds += Between(0, 40);
        platform_->fireTimers();
    }

    // Whether the level's margins, the goal aside, leave the way clear.
    bool Clear(double x1, double y1, double x2, double y2) const
    {
        const Form1& g = *game_;
        for (int row = PlayerRows; row < g.LastSegment; ++row)
            if (Crosses(Path{x1, y1, x2, y2}, g.Segments[static_cast<std::size_t>(row)])) return false;
        return true;
    }

    // Where the ball's flight meets the goal line's, if it does and the way
    // there is clear.
    bool OnItsWay(const Segment& goal) const
    {
        const Form1& g = *game_;
        const double sx = goal[2] - goal[0], sy = goal[3] - goal[1];
        const double d = g.BallVX * sy - g.BallVY * sx;
        if (d == 0) return false;
        const double t = ((goal[0] - g.BallX) * sy - (goal[1] - g.BallY) * sx) / d; // steps to the line
        const double u = ((goal[0] - g.BallX) * g.BallVY - (goal[1] - g.BallY) * g.BallVX) / d;
        return t > 0 && u >= 0 && u <= 1 && Clear(g.BallX, g.BallY, g.BallX + g.BallVX * t, g.BallY + g.BallVY * t);
    }

    // A player who means it: a short stroke just ahead of the ball, turned
    // so that the ball leaves it towards the goal line, or towards a point
    // from which the goal can be reached when margins are in the way.
    void AimedStroke(memory::MemoryWindow& w)
    {
        Form1& g = *game_;
        if (g.LastSegment < PlayerRows || static_cast<std::size_t>(g.LastSegment) >= g.Segments.size()) return;
        const Segment goal = g.Segments[static_cast<std::size_t>(g.LastSegment)];
        const double speed = std::hypot(g.BallVX, g.BallVY);
        if (speed == 0 || OnItsWay(goal)) return;
        const double dx = g.BallVX / speed, dy = g.BallVY / speed;
        const double ahead = Between(2, 6), half = Between(6, 20);
        const double cx = g.BallX + dx * ahead, cy = g.BallY + dy * ahead;

        const double along = Between(0.2, 0.8);
        double tx = goal[0] + (goal[2] - goal[0]) * along, ty = goal[1] + (goal[3] - goal[1]) * along;
        if (!Clear(cx, cy, tx, ty)) {
            // The shortest of a few clear ways round.
            double best = HUGE_VAL, bx = 0, by = 0;
            for (int tries = 0; tries < 40; ++tries) {
                const double qx = Between(5, FieldWidth - 5), qy = Between(5, FieldHeight - 5);
                const double length = std::hypot(qx - cx, qy - cy) + std::hypot(tx - qx, ty - qy);
                if (length < best && Clear(cx, cy, qx, qy) && Clear(qx, qy, tx, ty)) best = length, bx = qx, by = qy;
            }
            if (best == HUGE_VAL) return;
            tx = bx, ty = by;
        }
        const double tl = std::hypot(tx - cx, ty - cy);
        if (tl < 1) return;
        double nx = (tx - cx) / tl - dx, ny = (ty - cy) / tl - dy; // the stroke's normal
        const double n = std::hypot(nx, ny);
        if (n < 1e-3) return;
        nx /= n, ny /= n;
        auto at = [](double v) { return static_cast<float>(v); };
        w.onMouseDown({1, 0, at(cx + ny * half), at(cy - nx * half)});
        Check();
        w.onMouseMove({1, 0, at(cx - ny * half), at(cy + nx * half)});
        Check();
        pointerX_ = cx - ny * half, pointerY_ = cy + nx * half;
        w.onMouseUp({1, 0, at(pointerX_), at(pointerY_)});
    }

    // --- Boxes and the high-score window ---

    // What the player types or clicks in a box; while it is open the
    // timer may tick.
    void AnswerBox(const memory::ShownBox& box)
    {
        if (!failure_.empty()) return;
        // The only error the shipped data can give is the missing table
        // while no game has been entered.
        if (box.title == "Error" &&
            (box.text != "An error has occurred while trying to load the high scores list." ||
             disk_.files.count(ScoresFile) != 0))
            Fail("the box \"" + box.text + "\"");
        if (depth_ < 3 && Chance(35) && Count()) {
            ++depth_;
            Wait();
            Check();
            --depth_;
        }
        memory::MemoryDialogs& boxes = platform_->boxes();
        if (box.input) {
            std::string typed;
            if (box.text == "Please enter code:") typed = Code();
            else if (box.text == "Please enter level number:") typed = LevelEntry();
            else typed = Name();
            // The entry counts from the save that follows the name.
            if (box.title == "High Scores" && !typed.empty()) savedAfter_ = disk_.writes;
            boxes.inputs.push_back(typed);
        } else if (box.buttons == Buttons::YesNo) {
            const bool yes = Chance(50);
            if (yes && box.title == "Warning!") {
                Settle();
                enteredSinceReset_ = 0;
            }
            boxes.answers.push_back(yes ? Answer::Yes : Answer::No);
        } else if (box.buttons == Buttons::OkCancel) {
            boxes.answers.push_back(Chance(50) ? Answer::Ok : Answer::Cancel);
        }
    }

    std::string Code()
    {
        const std::string day = std::to_string(platform_->memoryClock().day);
        const std::string codes[] = {"", std::to_string(Below(40)), " " + day + "abc", day + ".0", day, day};
        return codes[Below(6)];
    }

    std::string LevelEntry()
    {
        static const char* const odd[] = {"", "0", "-3", "0.4", "0.5", "1.5", "2.5", "1e1", "abc", "99999999999", "12", "13"};
        if (Chance(20)) return std::to_string(game_->LevelCount); // the last level, to win the game
        if (Chance(50)) return odd[Below(std::size(odd))];
        return std::to_string(Below(static_cast<std::uint64_t>(game_->LevelCount) + 2));
    }

    std::string Name()
    {
        static const char* const special[] = {"", " ", "a,b", "\"", "\"\"", "x\"", " : ", "a\r\nb", "\r\n",
                                              ",,,", "1e9", "-5", "\t", "\"a\",1\r\n\"b\""};
        // Cancel, a short name, one too long for the window, any bytes at all.
        const std::uint64_t kind = Below(6), length = kind == 1 ? 1 + Below(8) : kind == 2 ? 200 + Below(2000) : 1 + Below(20);
        if (kind > 3) return special[Below(std::size(special))];
        std::string name;
        for (std::uint64_t i = 0; kind > 0 && i < length; ++i)
            name += static_cast<char>(kind == 1 ? 'a' + Below(26) : kind == 2 ? ' ' + Below(95) : 1 + Below(255));
        return name;
    }

    // The window is modal: while it is open only it and the timer have
    // events. It closes with OK, Enter, Esc or its close box alike.
    void HighScoresWindow(memory::MemoryWindow& window)
    {
        if (window.design.name != "Form2") return;
        ++depth_;
        while (!window.closed && !Ending() && failure_.empty() && Count()) {
            const std::uint64_t pick = Below(10);
            if (pick < 3) window.button("Command1")->onClick();
            else if (pick < 4) window.close();
            else if (pick < 6) window.button("Command2")->onClick();
            else if (pick < 8) window.area("Image1")->onDoubleClick();
            else Wait();
            Check();
        }
        --depth_;
    }

    // --- What must hold after every event ---

    void Check()
    {
        if (!failure_.empty()) return;
        std::string broken = Broken();
        if (!broken.empty()) Fail(broken);
    }

    void Fail(const std::string& what)
    {
        if (!failure_.empty()) return;
        failure_ = "seed " + std::to_string(seed_) + ", event " + std::to_string(done_) + ": " + what;
        platform_->events().endProgram();
    }

    std::string Broken()
    {
        const Form1& g = *game_;
        if (g.LineIndex < 0 || g.LineIndex > 50) return "LineIndex is " + std::to_string(g.LineIndex);
        if (g.FrameCounter < 0 || g.FrameCounter > 29) return "FrameCounter is " + std::to_string(g.FrameCounter);
        if (g.CurrentLevel < 0 || g.CurrentLevel > g.LevelCount + 1)
            return "CurrentLevel is " + std::to_string(g.CurrentLevel);
        const double step = std::hypot(g.BallVX, g.BallVY);
        if (!std::isfinite(g.BallX) || !std::isfinite(g.BallY) || !std::isfinite(step) || g.BallX < -step ||
            g.BallX > FieldWidth + step || g.BallY < -step || g.BallY > FieldHeight + step) {
            std::ostringstream out;
            out << "the ball is at " << g.BallX << ", " << g.BallY << " with velocity " << g.BallVX << ", "
                << g.BallVY;
            return out.str();
        }

        if (std::string state = StateBroken(); !state.empty()) return state;

        Settle();
        if (disk_.writes != writesChecked_ || enteredSinceReset_ != enteredChecked_) {
            writesChecked_ = disk_.writes;
            enteredChecked_ = enteredSinceReset_;
            auto contents = disk_.files.find(ScoresFile);
            if (contents == disk_.files.end()) {
                if (enteredSinceReset_ > 0) return "the high-score file is gone";
            } else {
                ScoreTable table = ParseScores(contents->second);
                if (!table.complete) return "the high-score file does not read back to its end";
                if (static_cast<long long>(table.entries.size()) < enteredSinceReset_)
                    return "the high-score file holds " + std::to_string(table.entries.size()) + " entries, " +
                           std::to_string(enteredSinceReset_) + " were entered since RESET ALL";
            }
        }
        return {};
    }

    // A named game counts once its save has been made.
    void Settle()
    {
        if (savedAfter_ < 0 || disk_.writes == savedAfter_) return;
        ++enteredSinceReset_;
        savedAfter_ = -1;
    }

    // The play flags and what goes with them, state by state.
    std::string StateBroken()
    {
        const Form1& g = *game_;
        const memory::MemoryWindow& w = *platform_->find("Form1");
        const bool timer = w.timer("Timer1")->on;
        const std::string pause = g.mnuPause->caption();
        std::ostringstream flags;
        flags << " (Paused " << g.Paused << ", Testing " << g.Testing << ", InMainLoop " << g.InMainLoop
              << ", timer " << timer << ", menu \"" << pause << "\", prompt " << g.Label1->visible() << " \""
              << g.Label1->caption() << "\", seconds left " << g.SecondsLeft << ")";

        if (pause != "Pause" && pause != "Resume") return "the Pause menu reads \"" + pause + "\"";
        if (pause == "Resume" && (!g.Paused || g.Testing || timer))
            return "the menu offers Resume but the player has not paused" + flags.str();
        if (!g.InMainLoop && !(g.Paused && g.Testing)) return "play goes on outside the main loop" + flags.str();
        int tables = 0;
        for (const memory::MemoryWindow* open : platform_->windows) tables += open->design.name == "Form2";
        if (tables > 1) return "the high-score window is loaded twice" + flags.str();
        if (g.Testing) {
            if (timer) return "the countdown runs before the speed test is over" + flags.str();
            if (g.CurrentLevel != 0) return "a level is set up during the speed test" + flags.str();
            if (g.Paused && g.InMainLoop) return "the speed test is paused" + flags.str();
            if (!g.Paused && (!g.Label1->visible() || g.Label1->caption() != TestMessage))
                return "the speed test runs without its message" + flags.str();
            if (g.Paused && !g.ImageClickToStart->visible())
                return "before the speed test, without the start area" + flags.str();
        } else {
            if (g.ImageClickToStart->visible()) return "the start area is back after the speed test" + flags.str();
            if (!g.Paused && (!timer || g.Label1->visible() || g.SecondsLeft <= 0))
                return "a level runs without its countdown, or with its prompt" + flags.str();
        }
        return {};
    }

    std::uint64_t seed_;
    long long limit_;
    std::mt19937_64 rng_;
    memory::MemoryFileSystem disk_;
    std::unique_ptr<memory::MemoryPlatform> platform_;
    std::unique_ptr<Form1> game_;
    double clock_ = 8 * 3600;
    double pointerX_ = 0, pointerY_ = 0;
    long long done_ = 0, idle_ = 0;
    int depth_ = 0; // boxes and windows open one over another
    long long enteredSinceReset_ = 0, enteredChecked_ = -1;
    bool playing_ = false;
    int writesChecked_ = -1;
    int savedAfter_ = -1; // the writes before a named game's save
    std::string failure_;
};

} // namespace

TEST(RandomPlay, EveryEventLeavesTheGameInAStateItCanBeIn)
{
    const auto seed = static_cast<std::uint64_t>(EnvNumber("ORVANE_RANDOM_SEED", 20261207));
    const long long events = EnvNumber("ORVANE_RANDOM_EVENTS", 1'000'000);
    RandomPlayer player(seed, events);
    if (!player.HasData()) GTEST_SKIP() << "the shipped Data folder is not at " ORVANE_SOURCE_DIR "/Data";
    player.Play();
    ASSERT_EQ(player.Failure(), "") << "replay with ORVANE_RANDOM_SEED=" << seed
                                    << " ORVANE_RANDOM_EVENTS=" << player.Events();
}
