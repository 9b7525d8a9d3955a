#include <cmath>
#include <functional>
#include <limits>

#include "game_fixture.h"
#include "scores/form2.h"
#include "sim/crossing.h"

using namespace orvane;
using namespace orvane::testing;

class PlayALevel : public GameTest {
protected:
    void Place(double x, double y, double vx, double vy)
    {
        game.BallX = x, game.BallY = y, game.BallVX = vx, game.BallVY = vy;
    }
    std::vector<Segment> Reds()
    {
        std::vector<Segment> reds;
        for (const Line& l : window().lines)
            if (l.colour == Red) reds.push_back(Segment{int(l.x1), int(l.y1), int(l.x2), int(l.y2)});
        return reds;
    }
    const std::vector<Segment> level1Margins{{200, 100, 200, 300}, {400, 100, 400, 300}, {250, 20, 350, 20}};
};

TEST(Crossing, EndsCountParallelPathsPassAndBouncesMirror)
{
    struct Case {
        Path path;
        Segment segment;
        bool crosses;
    };
    const Segment flat{100, 200, 300, 200};
    const Case cases[] = {
        {{150, 190, 150, 200}, flat, true},  {{150, 200, 150, 210}, flat, true}, // ends, starts on it
        {{150, 190, 150, 199.999}, flat, false}, {{120, 200, 130, 200}, flat, false}, // along its line
        {{150, 190, 150, 210}, {160, 200, 300, 200}, false},
        // A slanting path that only touches a slanting segment's end point.
        {{0, 0, 20, 20}, {10, 10, 30, 0}, true}, {{0, 0, 10, 10}, {30, 0, 10, 10}, true},
        {{10, 10, 20, 20}, {10, 10, -10, 30}, true}, {{20, 20, 0, 0}, {30, 0, 10, 10}, true},
        {{0, 0, 9, 9}, {10, 10, 30, 0}, false},
        // An empty row is a dot at the origin; parallel lines meet at x = 0
        // (y = 0 for a path straight up or down).
        {{10, 10, 12, 13}, {0, 0, 0, 0}, false}, {{0, 10, 2, 13}, {0, 0, 0, 0}, true},
        {{100, 0, 100, 3}, {300, -5, 300, 5}, true}, {{100, 1, 100, 3}, {300, -5, 300, 5}, false},
        {{-2, -2, 0.5, 0.5}, {-5, -4, 5, 6}, true},
        {{150, 200, 150, 200}, flat, false}, {{0, 0, 0, 0}, {0, 0, 0, 0}, false}, // a ball at rest
    };
    for (const Case& c : cases)
        EXPECT_EQ(Crosses(c.path, c.segment), c.crosses) << c.path.fromX << "," << c.path.fromY << " to "
                                                          << c.path.toX << "," << c.path.toY;

    // Every bounce is the mirror image of its path, straight up or down too.
    for (int segmentDegrees = 0; segmentDegrees < 180; segmentDegrees += 15) {
        const double w = segmentDegrees * std::acos(-1.0) / 180;
        const Segment s{300, 200, 300 + int(std::lround(100 * std::cos(w))), 200 + int(std::lround(100 * std::sin(w)))};
        const double len = std::hypot(s[2] - s[0], s[3] - s[1]), ux = (s[2] - s[0]) / len, uy = (s[3] - s[1]) / len;
        for (int pathDegrees = 0; pathDegrees < 360; pathDegrees += 5) {
            const double b = pathDegrees * std::acos(-1.0) / 180, speed = pathDegrees % 2 ? 0.0008 : 20;
            const Path p{300.25, 200.5, 300.25 + speed * std::cos(b), 200.5 + speed * std::sin(b)};
            const Velocity after = Bounce(p, s);
            const double dx = p.toX - p.fromX, dy = p.toY - p.fromY, along = dx * ux + dy * uy;
            EXPECT_NEAR(after.vx, 2 * along * ux - dx, 1e-8 * speed) << segmentDegrees << " " << pathDegrees;
            EXPECT_NEAR(after.vy, 2 * along * uy - dy, 1e-8 * speed) << segmentDegrees << " " << pathDegrees;
        }
    }
    // A ball sent straight up by a "\" wall keeps a sideways trace of about
    // 1e-19; the next "\" wall must still send it left, as the mirror does.
    const Path left{150.0004, 150, 150.0004 - 0.0008, 150};
    const Velocity up = Bounce(left, {100, 100, 200, 200});
    const Velocity out = Bounce({left.toX, 100.0002, left.toX + up.vx, 100.0002 + up.vy}, {50, 0, 250, 200});
    EXPECT_NEAR(out.vx, -0.0008, 1e-12);
    EXPECT_NEAR(Bounce({150, 190, 150, 210}, flat).vx, 5.9e-9, 0.05e-9); // the ten-digit angle's trace
}

