#include <algorithm>

#include "game_fixture.h"
#include "platform/data_files.h"

using namespace orvane;
using namespace orvane::testing;

using LevelLoader = GameTest;

TEST_F(LevelLoader, ReadsTheWorkedExampleWithCommasOrBlanks)
{
    // A blank ends a number field as a comma does.
    std::string withBlanks = ExampleLevel;
    std::replace(withBlanks.begin(), withBlanks.end(), ',', ' ');
    for (const std::string& text : {ExampleLevel, withBlanks}) {
        SCOPED_TRACE(text);
        boxes().clear();
        Load(text);
        EXPECT_EQ(window().picture, DataFolder + "Example.gif");
        EXPECT_EQ(game.BallX, 300);
        EXPECT_EQ(game.BallY, 350);
        EXPECT_EQ(game.BallVX, 0);
        EXPECT_EQ(game.BallVY, -2.5);
        EXPECT_EQ(game.SecondsLeft, 60);
        EXPECT_EQ(game.PointsPerSecond, 50);
        EXPECT_EQ(game.Label1->foreColour(), 65535u);
        ASSERT_EQ(game.LastSegment, 53);
        ASSERT_EQ(game.Segments.size(), 54u);
        EXPECT_EQ(game.Segments[51], (Segment{200, 100, 200, 300}));
        EXPECT_EQ(game.Segments[52], (Segment{400, 100, 400, 300}));
        EXPECT_EQ(game.Segments[53], (Segment{250, 20, 350, 20}));
        EXPECT_TRUE(boxes().empty());
        EXPECT_FALSE(game.files.isOpen(1));
    }
}

TEST_F(LevelLoader, ReplacesTheWholeLevelAndThePlayersTrail)
{
    Load(ExampleLevel);
    game.Segments[7] = {1, 2, 3, 4};
    std::string margins;
    for (int k = 1; k <= 100; ++k) margins += (k > 1 ? "," : "") + std::to_string(k) + ",1,2,3";
    Load(LevelWith(margins, 100));
    ASSERT_EQ(game.LastSegment, 150);
    for (int row = 0; row <= 50; ++row) EXPECT_EQ(game.Segments[row], (Segment{0, 0, 0, 0}));
    EXPECT_EQ(game.Segments[51][0], 1);
    EXPECT_EQ(game.Segments[150][0], 100);

    Load(LevelWith("5,6,7,8", 1));
    EXPECT_EQ(game.LastSegment, 51);
    EXPECT_EQ(game.Segments[51], (Segment{5, 6, 7, 8}));
}

TEST_F(LevelLoader, AColourPartAbove255CountsAs255)
{
    Load("Pic.gif,1,1,1,1,10,10,300,0,-5,1,0,0,1,1");
    EXPECT_EQ(game.Label1->foreColour(), 255u);
}

