#include <algorithm>
#include <functional>

#include "game_fixture.h"
#include "platform/data_files.h"
#include "platform/fields.h"

using namespace orvane;
using namespace orvane::testing;

using AuthorALevel = GameTest;

TEST(LevelFields, CommasBlanksLineEndsAndQuotes)
{
    FieldReader r("  \"a, b\" ,  plain text  ,,\r\n\r\nnot a number,12abc,\"\"\r\n300 350 ,-2.5\t\r\n7 \n8");
    EXPECT_EQ(r.next().text, "a, b");
    EXPECT_EQ(r.next().text, "plain text"); // a string runs to the comma
    for (int empty = 0; empty < 3; ++empty) EXPECT_EQ(ToInt16(r.nextNumber()), 0); // ",," and the empty line
    FieldText word = r.nextNumber(); // a blank ends a number field
    EXPECT_EQ(word.text, "not");
    EXPECT_EQ(word.line, 3);
    EXPECT_EQ(r.nextNumber().text, "a");
    EXPECT_EQ(ToInt32(r.nextNumber()), 0);
    EXPECT_EQ(ToInt32(r.nextNumber()), 12);
    EXPECT_EQ(r.next().text, "");
    for (double n : {300.0, 350.0, -2.5, 7.0, 8.0}) EXPECT_EQ(ToSingle(r.nextNumber()), n);
    EXPECT_TRUE(r.atEnd());
    EXPECT_THROW(r.next(), FileError);

    EXPECT_EQ(ToInt16({"-32768"}), -32768);
    EXPECT_EQ(ToInt32({"-2147483648"}), INT32_MIN);
    EXPECT_EQ(ToInt32({"2.5"}), 2); // halves go to the even neighbour
    EXPECT_EQ(ToInt32({"3.5"}), 4);
    EXPECT_EQ(ToSingle({"1e-400"}), 0.0);
    for (const char* tooLarge : {"32768"}) EXPECT_THROW(ToInt16({tooLarge}), FileError);
    for (const char* tooLarge : {"2147483648", "1e300"}) EXPECT_THROW(ToInt32({tooLarge}), FileError);
    EXPECT_THROW(ToSingle({"1e39"}), FileError);

    const std::pair<const char*, double> leading[] = {{"  17th", 17}, {"-.5x", -0.5}, {"x1", 0},
                                                      {"1e2x", 100},  {"2.5E-1", 0.25}, {"", 0}};
    for (auto [text, value] : leading) EXPECT_EQ(LeadingNumber(text), value) << text;
    EXPECT_TRUE(IsNumber(" -12 "));
    for (const char* no : {"12a", "", "-", "."}) EXPECT_FALSE(IsNumber(no)) << no;
    RecordWriter w;
    EXPECT_EQ(w.quoted("Anna, B").number(-5).end(), "\"Anna, B\",-5\r\n");
}

// The worked example, written with commas, or with blanks, each ending a
// number field as a comma does; it replaces the whole previous level.
TEST_F(AuthorALevel, TheWorkedExampleIsReadWithCommasOrBlanks)
{
    std::string margins;
    for (int k = 1; k <= 100; ++k) margins += (k > 1 ? "," : "") + std::to_string(k) + ",1,2,3";
    Load(LevelWith(margins, 100));
    EXPECT_EQ(game.Segments[150][0], 100);
    SegmentTable example(51, Segment{0, 0, 0, 0});
    example.insert(example.end(), {{200, 100, 200, 300}, {400, 100, 400, 300}, {250, 20, 350, 20}});
    std::string withBlanks = ExampleLevel;
    std::replace(withBlanks.begin(), withBlanks.end(), ',', ' ');
    for (const std::string& text : {ExampleLevel, withBlanks}) {
        SCOPED_TRACE(text);
        game.Segments[7] = {1, 2, 3, 4};
        Load(text);
        EXPECT_EQ(window().picture, DataFolder + "Example.gif");
        EXPECT_EQ(game.BallX, 300);
        EXPECT_EQ(game.BallY, 350);
        EXPECT_EQ(game.BallVX, 0);
        EXPECT_EQ(game.BallVY, -2.5);
        EXPECT_EQ(game.SecondsLeft, 60);
        EXPECT_EQ(game.PointsPerSecond, 50);
        EXPECT_EQ(game.Label1->foreColour(), 65535u);
        EXPECT_EQ(game.LastSegment, 53);
        EXPECT_EQ(game.Segments, example);
        EXPECT_TRUE(boxes().empty());
        EXPECT_FALSE(game.files.isOpen(1));
    }
    Load("Pic.gif,1,1,1,1,10,10,300,0,-5,1,0,0,1,1"); // a colour part above 255 counts as 255
    EXPECT_EQ(game.Label1->foreColour(), 255u);
}

