#include <cmath>

#include "game_fixture.h"
#include "sim/crossing.h"

using namespace orvane;
using namespace orvane::testing;

// A ball going left into a "\" line leaves straight up, its velocity
// keeping a sideways trace of about 1e-19 that never moves it; the next
// "\" line must then send it on to the left, as the mirror does.
TEST(Crossing, AStraightUpPathTurnsTheWayItsMirrorSays)
{
    const double speed = 0.0008;
    Path left{150.0004, 150, 150.0004 - speed, 150};
    ASSERT_TRUE(Crosses(left, {100, 100, 200, 200}));
    Velocity up = Bounce(left, {100, 100, 200, 200});
    EXPECT_LT(std::fabs(up.vx), 1e-18);
    EXPECT_NEAR(up.vy, -speed, 1e-12);

    const double x = left.toX;
    Path straightUp{x, 100.0002, x + up.vx, 100.0002 + up.vy};
    ASSERT_EQ(straightUp.toX, x);
    ASSERT_TRUE(Crosses(straightUp, {50, 0, 250, 200}));
    Velocity out = Bounce(straightUp, {50, 0, 250, 200});
    EXPECT_NEAR(out.vx, -speed, 1e-12);
    EXPECT_LT(std::fabs(out.vy), 1e-12);
}

// Every bounce, paths straight up or down included, is the mirror image of
// its path: the part along the segment stays, the part across it turns.
TEST(Crossing, EveryBounceIsTheMirrorImageOfItsPath)
{
    for (int segmentDegrees = 0; segmentDegrees < 180; segmentDegrees += 15) {
        const double w = segmentDegrees * std::acos(-1.0) / 180;
        const Segment s{300, 200, 300 + static_cast<int>(std::lround(100 * std::cos(w))),
                        200 + static_cast<int>(std::lround(100 * std::sin(w)))};
        const double len = std::hypot(s[2] - s[0], s[3] - s[1]);
        const double ux = (s[2] - s[0]) / len, uy = (s[3] - s[1]) / len;
        for (int pathDegrees = 0; pathDegrees < 360; pathDegrees += 5) {
            const double b = pathDegrees * std::acos(-1.0) / 180;
            for (double speed : {0.0008, 0.5, 20.0}) {
                const Path p{300.25, 200.5, 300.25 + speed * std::cos(b), 200.5 + speed * std::sin(b)};
                const Velocity after = Bounce(p, s);
                const double dxP = p.toX - p.fromX, dyP = p.toY - p.fromY, along = dxP * ux + dyP * uy;
                EXPECT_NEAR(after.vx, 2 * along * ux - dxP, 1e-8 * speed) << segmentDegrees << " " << pathDegrees;
                EXPECT_NEAR(after.vy, 2 * along * uy - dyP, 1e-8 * speed) << segmentDegrees << " " << pathDegrees;
            }
        }
    }
    // The ten-digit angle value leaves a trace of sideways motion.
    const Velocity v = Bounce({150, 190, 150, 210}, {100, 200, 300, 200});
    EXPECT_NEAR(v.vx, 5.9e-9, 0.05e-9);
    EXPECT_NEAR(v.vy, -20, 1e-9);
}