TEST_F(LevelLoader, AFailureStopsWhereItStruckAndIsReportedOnce)
{
    // A picture that is no regular file of a picture's size, or lies outside
    // the data folder, is never handed to the platform.
    std::vector<std::string> pictures;
    platform.pictureSize = [&](const std::string& path) {
        pictures.push_back(path);
        return platform.memoryFiles().readFile(path) ? std::optional<Size>(Size{600, 400}) : std::nullopt;
    };
    const std::string level = ",10,20,1,1,30,40,1,2,3,1,1,1,1,1";
    // Each there to be found, where the level's name leads from the data folder.
    const std::vector<std::string> outside{"../Pic.gif", "sub\\..\\..\\Pic.gif", "/game/Pic.gif", "C:/game/Pic.gif",
                                           "C:Pic.gif"};
    for (const std::string& name : outside) files()[DataFolder + name] = "GIF89a";
    memory::MemoryFileSystem& disk = platform.memoryFiles();
    disk.special.insert(DataFolder + "Fifo.gif");
    files()[DataFolder + "Huge.gif"] = "GIF89a";
    disk.sizes[DataFolder + "Huge.gif"] = MaxPictureBytes + 1;

    struct Case {
        const char* name;
        std::string text;
        std::uintmax_t size = 0; // what the level file reports, when not its text's
    };
    const Case cases[] = {
        {"missing picture", "Nowhere.gif,1,2,3,4,5,6,7,8,9,1,1,2,3,4"},
        {"file ends among the margins", "Pic.gif,10,20,1,1,30,40,1,2,3,2,100,100,200,100,5"},
        {"margin count overflows", "Pic.gif,10,20,1,1,30,40,1,2,3,32767,1,1,1,1"},
        {"negative margin count", "Pic.gif,10,20,1,1,30,40,1,2,3,-60,1,1,1,1"},
        {"number too large", "Pic.gif,10,20,1,1,99999999999,40,1,2,3,1,1,1,1,1"},
        {"level file larger than any level", "Pic.gif" + level, MaxLevelFileBytes + 1},
        {"picture a FIFO", "Fifo.gif" + level},
        {"picture larger than any picture", "Huge.gif" + level},
        {"picture above the data folder", outside[0] + level},
        {"picture above, with backslashes", outside[1] + level},
        {"absolute picture path", outside[2] + level},
        {"picture on a drive", outside[3] + level},
        {"picture relative to a drive", outside[4] + level},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(ExampleLevel);
        boxes().clear();
        pictures.clear();
        files()[DataFolder + "Bad.ooo"] = c.text;
        disk.sizes.erase(DataFolder + "Bad.ooo");
        if (c.size) disk.sizes[DataFolder + "Bad.ooo"] = c.size;
        EXPECT_FALSE(game.LoadLevel("Bad.ooo"));
        EXPECT_EQ(boxes().size(), 1u);
        if (boxes().empty()) continue;
        EXPECT_EQ(boxes()[0].text, "An error has occurred while trying to load the game.");
        EXPECT_EQ(boxes()[0].title, "Error");
        EXPECT_EQ(boxes()[0].icon, Icon::Critical);
        EXPECT_FALSE(game.files.isOpen(1));
        EXPECT_FALSE(game.LoadError.empty());
        for (const std::string& asked : pictures)
            EXPECT_TRUE(asked == DataFolder + "Pic.gif" || asked == DataFolder + "Nowhere.gif") << asked;
    }
    // The author is told which field of which line.
    files()[DataFolder + "Bad.ooo"] = cases[4].text;
    game.LoadLevel("Bad.ooo");
    EXPECT_EQ(game.LoadError,
              "while reading the time limit: the number 99999999999 is too large for a 32-bit integer field (line 1)");
    // A sub-folder of the data folder is inside it.
    files()[DataFolder + "sub/Pic.gif"] = "GIF89a";
    Load("sub/Pic.gif" + level);
    EXPECT_EQ(window().picture, DataFolder + "sub/Pic.gif");
    EXPECT_TRUE(StaysInFolder("a..b.gif"));
    EXPECT_FALSE(StaysInFolder(".. /x.gif")); // Windows drops the blank: still ".."
}

TEST_F(LevelLoader, WhatWasReadBeforeAFailureStays)
{
    Load(ExampleLevel);
    files()[DataFolder + "NoPicture.ooo"] = "Nowhere.gif,1,2,3,4,5,6,7,8,9,1,1,2,3,4";
    game.LoadLevel("NoPicture.ooo");
    EXPECT_FALSE(window().picture.has_value());
    EXPECT_EQ(game.BallX, 300); // the rest of the level was not read

    files()[DataFolder + "Short.ooo"] = "Pic.gif,10,20,1,1,30,40,1,2,3,3,100,100,200,100,5";
    game.LoadLevel("Short.ooo");
    EXPECT_EQ(game.BallX, 10);
    ASSERT_EQ(game.LastSegment, 53);
    EXPECT_EQ(game.Segments[51], (Segment{100, 100, 200, 100}));
    EXPECT_EQ(game.Segments[52], (Segment{5, 0, 0, 0}));
    EXPECT_EQ(game.Segments[53], (Segment{0, 0, 0, 0})); // the goal line unread
    EXPECT_NE(game.LoadError.find("margin 2"), std::string::npos) << game.LoadError;
}

TEST_F(LevelLoader, RemoveAllWipesOnlyThePlayersRows)
{
    Load(ExampleLevel);
    game.mnuMargins->setChecked(true);
    for (int row = 0; row <= 50; ++row) game.Segments[row] = {row, 1, row, 2};
    game.LineIndex = 17;
    int clears = window().clears;
    game.RemoveAll();
    for (int row = 0; row <= 50; ++row) EXPECT_EQ(game.Segments[row], (Segment{0, 0, 0, 0}));
    EXPECT_EQ(game.Segments[51], (Segment{200, 100, 200, 300}));
    EXPECT_EQ(game.LineIndex, 0);
    EXPECT_EQ(window().clears, clears + 1);
    EXPECT_EQ(window().lines.size(), 51u + 3u); // the empty ring and the margins
}
