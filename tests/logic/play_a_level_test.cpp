// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "game_fixture.h"
#include "scores/form2.h"
#include "sim/crossing.h"

using namespace orvane;
using namespace orvane::testing;

class PlayALevel : public GameTest {
protected:
    void Place(double x, double y, double vx, double vy) { game.BallX = x, game.BallY = y, game.BallVX = vx, game.BallVY = vy; }
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
    const Segment flat{100, 200, 300, 200}, dot{0, 0, 0, 0};
    const std::tuple<Path, Segment, bool> cases[] = {
        {{150, 190, 150, 200}, flat, true}, {{150, 200, 150, 210}, flat, true}, // ends, starts on it
        {{150, 190, 150, 199.999}, flat, false}, {{120, 200, 130, 200}, flat, false}, // along its line
        {{150, 190, 150, 210}, {160, 200, 300, 200}, false}, {{150, 200, 150, 200}, flat, false}, // at rest
        // A slanting path that only touches a slanting segment's end point.
        {{0, 0, 20, 20}, {10, 10, 30, 0}, true}, {{0, 0, 10, 10}, {30, 0, 10, 10}, true},
        {{10, 10, 20, 20}, {10, 10, -10, 30}, true}, {{0, 0, 9, 9}, {10, 10, 30, 0}, false},
        {{150, 90, 150, 110}, {100, 50, 200, 150}, true}, {{150, 80, 150, 99}, {100, 50, 200, 150}, false},
        // An empty row is a dot at the origin; parallel lines meet at x = 0 (y = 0 when vertical).
        {{10, 10, 12, 13}, dot, false}, {{0, 10, 2, 13}, dot, true}, {{0, 0, 0, 0}, dot, false},
        {{100, 0, 100, 3}, {300, -5, 300, 5}, true}, {{100, 1, 100, 3}, {300, -5, 300, 5}, false}};
    for (const auto& [p, s, crosses] : cases)
        EXPECT_EQ(Crosses(p, s), crosses) << p.fromX << "," << p.fromY << " to " << p.toX << "," << p.toY;

    // Every bounce is the mirror image of its path, straight up or down too,
    // off segments every 15 degrees and off one a pixel across, as steep as
    // a segment gets without standing upright.
    std::vector<Segment> segments{{300, 200, 301, 300}};
    for (int degrees = 0; degrees < 180; degrees += 15) {
        const double w = degrees * std::acos(-1.0) / 180;
        segments.push_back({300, 200, 300 + int(std::lround(100 * std::cos(w))), 200 + int(std::lround(100 * std::sin(w)))});
    }
    for (const Segment& s : segments) {
        const int segmentDegrees = int(std::lround(std::atan2(s[3] - s[1], s[2] - s[0]) * 180 / std::acos(-1.0)));
        const double len = std::hypot(s[2] - s[0], s[3] - s[1]), ux = (s[2] - s[0]) / len, uy = (s[3] - s[1]) / len;
        for (int pathDegrees = 0; pathDegrees < 360; pathDegrees += 5) {
            const double b = pathDegrees * std::acos(-1.0) / 180, speed = pathDegrees % 2 ? 0.0008 : 20;
            const double dx = speed * std::cos(b), dy = speed * std::sin(b), along = dx * ux + dy * uy;
            const Velocity after = Bounce({300.25, 200.5, 300.25 + dx, 200.5 + dy}, s);
            EXPECT_NEAR(after.vx, 2 * along * ux - dx, 1e-8 * speed) << segmentDegrees << " " << pathDegrees;
            EXPECT_NEAR(after.vy, 2 * along * uy - dy, 1e-8 * speed) << segmentDegrees << " " << pathDegrees;
        }
    }
    // A ball sent straight up by a "\" wall keeps a sideways trace of about
    // 1e-19; the next "\" wall must still send it left, as the mirror does.
    const Path left{150.0004, 150, 150.0004 - 0.0008, 150};
    const Velocity up = Bounce(left, {100, 100, 200, 200});
    const Path straightUp{left.toX, 100.0002, left.toX + up.vx, 100.0002 + up.vy};
    EXPECT_NEAR(Bounce(straightUp, {50, 0, 250, 200}).vx, -0.0008, 1e-12);
}

