// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <functional>

#include "game_fixture.h"
#include "platform/data_files.h"

using namespace orvane;
using namespace orvane::testing;

using AuthorALevel = GameTest;

// The worked example with commas or blanks, and a level as a careless author writes it; each replaces
// the whole previous level.
TEST_F(AuthorALevel, LevelFilesAreReadAsAuthorsWriteThem)
{
    std::string withBlanks = ExampleLevel;
    std::replace(withBlanks.begin(), withBlanks.end(), ',', ' ');
    files()[DataFolder + "My..Pic, 2.gif"] = "GIF89a";
    const std::vector<double> example{300, 350, 0, -2.5, 60, 50, 65535, 53};
    const std::tuple<std::string, std::string, std::vector<double>, Segment> levels[] = {
        {ExampleLevel, "Example.gif", example, {250, 20, 350, 20}}, {withBlanks, "Example.gif", example, {250, 20, 350, 20}},
        {"\"My..Pic, 2.gif\" ,3e2 350, 1E-400,-2.5\t\r\n\" 60\",,\r\n2.5 3.5\r\n1\r\n12abc,-2147483648,1,0\r\n",
         "My..Pic, 2.gif", {300, 350, 0, -2.5, 60, 0, 4 * 65536 + 2 * 256, 51}, {12, INT32_MIN, 1, 0}},
        {"  Pic.gif ,1,1,1,1,10,10,300,-32768,-5,1,0,0,1,1", "Pic.gif", {1, 1, 1, 1, 10, 10, 255, 51}, {0, 0, 1, 1}},
    };
    for (const auto& [text, picture, values, goal] : levels) {
        SCOPED_TRACE(text);
        game.Segments.assign(60, Segment{1, 2, 3, 4}); // the last level's rows
        Load(text);
        EXPECT_TRUE(window().picture == DataFolder + picture && !game.files.isOpen(1));
        // The ball, its time, its points, the prompt's colour, the last row.
        EXPECT_EQ((std::vector<double>{game.BallX, game.BallY, game.BallVX, game.BallVY, double(game.SecondsLeft),
                                       double(game.PointsPerSecond), double(game.Label1->foreColour()),
                                       double(game.LastSegment)}), values);
        EXPECT_EQ((std::pair{game.Segments.back(), game.Segments[7]}), (std::pair{goal, Segment{0, 0, 0, 0}}));
    }
}

TEST_F(AuthorALevel, ABrokenLevelIsReportedOnceAndWhatWasReadStays)
{
    // Pictures outside the data folder, or no pictures, are never shown.
    const std::string level = ",10,20,1,1,30,40,1,2,3,1,1,1,1,1";
    const std::vector<std::string> outside{"../Pic.gif", "sub\\..\\..\\Pic.gif", "/game/Pic.gif", "C:/game/Pic.gif",
                                           "C:Pic.gif", ".. /Pic.gif"}; // Windows drops the blank: still ".."
    for (const std::string& name : outside) files()[DataFolder + name] = "GIF89a";
    memory::MemoryFileSystem& disk = platform.memoryFiles();
    disk.special.insert(DataFolder + "Fifo.gif");
    files()[DataFolder + "Huge.gif"] = "GIF89a", disk.sizes[DataFolder + "Huge.gif"] = MaxPictureBytes + 1;
    struct Case { std::string text; std::uintmax_t size = 0; }; // the size the level file reports, when not its text's
    std::vector<Case> cases{{"Nowhere.gif,1,2,3,4,5,6,7,8,9,1,1,2,3,4"},
                            {"Pic.gif,10,20,1,1,30,40,1,2,3,3,100,100,200,100,5"}, // ends among the margins
                            {"Pic.gif,10,20,1,1,30,40,1,2,3,32767,1,1,1,1"}, {"Pic.gif,10,20,1,1,30,40,1,2,3,-60,1,1,1,1"},
                            {"\"Pic.gif\",10,20,1,1,99999999999,40,1,2,3,1,1,1,1,1"},
                            {"Pic.gif,10,20,1,1e39,30,40,1,2,3,1,1,1,1,1"}, {"Pic.gif,10,20,1,1,30,40,1,2,32768,1,1,1,1,1"},
                            {"Pic.gif" + level, MaxLevelFileBytes + 1}, {"Fifo.gif" + level}, {"Huge.gif" + level}};
    for (const std::string& name : outside) cases.push_back({name + level});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Load(ExampleLevel), boxes().clear();
        files()[DataFolder + "Bad.ooo"] = c.text, disk.sizes.erase(DataFolder + "Bad.ooo");
        if (c.size) disk.sizes[DataFolder + "Bad.ooo"] = c.size;
        EXPECT_FALSE(game.LoadLevel("Bad.ooo"));
        ASSERT_EQ(boxes().size(), 1u);
        EXPECT_EQ(boxes()[0].title + ": " + boxes()[0].text, "Error: An error has occurred while trying to load the game.");
        EXPECT_TRUE(boxes()[0].icon == Icon::Critical && !game.files.isOpen(1));
        EXPECT_TRUE(!window().picture || *window().picture == DataFolder + "Pic.gif");
    }
    // The author is told which field of which line; what was read stays.
    const std::pair<std::string, std::string> told[] = {
        {"Pic.gif,1e999", "while reading the ball's start x: the number 1e999 is too large for a single-precision field"},
        {"Pic.gif,1,1,1e39", "while reading the start velocity x: the number 1e39 is too large"},
        {"Pic.gif,\"10\r\n\",1e39", "while reading the ball's start y: the number 1e39 is too large for a single-precision field (line 2)"},
        {"\"Pic.gif\"\r\n10,20\r\n1,1\n99999999999,40,1,2,3,1,1,1,1,1",
         "while reading the time limit: the number 99999999999 is too large for a 32-bit integer field (line 4)"},
        {cases[6].text, "while reading the prompt colour's blue part: the number 32768 is too large for a 16-bit integer field (line 1)"},
        {"Pic.gif,10,20,1,1,30,40,-32769,2,3,1,1,1,1,1", "while reading the prompt colour's red part: the number -32769 is too "},
        {cases.back().text, "while reading the picture .. /Pic.gif: the picture lies outside the data folder"},
        {"", "while reading the picture name: "},
        {cases[5].text, "while reading the start velocity y: the number 1e39 is too large for a single-precision field (line 1)"},
        {"Pic.gif,10,20,1,1,30,40,1,2,3,1,1,2", "while reading margin 1 (the goal line): the file ends before all its fields (line 1)"},
        {cases[1].text, "while reading margin 2: "}};
    for (const auto& [text, message] : told) {
        files()[DataFolder + "Bad.ooo"] = text, game.LoadLevel("Bad.ooo");
        const std::size_t at = game.LoadError.find(message);
        EXPECT_TRUE(message.starts_with("while") ? at == 0 : at != std::string::npos) << game.LoadError;
    }
    EXPECT_TRUE(game.BallX == 10 && game.Segments.at(52) == (Segment{5, 0, 0, 0}));
    game.LoadLevel("Missing.ooo"); // nor is the last level's picture named for it
    EXPECT_TRUE(game.LoadError.starts_with("while reading the file: ") && game.PictureName.empty() &&
                game.LoadError.find("(line") == std::string::npos) << game.LoadError; // no line to name
    // A sub-folder of the data folder is inside it.
    files()[DataFolder + "sub/Pic.gif"] = "GIF89a", Load("sub/Pic.gif" + level);
    EXPECT_TRUE(window().picture == DataFolder + "sub/Pic.gif" && game.LoadError.empty());
}