TEST(Crossing, EndsAreIncludedAndParallelPathsPass)
{
    const Segment horizontal{100, 200, 300, 200};
    EXPECT_TRUE(Crosses({150, 190, 150, 200}, horizontal)); // ends on it
    EXPECT_TRUE(Crosses({150, 200, 150, 210}, horizontal)); // starts on it
    EXPECT_FALSE(Crosses({150, 190, 150, 199.999}, horizontal));
    EXPECT_FALSE(Crosses({120, 200, 130, 200}, horizontal)); // along its line
    EXPECT_FALSE(Crosses({150, 190, 150, 210}, {160, 200, 300, 200}));
    // A slanting path that only touches a slanting segment's end point, in
    // passing, at its own end or at its start, either way round.
    for (const Segment& s : {Segment{10, 10, 30, 0}, Segment{30, 0, 10, 10}, Segment{10, 10, -10, 30}}) {
        EXPECT_TRUE(Crosses({0, 0, 20, 20}, s));
        EXPECT_TRUE(Crosses({0, 0, 10, 10}, s));
        EXPECT_TRUE(Crosses({10, 10, 20, 20}, s));
        EXPECT_TRUE(Crosses({20, 20, 0, 0}, s));
        EXPECT_FALSE(Crosses({0, 0, 9, 9}, s));
    }
    // An empty row is a dot at the origin, met only by paths through x = 0.
    EXPECT_FALSE(Crosses({10, 10, 12, 13}, {0, 0, 0, 0}));
    EXPECT_TRUE(Crosses({0, 10, 2, 13}, {0, 0, 0, 0}));
    // Parallel lines meet at x = 0 (y = 0 for a path straight up or down):
    // a path straight down through y = 0 crosses a vertical segment that
    // spans y = 0 wherever it stands.
    EXPECT_TRUE(Crosses({100, 0, 100, 3}, {300, -5, 300, 5}));
    EXPECT_FALSE(Crosses({100, 1, 100, 3}, {300, -5, 300, 5}));
    EXPECT_TRUE(Crosses({-2, -2, 0.5, 0.5}, {-5, -4, 5, 6}));
    // A ball at rest crosses nothing, not even an empty row.
    EXPECT_FALSE(Crosses({150, 200, 150, 200}, horizontal));
    EXPECT_FALSE(Crosses({0, 0, 0, 0}, {0, 0, 0, 0}));
}

class BallMotion : public GameTest {
protected:
    void Place(double x, double y, double vx, double vy)
    {
        game.BallX = x, game.BallY = y, game.BallVX = vx, game.BallVY = vy;
    }
    void ExpectBall(double x, double y)
    {
        EXPECT_DOUBLE_EQ(game.BallX, x);
        EXPECT_DOUBLE_EQ(game.BallY, y);
    }
};

TEST_F(BallMotion, TurnsBackAtTheEdgesXFirst)
{
    Load(LevelWith("590,390,591,391", 1)); // a goal out of the way
    Place(100, 100, 3, -2);
    game.MoveBall();
    ExpectBall(103, 98);
    Place(100, 2, 0, -3);
    game.MoveBall();
    ExpectBall(100, 5);
    EXPECT_EQ(game.BallVY, 3);
    Place(597, 100, 3, 0);
    game.MoveBall();
    ExpectBall(600, 100); // the edge itself is inside
    Place(3.5, 100, -3, 0);
    game.MoveBall();
    ExpectBall(0.5, 100);
    Place(598, 398, 5, 5);
    game.MoveBall();
    ExpectBall(593, 403);
    game.MoveBall();
    ExpectBall(588, 398);
    EXPECT_EQ(platform.memoryEvents().yields, 0);

    // A step longer than the field is shortened: turned at the left edge it
    // would pass the right one, and back, and never reach top or bottom.
    Place(201, 100, -223.393, -9.76859);
    for (int i = 0; i < 1000; ++i) {
        game.MoveBall();
        ASSERT_GE(game.BallY, -100);
        ASSERT_LE(game.BallY, 500);
    }
    EXPECT_NEAR(std::hypot(game.BallVX, game.BallVY), 100, 1e-9);
}

TEST_F(BallMotion, BouncesOffAMarginOrAStrokeThenRetriesAfterAYield)
{
    Load(LevelWith("50,198,300,198,590,390,591,391", 2));
    game.Segments[3] = {500, 10, 510, 10}; // a trail elsewhere stays
    Place(100, 195, 3, 4);
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Moved);
    ExpectBall(103, 191);
    EXPECT_NEAR(game.BallVX, 3, 1e-9);
    EXPECT_NEAR(game.BallVY, -4, 1e-9);
    EXPECT_EQ(platform.memoryEvents().yields, 1);
    EXPECT_EQ(game.Segments[3], (Segment{500, 10, 510, 10}));

    // The player's stroke comes first, and its bounce erases the whole trail.
    game.Segments[50] = {50, 197, 300, 197};
    game.Segments[4] = {500, 10, 510, 10};
    game.LineIndex = 6;
    Place(100, 195, 3, 4);
    game.MoveBall();
    for (int row = 0; row <= 50; ++row) EXPECT_EQ(game.Segments[row], (Segment{0, 0, 0, 0}));
    EXPECT_EQ(game.LineIndex, 0);
    EXPECT_EQ(game.SegmentBounces, 2);
}

