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
    LevelCheck()
    {
        folder = fs::temp_directory_path() / ("orvane-levelcheck-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        Write("Example.gif", "GIF89a");
    }
    ~LevelCheck() override { fs::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& text)
    {
        std::ofstream(folder / name, std::ios::binary) << text;
        return (folder / name).string();
    }

    static std::optional<orvane::Size> Probe(const std::string& path)
    {
        if (!fs::exists(path)) return std::nullopt;
        return path.ends_with("Small.gif") ? orvane::Size{300, 200} : orvane::Size{600, 400};
    }

    fs::path folder;
};

Options Steps(long long steps)
{
    Options options;
    options.steps = steps;
    return options;
}

const char* Example = "\"Example.gif\"\r\n300,350\r\n0,-2.5\r\n60,50\r\n255,255,0\r\n3\r\n"
                      "200,100,200,300\r\n400,100,400,300\r\n250,20,350,20\r\n";

} // namespace

TEST_F(LevelCheck, ReportsAGoodLevelAsTheGameReadsIt)
{
    Report r = Check(Write("Example.ooo", Example), {}, Probe);
    EXPECT_EQ(ToJson(r),
              "{\"file\": \"" + (folder / "Example.ooo").string() +
                  "\", \"ok\": true, \"error\": null, \"picture\": {\"name\": \"Example.gif\", \"found\": true, "
                  "\"width\": 600, \"height\": 400}, \"ball\": [300.0, 350.0], \"velocity\": [0.0, -2.5], "
                  "\"seconds\": 60, \"points_per_second\": 50, \"prompt_colour\": 65535, \"margins\": "
                  "[[200,100,200,300], [400,100,400,300], [250,20,350,20]], \"warnings\": [], \"run\": "
                  "{\"outcome\": \"goal\", \"steps\": 132, \"bounces\": 0, \"ball\": [300.0, 22.5], "
                  "\"velocity\": [0.0, -2.5], \"seconds_left\": 60}}");
}

TEST_F(LevelCheck, ABrokenFileSaysWhatFailedAndKeepsWhatWasRead)
{
    Report r = Check(Write("Broken.ooo", "Example.gif,300,350,0,-2.5,60,50,1,2,3,3,1,2,3,4,5\r\n"), {}, Probe);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("An error has occurred while trying to load the game."), std::string::npos);
    EXPECT_NE(r.error.find("margin 2"), std::string::npos) << r.error;
    EXPECT_EQ(r.ballY, 350);
    ASSERT_EQ(r.margins.size(), 3u);
    EXPECT_FALSE(r.run.has_value());
    EXPECT_NE(ToJson(r).find("\"run\": null"), std::string::npos);
}

TEST_F(LevelCheck, WarnsOfPoorLevelsThatStillLoad)
{
    Write("Small.gif", "GIF89a");
    // Numbers separated by blanks, as the loader reads them too.
    Report r = Check(Write("Poor.ooo", "Small.gif\r\n700 10 0 0 10 10 300 -1 0 1 0 0 0 0\r\n"), Steps(1000), Probe);
    EXPECT_TRUE(r.ok);
    std::string all;
    for (const auto& w : r.warnings) all += w + "\n";
    for (const char* expected : {"outside the playfield", "at rest", "300 x 200", "red part 300", "green part -1"})
        EXPECT_NE(all.find(expected), std::string::npos) << expected << " in\n" << all;

    r = Check(Write("NoGoal.ooo", "Missing.gif,10,10,1,1,10,10,0,0,0,0\r\n"), Steps(10), Probe);
    EXPECT_FALSE(r.ok); // a missing picture fails the load
    all.clear();
    for (const auto& w : r.warnings) all += w + "\n";
    EXPECT_NE(all.find("no margin"), std::string::npos);
    EXPECT_NE(all.find("Missing.gif is missing"), std::string::npos);
}