// The level waits, paused, for the click on its prompt: the loop then waits
// for events instead of spinning, and a handler cannot start a second loop.
// After the click the ball steps once a pass and the field is redrawn every
// 30th pass.
TEST_F(PlayALevel, ThePromptStartsTheBallAndTheLoopStepsIt)
{
    ReachLevel1();
    game.SpeedFactor = 2;
    game.Restart();
    EXPECT_EQ(Caption("Label1"), "Click here to start level 1.");
    EXPECT_TRUE(window().label("Label1")->visible());
    EXPECT_TRUE(window().label("Label1")->customPointer);
    EXPECT_EQ(window().label("Label1")->colour, 65535u);
    EXPECT_TRUE(window().frame("FrameLevelInfo")->visible());
    EXPECT_EQ(Caption("Label2") + Caption("Label3") + Caption("Label4") + Caption("Label5"),
              "Level 160Level points: 3000Total score: 0");
    EXPECT_TRUE(window().shape("Shape1")->visible());
    EXPECT_EQ(window().shape("Shape1")->top, 345);
    EXPECT_FALSE(game.Timer1->enabled());
    events().onYield = [&](long long n) {
        if (n == 1) game.MainLoop();
        if (n == 10) game.Label1->onClick();
        if (n == 41) platform.events().endProgram();
    };
    std::size_t before = window().lines.size();
    game.MainLoop();
    EXPECT_EQ(events().waits, 10); // paused: no spinning
    EXPECT_FALSE(window().label("Label1")->visible());
    EXPECT_TRUE(game.Timer1->enabled());
    EXPECT_EQ(game.FrameCounter, 1);
    EXPECT_EQ(window().lines.size(), before + 51); // one redraw, margins off
    EXPECT_DOUBLE_EQ(game.BallY, 350 - 5.0 * 31);
    EXPECT_DOUBLE_EQ(window().shape("Shape1")->top, game.BallY - 5);
    EXPECT_DOUBLE_EQ(window().shape("Shape1")->left, game.BallX - 5);
}

// The ball turns back at the edges, one axis a step, the edge itself
// inside; a wall or a stroke in its way turns it and the step is tried
// again after a yield; a bounce off a stroke wipes the whole trail.
TEST_F(PlayALevel, TheBallTurnsAtEdgesWallsAndStrokes)
{
    Load(LevelWith("50,198,300,198,590,390,591,391", 2));
    struct Step {
        double x, y, vx, vy, toX, toY, toVX, toVY;
        Segment stroke = {};
    };
    const Step steps[] = {
        {100, 100, 3, -2, 103, 98, 3, -2},      {100, 2, 0, -3, 100, 5, 0, 3},
        {597, 100, 3, 0, 600, 100, 3, 0},       {3.5, 100, -3, 0, 0.5, 100, -3, 0},
        {598, 398, 5, 5, 593, 403, -5, 5},      {593, 403, -5, 5, 588, 398, -5, -5},
        {100, 195, 3, 4, 103, 191, 3, -4},      {100, 195, 3, 4, 103, 191, 3, -4, {50, 197, 300, 197}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.x);
        game.Segments[20] = s.stroke;
        game.Segments[3] = {500, 10, 510, 10};
        Place(s.x, s.y, s.vx, s.vy);
        EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Moved);
        EXPECT_DOUBLE_EQ(game.BallX, s.toX);
        EXPECT_DOUBLE_EQ(game.BallY, s.toY);
        EXPECT_NEAR(game.BallVX, s.toVX, 1e-9);
        EXPECT_NEAR(game.BallVY, s.toVY, 1e-9);
        EXPECT_EQ(game.Segments[3][0], s.stroke[0] ? 0 : 500); // the stroke's bounce wipes the trail
    }
    EXPECT_EQ(game.SegmentBounces, 2);
    EXPECT_EQ(events().yields, 2);

    // A step longer than the field is shortened, or it would pass from edge
    // to edge and never meet top or bottom.
    Place(201, 100, -223.393, -9.76859);
    for (int i = 0; i < 1000; ++i) game.MoveBall();
    EXPECT_TRUE(game.BallY >= 0 && game.BallY <= 400);
    EXPECT_NEAR(std::hypot(game.BallVX, game.BallVY), 100, 1e-9);

    // A ball wedged on a wall ends its step unmoved after a bounded retry.
    Place(100, 198, 0, 1);
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Stuck);
    EXPECT_EQ(game.BallY, 198);

    // Steps of a small fraction of a pixel neither slip through a wall nor bend.
    Load(LevelWith("550,0,550,400,1,1,2,1", 2));
    Place(549.0, 200.0, 0.0003, 0.00001);
    double furthest = 0;
    for (int step = 0; step < 1'000'000; ++step) {
        game.MoveBall();
        furthest = std::max(furthest, game.BallX);
    }
    EXPECT_LE(furthest, 550.0);
    EXPECT_NEAR(game.BallX, 251, 0.001);
    EXPECT_NEAR(game.BallY, 210.0, 1e-6);
}