TEST_F(BallMotion, CrossingTheGoalCompletesTheLevelWithoutMoving)
{
    files()[DataFolder + "Level001.ooo"] = LevelWith("590,390,591,391", 1);
    Load(LevelWith("250,20,350,20", 1));
    game.Paused = false, game.Testing = false;
    Place(300, 22, 0, -2.5);
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Goal);
    EXPECT_TRUE(game.Paused);
    EXPECT_EQ(game.CurrentLevel, 1);
    ExpectBall(100, 100); // level 1's ball, unmoved and unscaled by the step

    // Left into a "\" wall, straight up into another, then left to the goal.
    Load(LevelWith("150,250,250,350,150,50,250,150,50,50,50,150", 3));
    Place(300, 300, -0.5, 0);
    Form1::StepOutcome outcome = Form1::StepOutcome::Moved;
    for (int step = 0; step < 2000 && outcome == Form1::StepOutcome::Moved; ++step) outcome = game.MoveBall();
    EXPECT_EQ(outcome, Form1::StepOutcome::Goal);
    EXPECT_EQ(game.SegmentBounces, 2);

    // Without margins the player's last row is the goal.
    Load(LevelWith("", 0));
    ASSERT_EQ(game.LastSegment, 50);
    game.Segments[50] = {50, 197, 300, 197};
    Place(100, 195, 3, 4);
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Goal);
}

TEST_F(BallMotion, AWedgedBallEndsItsStepUnmoved)
{
    Load(LevelWith("50,100,300,100,590,390,591,391", 2));
    Place(100, 100, 0, 1); // starts on a margin: every retry crosses it again
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Stuck);
    ExpectBall(100, 100);
    EXPECT_GT(platform.memoryEvents().yields, 10);
    EXPECT_LT(platform.memoryEvents().yields, 1000);

    Place(0, 0, 0, 0); // at rest, on every empty row
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Moved);
}

TEST_F(BallMotion, TinyStepsNeitherSlipThroughAWallNorBend)
{
    // At hundreds of thousands of steps a second a step is a small fraction
    // of a pixel: single precision would round it by a large part.
    Load(LevelWith("550,0,550,400,1,1,2,1", 2));
    Place(549.0, 200.0, 0.0003, 0.0);
    double furthest = 0;
    for (int step = 0; step < 1'000'000; ++step) {
        game.MoveBall();
        furthest = std::max(furthest, game.BallX);
    }
    EXPECT_LE(furthest, 550.0);
    EXPECT_NEAR(game.BallVX, -0.0003, 1e-12);
    EXPECT_LT(std::fabs(game.BallVY), 1e-9);
    EXPECT_LT(game.BallX, 300.0); // on its way back from the wall

    // A shallow direction stays what it was.
    Place(100.0, 200.0, 0.0003, 0.00001);
    for (int step = 0; step < 1'000'000; ++step) game.MoveBall();
    EXPECT_NEAR(game.BallX, 400.0, 1e-6);
    EXPECT_NEAR(game.BallY, 210.0, 1e-6);
}

TEST_F(BallMotion, AFailedFirstLoadLeavesNothingToReadOutsideTheTable)
{
    files().erase(DataFolder + "Pic.gif");
    files()[DataFolder + "First.ooo"] = LevelWith("1,1,2,2", 1);
    EXPECT_FALSE(game.LoadLevel("First.ooo"));
    EXPECT_TRUE(game.Segments.empty());
    game.Paused = false, game.Testing = false;
    Place(0, 10, 2, 3);
    EXPECT_EQ(game.MoveBall(), Form1::StepOutcome::Moved);
    game.Redraw();
    game.Form_MouseDown(1, 0, 5, 5);
    game.Form_MouseMove(1, 0, 9, 9);
    EXPECT_TRUE(game.Segments.empty());
}
