// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The level checker as an author runs it: what it reads from a level file, what it warns of, how the
// ball and a recorded solution fare, and how often an unsteady hand still wins.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "level_check.h"

using namespace orvane::levelcheck;
namespace fs = std::filesystem;

namespace {

class LevelCheck : public ::testing::Test {
protected:
    LevelCheck() { Write("Example.gif", "GIF89a"); }
    ~LevelCheck() override { fs::remove_all(folder); }
    std::string Write(const std::string& name, const std::string& text)
    {
        fs::create_directories(folder);
        std::ofstream(folder / name, std::ios::binary) << text;
        return (folder / name).string();
    }

    static std::optional<orvane::Size> Probe(const std::string& path) // every picture is 600 x 400 but "Small.gif"
    {
        if (!fs::exists(path)) return std::nullopt;
        return path.ends_with("Small.gif") ? orvane::Size{300, 200} : orvane::Size{600, 400};
    }

    const fs::path folder = fs::temp_directory_path() / ("orvane-levelcheck-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

Options Steps(long long steps, std::optional<std::vector<Stroke>> solution = std::nullopt)
{
    return {.steps = steps, .passesPerSecond = 100, .solution = std::move(solution)};
}

const char* Example = "\"Example.gif\"\r\n300,350\r\n0,-2.5\r\n60,50\r\n255,255,0\r\n3\r\n"
                      "200,100,200,300\r\n400,100,400,300\r\n250,20,350,20\r\n";

} // namespace

TEST_F(LevelCheck, ReportsALevelAsTheGameReadsItAndWhatFailedInABrokenOne)
{
    Report r = Check(Write("Example.ooo", Example), {}, Probe);
    EXPECT_EQ(ToJson(r), "{\"file\": \"" + (folder / "Example.ooo").string() + "\", \"ok\": true, \"error\": null, \"picture\": "
                         "{\"name\": \"Example.gif\", \"found\": true, \"width\": 600, \"height\": 400}, \"ball\": [300.0, 350.0], "
                         "\"velocity\": [0.0, -2.5], \"seconds\": 60, \"points_per_second\": 50, \"prompt_colour\": 65535, \"margins\": "
                         "[[200,100,200,300], [400,100,400,300], [250,20,350,20]], \"warnings\": [], \"run\": {\"outcome\": \"goal\", "
                         "\"steps\": 132, \"bounces\": 0, \"ball\": [300.0, 22.5], \"velocity\": [0.0, -2.5], \"seconds_left\": 60}}");

    // The game's message, where it failed, and what was read up to there.
    r = Check(Write("Broken.ooo", "Example.gif,300,350,0,-2.5,60,50,1,2,3,3,1,2,3,4,5\r\n"), {}, Probe);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.find("An error has occurred while trying to load the game.") != std::string::npos &&
                r.error.find("margin 2") != std::string::npos) << r.error;
    EXPECT_TRUE(r.ballY == 350 && r.margins.size() == 3u);
    EXPECT_NE(ToJson(r).find("\"run\": null"), std::string::npos);
}

TEST_F(LevelCheck, WarnsOfPoorLevelsThatStillLoad)
{
    Write("Small.gif", "GIF89a");
    // Numbers separated by blanks, as the loader reads them too.
    Report r = Check(Write("Poor.ooo", "Small.gif\r\n700 10 0 0 10 10 300 -1 0 1 0 0 0 0\r\n"), Steps(1000), Probe);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.warnings, (std::vector<std::string>{"the ball starts outside the playfield", "the ball is at rest",
                                                    "the picture is 300 x 200, not 600 x 400",
                                                    "the prompt's red part 300 is not within 0 to 255",
                                                    "the prompt's green part -1 is not within 0 to 255"}));

    r = Check(Write("NoGoal.ooo", "Example.gif,10,10,1,1,10,10,0,0,0,0\r\n"), Steps(10), Probe);
    EXPECT_EQ(r.warnings, std::vector<std::string>{"the level has no margin: it needs at least its goal line"});
    // A missing picture fails the load; only what the file gets wrong is told, the rest was never read.
    r = Check(Write("Missing.ooo", std::string(Example).replace(1, 7, "Missing")), Steps(10), Probe);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.warnings, std::vector<std::string>{"the picture Missing.gif is missing"});
}