// General.ooo gives the number of levels; without a good one, or without a welcome picture, the player
// is told once and the window opens bare. A program without its Data folder (run from inside a zip) is
// told to extract the whole zip.
TEST_F(AuthorALevel, GeneralOooGivesTheLevelCount)
{
    const std::string general = "/game/Data/General.ooo";
    const std::pair<const char*, std::function<void(memory::MemoryFileSystem&)>> faults[] = {
        {"good, at the root", [](auto& disk) { disk.folder = "/", disk.files["/Data/General.ooo"] = "12\r\n99\r\n"; }},
        {"too large a number", [&](auto& disk) { disk.files[general] = "40000"; }},
        {"a FIFO", [&](auto& disk) { disk.special.insert(general); }},
        {"endless", [&](auto& disk) { disk.files[general] = "12", disk.sizes[general] = MaxLevelCountFileBytes + 1; }},
        {"no welcome picture",
         [&](auto& disk) { disk.files[general] = "3", disk.special = {"/game/Data/Welcome.gif"}, disk.sizes["/game/Data/Welcome.jpg"] = MaxPictureBytes + 1; }},
        {"run from a zip", [](auto& disk) { disk.folder = "/tmp/zip"; }},
    };
    for (const auto& [name, fault] : faults) {
        SCOPED_TRACE(name);
        memory::MemoryPlatform p;
        fault(p.memoryFiles());
        const bool good = name[0] == 'g', zip = name[0] == 'r';
        const std::string folder = good ? "/Data/" : DataFolder;
        p.memoryFiles().files[folder + "Welcome.jpg"] = "JFIF";
        Form1 f(p);
        f.Form_Load();
        EXPECT_EQ(f.DataPath + " " + std::to_string(f.LevelCount), (zip ? "/tmp/zip/Data/" : folder) + " " + (good ? "12" : name[0] == 'n' ? "3" : "0"));
        ASSERT_EQ(p.boxes().shown.size(), good ? 0u : 1u);
        for (const auto& box : p.boxes().shown)
            EXPECT_EQ(box.text, "An Error has occurred while loading the game." +
                                    std::string(zip ? "\r\nThe Data folder is not beside the program: extract the "
                                                      "whole zip first, then start the game from the extracted folder."
                                                    : ""));
        EXPECT_TRUE(p.find("Form1")->picture.has_value() == good && !f.files.isOpen(4)); // never a picture that is none
    }
}