TEST_F(AuthorALevel, ABrokenLevelIsReportedOnceAndWhatWasReadStays)
{
    // A picture that is no regular file of a picture's size, or lies outside
    // the data folder, is never handed to the platform.
    std::vector<std::string> pictures;
    platform.pictureSize = [&](const std::string& path) {
        pictures.push_back(path);
        return platform.memoryFiles().readFile(path) ? std::optional<Size>(Size{600, 400}) : std::nullopt;
    };
    const std::string level = ",10,20,1,1,30,40,1,2,3,1,1,1,1,1";
    const std::vector<std::string> outside{"../Pic.gif", "sub\\..\\..\\Pic.gif", "/game/Pic.gif", "C:/game/Pic.gif",
                                           "C:Pic.gif"};
    for (const std::string& name : outside) files()[DataFolder + name] = "GIF89a";
    memory::MemoryFileSystem& disk = platform.memoryFiles();
    disk.special.insert(DataFolder + "Fifo.gif");
    files()[DataFolder + "Huge.gif"] = "GIF89a";
    disk.sizes[DataFolder + "Huge.gif"] = MaxPictureBytes + 1;
    struct Case {
        std::string text;
        std::uintmax_t size = 0; // what the level file reports, when not its text's
    };
    std::vector<Case> cases{
        {"Nowhere.gif,1,2,3,4,5,6,7,8,9,1,1,2,3,4"},
        {"Pic.gif,10,20,1,1,30,40,1,2,3,3,100,100,200,100,5"}, // ends among the margins
        {"Pic.gif,10,20,1,1,30,40,1,2,3,32767,1,1,1,1"},
        {"Pic.gif,10,20,1,1,30,40,1,2,3,-60,1,1,1,1"},
        {"Pic.gif,10,20,1,1,99999999999,40,1,2,3,1,1,1,1,1"},
        {"Pic.gif" + level, MaxLevelFileBytes + 1},
        {"Fifo.gif" + level},
        {"Huge.gif" + level},
    };
    for (const std::string& name : outside) cases.push_back({name + level});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Load(ExampleLevel);
        boxes().clear();
        pictures.clear();
        files()[DataFolder + "Bad.ooo"] = c.text;
        disk.sizes.erase(DataFolder + "Bad.ooo");
        if (c.size) disk.sizes[DataFolder + "Bad.ooo"] = c.size;
        EXPECT_FALSE(game.LoadLevel("Bad.ooo"));
        ASSERT_EQ(boxes().size(), 1u);
        EXPECT_EQ(boxes()[0].text, "An error has occurred while trying to load the game.");
        EXPECT_EQ(boxes()[0].title, "Error");
        EXPECT_EQ(boxes()[0].icon, Icon::Critical);
        EXPECT_FALSE(game.files.isOpen(1));
        for (const std::string& asked : pictures)
            EXPECT_TRUE(asked == DataFolder + "Pic.gif" || asked == DataFolder + "Nowhere.gif") << asked;
    }
    // The author is told which field of which line.
    files()[DataFolder + "Bad.ooo"] = cases[4].text;
    game.LoadLevel("Bad.ooo");
    EXPECT_EQ(game.LoadError,
              "while reading the time limit: the number 99999999999 is too large for a 32-bit integer field (line 1)");
    files()[DataFolder + "Bad.ooo"] = cases[1].text;
    game.LoadLevel("Bad.ooo");
    EXPECT_EQ(game.BallX, 10);
    ASSERT_EQ(game.LastSegment, 53);
    EXPECT_EQ(game.Segments[52], (Segment{5, 0, 0, 0}));
    EXPECT_NE(game.LoadError.find("margin 2"), std::string::npos) << game.LoadError;
    files()[DataFolder + "Bad.ooo"] = cases[0].text;
    game.LoadLevel("Bad.ooo");
    EXPECT_FALSE(window().picture.has_value());
    EXPECT_EQ(game.BallX, 10); // the rest of the level was not read
    // A sub-folder of the data folder is inside it.
    files()[DataFolder + "sub/Pic.gif"] = "GIF89a";
    Load("sub/Pic.gif" + level);
    EXPECT_EQ(window().picture, DataFolder + "sub/Pic.gif");
    EXPECT_TRUE(StaysInFolder("a..b.gif"));
    EXPECT_FALSE(StaysInFolder(".. /x.gif")); // Windows drops the blank: still ".."
}