// The player's drawing: the left button alone draws, each move a segment
// in a ring of 51, from the last pointer position, rounded half to even;
// a new press wipes the trail; nothing is drawn while paused.
TEST_F(PlayALevel, StrokesAreDrawnIntoARingOf51)
{
    ReachLevel1();
    game.Form_MouseMove(1, 0, 9, 9); // waiting for the prompt's click
    game.Label1->onClick();
    EXPECT_EQ(game.LineIndex, 0);
    window().onMouseDown({1, 0, 0, 0});
    for (int i = 1; i <= 60; ++i) window().onMouseMove({1, 0, float(i), 10});
    EXPECT_EQ(game.LineIndex, 9);
    EXPECT_EQ(game.Segments[0], (Segment{51, 10, 52, 10})); // rows 0..8 hold segments 52..60
    EXPECT_EQ(game.Segments[9], (Segment{9, 10, 10, 10}));
    EXPECT_EQ(game.Segments[50], (Segment{50, 10, 51, 10}));
    EXPECT_EQ(game.FrameCounter, 0); // wrapped twice, each time redrawn
    EXPECT_EQ(window().lines.size(), 51u);
    EXPECT_EQ(game.Segments[51], level1Margins[0]);

    window().onMouseMove({2, 0, 30, 40});
    window().onMouseMove({3, 0, 31, 41});
    window().onMouseMove({0, 0, 32.5f, 42.5f});
    window().onMouseMove({1, 0, 33.5f, 43.5f});
    EXPECT_EQ(game.Segments[9], (Segment{32, 42, 34, 44}));
    ASSERT_EQ(window().lines.size(), 52u);
    EXPECT_EQ(window().lines.back(), (Line{33.5f, 43.5f, 32, 42, std::nullopt})); // drawn unrounded
    window().onMouseDown({2, 0, 5, 7}); // any button starts a new trail
    EXPECT_EQ(game.Segments[0], (Segment{0, 0, 0, 0}));
    EXPECT_EQ(game.LineIndex, 0);

    game.mnuPause->onClick();
    window().onMouseMove({0, 0, 100, 100}); // the start still follows
    window().onMouseDown({1, 0, 50, 50});
    window().onMouseMove({1, 0, 60, 60});
    EXPECT_EQ(game.LineIndex, 0);
    game.mnuPause->onClick();
    window().onMouseMove({1, 0, 110, 100});
    EXPECT_EQ(game.Segments[0], (Segment{100, 100, 110, 100}));
}