// A paused loop waits for events instead of spinning, and a handler cannot start a second loop inside it.
TEST_F(PlayALevel, ThePromptStartsTheBallAndTheLoopStepsIt)
{
    ReachLevel1(), game.SpeedFactor = 2, game.Restart();
    const memory::MemoryLabel& prompt = *window().label("Label1");
    EXPECT_TRUE(prompt.visible() && prompt.customPointer && window().frame("FrameLevelInfo")->visible() &&
                window().shape("Shape1")->visible() && !game.Timer1->enabled());
    EXPECT_TRUE(prompt.colour == 65535u && window().shape("Shape1")->top == 345);
    for (const auto& label : window().labels) EXPECT_TRUE(label->visible()) << label->design.name;
    EXPECT_EQ(Caption("Label2") + "|" + Caption("Label3") + "|" + Caption("Label4") + "|" + Caption("Label5"),
              "Level 1|60|Level points: 3000|Total score: 0");
    events().onYield = [&](long long n) {
        if (n == 1) game.MainLoop();
        if (n == 10) game.Label1->onClick();
        if (n == 41) platform.events().endProgram();
    };
    game.MainLoop();
    EXPECT_EQ(events().waits, 10); // paused: no spinning
    EXPECT_TRUE(!prompt.visible() && game.Timer1->enabled() && window().lines.size() == 51u); // one redraw, margins off
    EXPECT_DOUBLE_EQ(game.BallY, 350 - 5.0 * 31);
    EXPECT_EQ((std::pair{window().shape("Shape1")->left, window().shape("Shape1")->top}), (std::pair{game.BallX - 5, game.BallY - 5}));
}

// The edges turn one axis a step; a wall or a stroke turns the ball and the step is tried again after a
// yield, as handlers may change anything.
TEST_F(PlayALevel, TheBallTurnsAtEdgesWallsAndStrokes)
{
    Load(LevelWith("50,198,300,198,590,390,591,391", 2));
    struct Step { double x, y, vx, vy, toX, toY, toVX, toVY; Segment stroke = {}; };
    const Step steps[] = {
        {100, 100, 3, -2, 103, 98, 3, -2}, {100, 2, 0, -3, 100, 5, 0, 3}, {597, 100, 3, 0, 600, 100, 3, 0},
        {3.5, 100, -3, 0, 0.5, 100, -3, 0}, {2, 100, -3, 0, 5, 100, 3, 0}, {100, 397, 0, 3, 100, 400, 0, 3},
        {598, 398, 5, 5, 593, 403, -5, 5}, {593, 403, -5, 5, 588, 398, -5, -5}, {100, 195, 3, 4, 103, 191, 3, -4},
        {100, 195, 3, 4, 103, 191, 3, -4, {50, 197, 300, 197}}, {100, 3, 0, -3, 100, 0, 0, -3},
        {3, 300, -3, 0, 0, 300, -3, 0}, // the edges themselves are inside
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.x);
        // Trails in the ring, far off; no empty row, which a path to the top-left edges would meet.
        for (std::size_t r = 0; r < PlayerRows; ++r) game.Segments[r] = {500, 10, 510, 10};
        if (s.stroke[0]) game.Segments[50] = s.stroke;
        Place(s.x, s.y, s.vx, s.vy);
        EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Moved);
        EXPECT_EQ(std::vector<double>({game.BallX, game.BallY, std::round(game.BallVX), std::round(game.BallVY)}),
                  std::vector<double>({s.toX, s.toY, s.toVX, s.toVY}));
        EXPECT_EQ(game.Segments[0][0], s.stroke[0] ? 0 : 500); // the stroke's bounce wipes the trail
    }
    EXPECT_EQ(events().yields, 2);

    Place(201, 100, -223.393, -9.76859); // a step longer than the field, shortened, cannot pass from edge to edge for ever
    for (int i = 0; i < 1000; ++i) game.MoveBall();
    EXPECT_TRUE(game.BallY >= 0 && game.BallY <= 400 && std::abs(std::hypot(game.BallVX, game.BallVY) - 100) < 1e-9);
    Place(300, 200, 0, 150), game.MoveBall();
    EXPECT_EQ((std::pair{game.BallY, game.BallVY}), (std::pair{300.0, 100.0}));
    Place(100, 198, 0, 1); // a ball lying on a wall leaves it the way it came
    EXPECT_TRUE(game.MoveBall() == Form1::StepOutcome::Moved && game.BallY == 197 && game.BallVY == -1);
    Load(LevelWith("0,199,600,199,0,201,600,201,590,390,591,391", 3)); // between two walls it stays
    Place(300, 200, 0, 2);
    EXPECT_TRUE(game.MoveBall() == Form1::StepOutcome::Stuck && game.BallY == 200);

    // Steps of a small fraction of a pixel neither slip through a wall nor bend.
    Load(LevelWith("550,0,550,400,1,1,2,1", 2)), Place(549.0, 200.0, 0.0003, 0.00001);
    for (int step = 0; step < 1'000'000; ++step) game.MoveBall();
    EXPECT_TRUE(std::abs(game.BallX - 251) < 0.001 && std::abs(game.BallY - 210) < 1e-6); // back from the wall, unbent
}