TEST_F(LevelCheck, ReplaysASolutionAsRecordedAndAsAnUnsteadyHandDrawsIt)
{
    const std::string level = Write("Example.ooo", Example);
    EXPECT_EQ(Check(level, Steps(100), Probe).run->steps, 100); // short of the goal at 132

    // A wall across the ball's way sends it back down until the trail is gone; the goal comes later than unaided.
    Report r = Check(level, Steps(10, ReadSolution("# one stroke\nat 0.1 290,200 310,200\n")), Probe);
    EXPECT_TRUE(r.solution->outcome == "goal" && r.solution->bounces == 1 && r.solution->steps > 132);
    // Without strokes a long level runs out of time at the solution's rate.
    r = Check(Write("Slow.ooo", "Example.gif,300,350,0,-0.01,3,50,0,0,0,1,250,20,350,20\r\n"), Steps(10, std::vector<Stroke>{}), Probe);
    EXPECT_TRUE(r.solution->outcome == "time over" && r.solution->secondsLeft == 0);
    // A ball wedged between two walls ends its replay after a tenth of a second, not at the level's end.
    r = Check(Write("Wedged.ooo", "Example.gif,300,200,0,2,10,50,0,0,0,3,0,199,600,199,0,201,600,201,250,20,350,20\r\n"),
              Steps(10, std::vector<Stroke>{}), Probe);
    EXPECT_TRUE(r.run->outcome == "stuck" && r.solution->outcome == "stuck" && r.solution->steps == 10);
    for (const char* bad : {"at x 1,2 3,4", "at 1 1,2"}) EXPECT_THROW(ReadSolution(bad), std::runtime_error) << bad;

    // The ball flies right for ever unless a line turns it up to the goal.
    const std::string turn = Write("Turn.ooo", "Example.gif,300,350,2.5,0,10,50,0,0,0,1,350,20,450,20\r\n");
    Options options = Steps(10, ReadSolution("at 0.1 370,380 430,320\n"));
    options.tolerance = 20, options.jitter = 0, options.timing = 0;
    r = Check(turn, options, Probe);
    EXPECT_TRUE(r.run->outcome == "none" && r.tolerance->wins == 20); // a steady hand is the solution itself
    // A hand that wanders 40 pixels sends the ball off the goal now and then; the same seed wanders alike.
    options.jitter = 40;
    r = Check(turn, options, Probe);
    EXPECT_TRUE(r.tolerance->wins > 0 && r.tolerance->wins < 20) << r.tolerance->wins;
    EXPECT_EQ(Check(turn, options, Probe).tolerance->wins, r.tolerance->wins);
    EXPECT_NE(ToJson(r).find(", \"tolerance\": {\"replays\": 20, \"wins\": " + std::to_string(r.tolerance->wins)), std::string::npos);
    EXPECT_NE(ToText(r).find("of 20 replays reach the goal"), std::string::npos) << ToText(r);
}

TEST(UnsteadyHand, MovesPointsAndMomentsWithinTheirBoundsInTheOrderDrawn)
{
    const std::vector<Stroke> steady = ReadSolution("at 0.05 100,100 200,200 300,100\nat 0.2 10,10 20,20\n");
    std::mt19937_64 random(7);
    bool swapped = false, nearTheBound = false;
    for (int replay = 0; replay < 200; ++replay) {
        const std::vector<Stroke> drawn = Unsteady(steady, 4, 0.15, random);
        ASSERT_TRUE(drawn.size() == 2u && drawn[0].at <= drawn[1].at);
        swapped = swapped || drawn[0].points.size() == 2;
        for (const Stroke& stroke : drawn) {
            const Stroke& from = stroke.points.size() == 3 ? steady[0] : steady[1];
            EXPECT_TRUE(stroke.at >= 0 && std::abs(stroke.at - from.at) <= 0.15 + 1e-9) << stroke.at; // never before the start
            for (std::size_t i = 0; i < from.points.size(); ++i) {
                const double moved = std::hypot(stroke.points[i].first - from.points[i].first,
                                                stroke.points[i].second - from.points[i].second);
                EXPECT_LE(moved, 4 + 1e-4);
                nearTheBound = nearTheBound || moved > 3;
            }
        }
    }
    EXPECT_TRUE(swapped && nearTheBound) << "strokes 0.15 s apart swap now and then, points move up to the bound";
}