// Display Margins shows the level's walls and goal in red at once, and
// hides them; while paused only its check mark changes until the next redraw.
// A new level, a restart or the hidden prompt repaints the field: no line
// of the old level stays, and the first redraw shows the new margins.
TEST_F(PlayALevel, DisplayMarginsShowsTheLevelsOwnMargins)
{
    ReachLevel1();
    game.Label1->onClick();
    game.mnuMargins->onClick();
    EXPECT_TRUE(game.mnuMargins->checked());
    EXPECT_EQ(Reds(), level1Margins);
    game.mnuMargins->onClick();
    EXPECT_EQ(Reds().size(), 0u);
    game.mnuPause->onClick();
    game.mnuMargins->onClick();
    EXPECT_EQ(Reds().size(), 0u);
    game.mnuPause->onClick();
    window().onMouseUp({1, 0, 1, 1});
    EXPECT_EQ(Reds(), level1Margins);

    files()[DataFolder + "Level002.ooo"] = LevelWith("10,20,30,40,50,60,70,80", 2);
    platform.memoryClock().day = 9;
    Form2 table(game);
    const std::vector<Segment> level2{{10, 20, 30, 40}, {50, 60, 70, 80}};
    const std::pair<std::function<void()>, std::vector<Segment>> changes[] = {
        {[&] { game.LevelCompleted(); }, level2},
        {[&] { game.mnuRestart->onClick(); }, level1Margins},
        {[&] { platform.boxes().inputs = {"9", "2"}, table.Image1_DblClick(); }, level2}};
    for (const auto& [change, margins] : changes) {
        game.Label1->onClick();
        window().onMouseDown({1, 0, 500, 300});
        window().onMouseMove({1, 0, 520, 310});
        change();
        EXPECT_TRUE(window().lines.empty());
        game.Label1->onClick();
        for (int pass = 0; pass < Form1::RepaintPeriod; ++pass) game.MainLoopPass();
        EXPECT_EQ(Reds(), margins);
    }
}

// Pause and RESTART do nothing before or during the speed test; RESTART
// while paused goes back to level 1, still paused, and Resume starts it.
TEST_F(PlayALevel, PauseResumeAndRestart)
{
    game.mnuPause->onClick();
    game.mnuRestart->onClick();
    game.Label1->onClick();
    EXPECT_EQ(game.mnuPause->caption(), "Pause");
    EXPECT_EQ(game.CurrentLevel, 0);

    ReachLevel1();
    game.mnuPause->onClick(); // between levels: nothing to pause
    EXPECT_EQ(game.mnuPause->caption(), "Pause");
    game.Label1->onClick();
    game.mnuPause->onClick();
    EXPECT_TRUE(game.Paused);
    EXPECT_EQ(game.mnuPause->caption(), "Resume");
    EXPECT_FALSE(game.Timer1->enabled());
    game.TotalScore = 500;
    game.mnuRestart->onClick();
    EXPECT_EQ(game.CurrentLevel, 1);
    EXPECT_EQ(game.mnuPause->caption(), "Resume");
    EXPECT_FALSE(game.Timer1->enabled());
    EXPECT_EQ(Caption("Label5"), "Total score: 0");
    game.mnuPause->onClick();
    EXPECT_FALSE(game.Paused);
    EXPECT_TRUE(game.Timer1->enabled());
    EXPECT_FALSE(game.Label1->visible());
}

// Crossing the goal ends the level before the ball moves: its seconds
// times its points go to the score, saturating, and the next level waits.
TEST_F(PlayALevel, TheGoalScoresTheSecondsLeft)
{
    ReachLevel1();
    files()[DataFolder + "Level002.ooo"] = LevelWith("", 0);
    game.Label1->onClick();
    game.SecondsLeft = 7;
    Place(300, 22, 0, -2.5);
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Goal);
    EXPECT_TRUE(game.Paused);
    EXPECT_EQ(game.TotalScore, 350);
    EXPECT_EQ(Caption("Label2"), "Level 2");
    EXPECT_EQ(game.BallX, 100); // level 2's ball, unmoved by the step

    // Without margins the player's last row is the goal.
    game.Segments[50] = {50, 197, 300, 197};
    Place(100, 195, 3, 4);
    game.TotalScore = std::numeric_limits<std::int32_t>::max() - 5;
    game.SecondsLeft = 1'000'000;
    game.PointsPerSecond = 1'000'000;
    game.UpdateLevelInfo();
    EXPECT_EQ(Caption("Label4"), "Level points: 2147483647");
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Goal);
    EXPECT_EQ(game.TotalScore, std::numeric_limits<std::int32_t>::max());

    files()[DataFolder + "Level1000.ooo"] = LevelWith("590,390,591,391", 1);
    game.LevelCount = 2000;
    game.CurrentLevel = 999;
    game.LevelCompleted();
    EXPECT_EQ(window().picture, DataFolder + "Pic.gif"); // Level1000.ooo was found
}