// Each move with the left button alone adds a segment to a ring of 51, rounded half to even; RESTART
// while paused stays paused until Resume.
TEST_F(PlayALevel, StrokesMarginsPauseAndRestart)
{
    ReachLevel1(), game.Form_MouseMove(1, 0, 9, 9), game.mnuPause->onClick(); // nothing to draw nor pause before the click
    EXPECT_TRUE(game.LineIndex == 0 && game.mnuPause->caption() == "Pause");
    game.Label1->onClick(), window().onMouseDown({1, 0, 0, 0});
    for (int i = 1; i <= 60; ++i) window().onMouseMove({1, 0, float(i), 10});
    EXPECT_EQ(game.LineIndex, 9);
    EXPECT_EQ((std::pair{game.Segments[0], game.Segments[9]}), (std::pair{Segment{51, 10, 52, 10}, Segment{9, 10, 10, 10}})); // rows 0..8: 52..60
    EXPECT_EQ(window().lines.size(), 51u); // redrawn at the 30th and 60th
    for (const MouseEvent& move : {MouseEvent{3, 0, 31, 41}, {0, 0, 32.5f, 42.5f}, {1, 0, 33.5f, 43.5f}}) window().onMouseMove(move);
    EXPECT_EQ(game.Segments[9], (Segment{32, 42, 34, 44}));
    EXPECT_EQ(window().lines.at(51), (Line{33.5f, 43.5f, 32, 42, std::nullopt})); // drawn unrounded
    window().onMouseDown({2, 0, 5, 7}), window().onMouseMove({1, 0, 8, 9}); // a new trail, from there
    EXPECT_EQ((std::pair{game.Segments[0], game.Segments[1]}), (std::pair{Segment{5, 7, 8, 9}, Segment{0, 0, 0, 0}}));
    game.mnuMargins->onClick();
    EXPECT_EQ(Reds(), level1Margins);
    game.mnuMargins->onClick();
    EXPECT_TRUE(Reds().empty());
    game.mnuPause->onClick();
    EXPECT_TRUE(game.Paused && !game.Timer1->enabled());
    game.mnuMargins->onClick(); // only the check mark changes
    window().onMouseMove({0, 0, 100, 100}); // the start still follows
    window().onMouseDown({1, 0, 50, 50}), window().onMouseMove({1, 0, 60, 60}), window().onMouseUp({1, 0, 60, 60});
    EXPECT_TRUE(game.LineIndex == 1 && game.mnuMargins->checked() && Reds().empty());
    game.TotalScore = 500, game.mnuRestart->onClick();
    EXPECT_EQ(game.mnuPause->caption() + "|" + Caption("Label5") + "|" + std::to_string(game.Timer1->enabled()), "Resume|Total score: 0|0");
    game.mnuPause->onClick();
    EXPECT_TRUE(!game.Paused && game.Timer1->enabled() && !game.Label1->visible() && game.mnuPause->caption() == "Pause");
    window().onMouseMove({1, 0, 110, 100});
    EXPECT_EQ(game.Segments[1], (Segment{100, 100, 110, 100}));
    window().onMouseUp({1, 0, 110, 100});
    EXPECT_EQ(Reds(), level1Margins);
    window().onMouseDown({1, 0, 120, 100}); // a new trail: the margins stay shown
    EXPECT_EQ(Reds(), level1Margins);
    window().onMouseMove({1, 0, std::numeric_limits<float>::quiet_NaN(), -1e30f}); // no pointer says so; held all the same
    EXPECT_EQ(game.Segments[std::size_t(game.LineIndex + LastPlayerRow) % PlayerRows],
              (Segment{120, 100, 0, std::numeric_limits<std::int32_t>::min()}));
}