// General.ooo gives the number of levels; without a good one the player is
// told once, and the window opens without its picture.
TEST_F(AuthorALevel, GeneralOooGivesTheLevelCount)
{
    const std::string general = "/game/Data/General.ooo";
    const std::pair<const char*, std::function<void(memory::MemoryFileSystem&)>> faults[] = {
        {"good, at the root", [](auto& disk) { disk.folder = "/", disk.files["/Data/General.ooo"] = "12\r\n99\r\n"; }},
        {"empty", [&](auto& disk) { disk.files[general] = ""; }},
        {"too large a number", [&](auto& disk) { disk.files[general] = "40000"; }},
        {"missing", [](auto&) {}},
        {"a FIFO", [&](auto& disk) { disk.special.insert(general); }},
        {"endless", [&](auto& disk) { disk.files[general] = "12", disk.sizes[general] = MaxLevelCountFileBytes + 1; }},
        {"no welcome picture", [&](auto& disk) { disk.files[general] = "3", disk.special = {"/game/Data/Welcome.gif"}; }},
    };
    for (const auto& [name, fault] : faults) {
        SCOPED_TRACE(name);
        memory::MemoryPlatform p;
        std::vector<std::string> opened;
        p.pictureSize = [&](const std::string& path) {
            opened.push_back(path);
            return std::optional<Size>(Size{600, 400});
        };
        fault(p.memoryFiles());
        const bool good = name[0] == 'g';
        const std::string folder = good ? "/Data/" : DataFolder;
        p.memoryFiles().files[folder + "Welcome.jpg"] = "JFIF";
        if (name[0] == 'n') p.memoryFiles().sizes[folder + "Welcome.jpg"] = MaxPictureBytes + 1;
        Form1 f(p);
        f.Form_Load();
        EXPECT_EQ(f.DataPath, folder);
        EXPECT_EQ(f.LevelCount, good ? 12 : name[0] == 'n' ? 3 : 0);
        EXPECT_EQ(p.boxes().shown.size(), good ? 0u : 1u);
        if (!good) {
            EXPECT_EQ(p.boxes().shown[0].text, "An Error has occurred while loading the game.");
            EXPECT_EQ(p.boxes().shown[0].title, "Error");
            EXPECT_EQ(p.boxes().shown[0].icon, Icon::Critical);
        }
        EXPECT_EQ(p.find("Form1")->picture.has_value(), good);
        EXPECT_EQ(opened.size(), good ? 1u : 0u); // never a picture that is none
        EXPECT_FALSE(f.files.isOpen(4));
    }
}
