// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "level_description.h"

using namespace orvane;
using namespace orvane::levelgen;

namespace {

const char* Example = R"(# a room with a pillar
title   Around the pillar
hint    Go round it.
style   sand
corner  top-right
ball    100,200.5
heading 3,-4            # any length: the speed gives the velocity's
speed   250
time    30
points  100
prompt  255,208,64
wall    300,60 300,120 350,120
goal    250,380 350,380
)";

std::string Problems(const Description& d)
{
    std::string all;
    for (const auto& line : LayoutProblems(d, GameLayout())) all += line + "\n";
    return all;
}

std::string Failure(const std::string& text)
{
    try {
        ParseDescription("Level009", text);
    } catch (const DescriptionError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

// What each shipped description is written as, the content tests compare with Data/; a mistake is named by its line.
TEST(LevelDescription, NamesTheLineOfItsMistake)
{
    const std::pair<const char*, const char*> cases[] = {
        {"title A\nspeed fast\n", "Level009.level line 2: speed: \"fast\" is not a number"},
        {"title A\n\nwall 1,2\n", "line 3: wall needs two points at least"},
        {"title A\nwall 1,2 3;4\n", "line 2: wall: a point is written x,y, not \"3;4\""},
        {"title A\nwall 1,2 3.5,4\n", "line 2: wall: \"3.5\" is not a whole number"},
        {"title A\nball 1\n", "line 2: ball takes 2 numbers separated by commas, not \"1\""},
        {"title A\ngoal 1,2 3,4 5,6\n", "line 2: the goal line is one segment"},
        {"title A\nprompt 255,300,0\n", "line 2: a prompt colour part is a whole number from 0 to 255"},
        {"title A\ntitle B\n", "line 2: title is given twice"},
        {"title A\ncolour red\n", "line 2: unknown key \"colour\""},
        {"title A\nstyle neon\n", "line 2: there is no style \"neon\"; there are slate, moss"},
        {"title A\nheading 0,0\n", "line 2: heading 0,0 points nowhere"},
        {"title A\nkind menu\n", "line 2: kind is level or welcome"},
        {"ball 1,2\n", "Level009.level: the title (a line \"title ...\") is missing"},
        {"title A\nball 1,2\n", "\"heading\" is missing"},
        {"kind welcome\ntitle Orvane\n", "start button"}, // a welcome screen has no game data, but a button
    };
    for (const auto& [text, expected] : cases)
        EXPECT_NE(Failure(text).find(expected), std::string::npos) << Failure(text) << "\nexpected: " << expected;
    std::string noGoal = Example;
    EXPECT_EQ(Failure(noGoal.erase(noGoal.find("goal"))), "Level009.level: the goal line (a line \"goal x,y x,y\") is missing");
    EXPECT_EQ(ParseDescription("Welcome", "kind welcome\ntitle Orvane\nbutton Go\n").kind, Kind::Welcome);
}

TEST(LevelDescription, KeepsTheTitlePanelAndPromptClear)
{
    // The game's panel is 0,288 185 x 89; the start prompt's widest text 134,164 320 x 32.
    Description d = ParseDescription("Level004", Example);
    EXPECT_EQ(Problems(d), "");
    d.walls.push_back({350, 58, 400, 58});  // below the top right plaque
    d.walls.push_back({193, 390, 500, 390}); // right of the panel: clear by a few pixels
    d.ball = {20, 298}, d.speed = 350, d.goal = Segment{610, 10, 620, 20};
    EXPECT_EQ(Problems(d), "wall 3 (350,58 400,58) crosses the title plaque\n"
                           "the goal line (610,10 620,20) leaves the playfield\n"
                           "the ball starts hidden under the plaque or the panel\n"
                           "the speed 350 is outside 120 to 300 pixels a second\n");
    // The speed test plays before the panel and the prompt first show.
    d.name = "SystemTest", d.walls.resize(2), d.speed = 250, d.goal = Segment{250, 380, 350, 380};
    d.walls.push_back({134, 164, 500, 250});
    EXPECT_EQ(Problems(d), "");

    d = ParseDescription("Level004", Example);
    d.walls.push_back({130, 216, 130, 256}); // clear
    d.walls.push_back({452, 201, 590, 201}), d.goal = Segment{154, 161, 194, 161};
    EXPECT_EQ(Problems(d), "wall 4 (452,201 590,201) lies under the start prompt\n"
                           "the goal line (154,161 194,161) lies under the start prompt\n");
    // The ball beside the text, its arrow pointing at it.
    d.walls.resize(2), d.goal = Segment{250, 380, 350, 380}, d.ball = {84, 180}, d.heading = {1, 0};
    EXPECT_EQ(Problems(d), "") << "the ball is clear";
    d.ball.x += 12; // the arrow's tip now reaches under the text
    EXPECT_EQ(Problems(d), "the ball's start marker lies under the start prompt\n");
    d.heading = {-1, 0}; // its ring is still clear, its arrow points away
    EXPECT_EQ(Problems(d), "");
}