// A new level, a restart or the hidden prompt (to the last level) repaints the field: no old line stays.
TEST_F(PlayALevel, ANewLevelLeavesNoOldLineDrawn)
{
    ReachLevel1(), game.mnuMargins->onClick();
    files()[DataFolder + "Level002.ooo"] = files()[DataFolder + "Level003.ooo"] = LevelWith("10,20,30,40,50,60,70,80", 2);
    platform.memoryClock().day = 9;
    Form2 table(game);
    const std::vector<Segment> margins2{{10, 20, 30, 40}, {50, 60, 70, 80}};
    const std::pair<std::function<void()>, std::vector<Segment>> changes[] = {
        {[&] { game.LevelCompleted(); }, margins2}, {[&] { game.mnuRestart->onClick(); }, level1Margins},
        {[&] { platform.boxes().inputs = {"9", "3"}, table.Image1_DblClick(); }, margins2}};
    for (const auto& [change, margins] : changes) {
        game.Label1->onClick(), window().onMouseDown({1, 0, 500, 300}), window().onMouseMove({1, 0, 520, 310});
        change();
        EXPECT_TRUE(window().lines.empty());
        game.Label1->onClick();
        for (int pass = 0; pass < Form1::RepaintPeriod; ++pass) game.MainLoopPass();
        EXPECT_EQ(Reds(), margins);
    }
}

// The goal ends the level before the ball moves; the score saturates.
TEST_F(PlayALevel, TheGoalScoresTheSecondsLeft)
{
    ReachLevel1(), files()[DataFolder + "Level002.ooo"] = LevelWith("", 0), game.Label1->onClick();
    game.SecondsLeft = 7, Place(300, 22, 0, -2.5);
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Goal);
    game.MainLoopPass(); // level 2's ball waits for the click
    EXPECT_TRUE(game.TotalScore == 350 && Caption("Label2") == "Level 2" && game.BallX == 100);

    // Without margins the player's last row is the goal.
    game.Segments[50] = {50, 197, 300, 197}, Place(100, 195, 3, 4);
    game.TotalScore = std::numeric_limits<std::int32_t>::max() - 5, game.SecondsLeft = game.PointsPerSecond = 1'000'000;
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Goal);
    EXPECT_EQ(game.TotalScore, std::numeric_limits<std::int32_t>::max());

    // The level after the last possible level number is past every game's end.
    game.LevelCount = game.CurrentLevel = std::numeric_limits<std::int16_t>::max();
    const std::size_t shown = boxes().size();
    game.LevelCompleted();
    EXPECT_TRUE(boxes().at(shown).text.starts_with("Congratulations"));
}