TEST_F(LevelCheck, LetsTheBallRunAndReplaysASolution)
{
    std::string level = Write("Example.ooo", Example);
    Report r = Check(level, Steps(100), Probe);
    EXPECT_EQ(r.run->outcome, "none");
    EXPECT_EQ(r.run->steps, 100);

    // A wall across the ball's way sends it back down until the trail is
    // gone; the ball reaches the goal later than unaided.
    Options options = Steps(10);
    options.passesPerSecond = 100;
    options.solution = ReadSolution("# one stroke\nat 0.1 290,200 310,200\n");
    r = Check(level, options, Probe);
    ASSERT_TRUE(r.solution.has_value());
    EXPECT_EQ(r.solution->outcome, "goal");
    EXPECT_EQ(r.solution->bounces, 1);
    EXPECT_GT(r.solution->steps, 132);

    // Without strokes a long level runs out of time at the solution's rate.
    std::string slow = Write("Slow.ooo", "Example.gif,300,350,0,-0.01,3,50,0,0,0,1,250,20,350,20\r\n");
    options.solution = std::vector<Stroke>{};
    r = Check(slow, options, Probe);
    EXPECT_EQ(r.solution->outcome, "time over");
    EXPECT_EQ(r.solution->secondsLeft, 0);

    EXPECT_THROW(ReadSolution("at x 1,2 3,4"), std::runtime_error);
    EXPECT_THROW(ReadSolution("at 1 1,2"), std::runtime_error);
}

TEST_F(LevelCheck, CountsTheReplaysAnUnsteadyHandStillWins)
{
    // The ball flies right for ever unless a line turns it up to the goal.
    std::string level = Write("Turn.ooo", "Example.gif,300,350,2.5,0,10,50,0,0,0,1,350,20,450,20\r\n");
    Options options = Steps(10);
    options.passesPerSecond = 100;
    options.solution = ReadSolution("at 0.1 370,380 430,320\n");
    options.tolerance = 20;
    options.jitter = 0, options.timing = 0;
    Report r = Check(level, options, Probe);
    EXPECT_EQ(r.run->outcome, "none");
    EXPECT_EQ(r.solution->outcome, "goal");
    ASSERT_TRUE(r.tolerance.has_value());
    EXPECT_EQ(r.tolerance->wins, 20); // a steady hand is the solution itself

    // A hand that wanders 40 pixels sends the ball off the goal now and then;
    // the same seed wanders the same way.
    options.jitter = 40;
    r = Check(level, options, Probe);
    EXPECT_GT(r.tolerance->wins, 0);
    EXPECT_LT(r.tolerance->wins, 20);
    EXPECT_EQ(Check(level, options, Probe).tolerance->wins, r.tolerance->wins);
    EXPECT_NE(ToJson(r).find(", \"tolerance\": {\"replays\": 20, \"wins\": " + std::to_string(r.tolerance->wins)),
              std::string::npos)
        << ToJson(r);
    EXPECT_NE(ToText(r).find("of 20 replays reach the goal"), std::string::npos) << ToText(r);
}

TEST(UnsteadyHand, MovesPointsAndMomentsWithinTheirBoundsInTheOrderDrawn)
{
    const std::vector<Stroke> steady = ReadSolution("at 0.05 100,100 200,200 300,100\nat 0.2 10,10 20,20\n");
    std::mt19937_64 random(7), again(7);
    bool late = false, moved = false;
    for (int replay = 0; replay < 200; ++replay) {
        const std::vector<Stroke> drawn = Unsteady(steady, 4, 0.15, random);
        EXPECT_EQ(drawn.size(), 2u);
        EXPECT_LE(drawn[0].at, drawn[1].at);
        for (const Stroke& stroke : drawn) {
            EXPECT_GE(stroke.at, 0); // never before the level starts
            // The strokes may swap; each keeps its own points.
            const Stroke& from = stroke.points.size() == 3 ? steady[0] : steady[1];
            EXPECT_LE(std::abs(stroke.at - from.at), 0.15 + 1e-9);
            for (std::size_t i = 0; i < from.points.size(); ++i) {
                const double dx = stroke.points[i].first - from.points[i].first;
                const double dy = stroke.points[i].second - from.points[i].second;
                EXPECT_LE(std::hypot(dx, dy), 4 + 1e-4);
                moved = moved || std::hypot(dx, dy) > 3;
            }
        }
        late = late || drawn[0].points.size() == 2;
        EXPECT_EQ(Unsteady(steady, 4, 0.15, again)[0].points, drawn[0].points);
    }
    EXPECT_TRUE(late) << "strokes 0.15 s apart swap now and then";
    EXPECT_TRUE(moved) << "points reach near the bound";
}
