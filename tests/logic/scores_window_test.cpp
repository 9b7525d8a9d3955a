#include "game_fixture.h"
#include "scores/form2.h"
#include "scores/score_file.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

class HighScores : public GameTest {
protected:
    const std::string File = DataFolder + "HighScores.ooo";

    void Table(const std::vector<ScoreEntry>& entries) { files()[File] = FormatScores(entries); }
    std::vector<ScoreEntry> Saved() { return ParseScores(files()[File]).entries; }
};

} // namespace

TEST_F(HighScores, AGameGoesInAtItsRankNewestFirstAmongEquals)
{
    Table({{"a", 900}, {"b", 500}, {"c", 500}, {"d", 200}});
    int shownModally = 0;
    platform.whileModal = [&](memory::MemoryWindow& w) {
        ++shownModally;
        EXPECT_EQ(w.list("List1")->items[1], "500 : Eve"); // saved before it is shown
        // In the middle of the screen.
        EXPECT_EQ(w.left, w.screen.width / 2 - w.outer.width / 2);
        EXPECT_EQ(w.top, w.screen.height / 2 - w.outer.height / 2);
        EXPECT_EQ(Saved().size(), 5u);
    };
    EndGame(500, "Eve");
    EXPECT_EQ(shownModally, 1);
    EXPECT_EQ(Saved()[1], (ScoreEntry{"Eve", 500}));
    EXPECT_EQ(boxes()[0].text,
              "Your score is: 500\r\n\r\nTo appear on the High Scores list, please enter your name: ");
    EXPECT_EQ(boxes()[0].title, "High Scores");
    EXPECT_FALSE(game.form2);
    platform.whileModal = nullptr;

    Table({{"a", 50}, {"b", 100}, {"c", 30}}); // an edited, unsorted table
    EndGame(70, "Fay");
    EXPECT_EQ(Saved()[2], (ScoreEntry{"Fay", 70}));
    EndGame(1000, "Top");
    EXPECT_EQ(Saved()[0].name, "Top");

    // No name, no entry; blanks are a name.
    const std::string before = files()[File];
    boxes().clear();
    EndGame(10, "");
    EXPECT_EQ(files()[File], before);
    EXPECT_EQ(boxes().size(), 1u);
    EndGame(10, " ");
    EXPECT_EQ(Saved().back(), (ScoreEntry{" ", 10}));
}

// Older copies wrote a double quote in a name as it stands; such a file
// keeps every record through a game, and a pasted line break cannot split
// a record.
TEST_F(HighScores, NamesWithQuotesOrLineBreaksKeepEveryRecord)
{
    const auto undoubled = [](const std::string& name, int score) {
        return "\"" + name + "\"," + std::to_string(score ^ ScoreMask) + "\r\n";
    };
    files()[File] = undoubled("abc\"", 900) + undoubled("Bob", 400);
    EndGame(500, "Eve");
    EndGame(300, "two\r\nlines");
    EXPECT_EQ(boxes().size(), 2u); // the two name prompts, no error
    EXPECT_TRUE(ParseScores(files()[File]).complete);
    EXPECT_EQ(Saved(), (std::vector<ScoreEntry>{{"abc\"", 900}, {"Eve", 500}, {"Bob", 400}, {"two  lines", 300}}));
}

TEST_F(HighScores, AMissingOrBrokenFileIsReportedAndKept)
{
    EndGame(5, "First"); // no file: the message, then the first save creates it
    EXPECT_EQ(boxes()[1].text, "An error has occurred while trying to load the high scores list.");
    EXPECT_EQ(Saved(), (std::vector<ScoreEntry>{{"First", 5}}));

    const std::string broken = FormatScores({{"Ann", 9}}) + "\"Bob\",oops\r\n" + FormatScores({{"Cy", 1}});
    files()[File] = broken;
    boxes().clear();
    EndGame(3, "Dee");
    EXPECT_NE(boxes()[1].text.find("kept as HighScores.bak"), std::string::npos) << boxes()[1].text;
    EXPECT_EQ(files()[DataFolder + "HighScores.bak"], broken);
    EXPECT_EQ(Saved(), (std::vector<ScoreEntry>{{"Ann", 9}, {"Dee", 3}}));

    files()[File] = "\"X\",nope\r\n"; // a different broken file keeps the first copy
    EndGame(1, "Eli");
    EXPECT_EQ(files()[DataFolder + "HighScores.bak"], broken);
    EXPECT_EQ(files()[DataFolder + "HighScores.1.bak"], "\"X\",nope\r\n");
}

TEST_F(HighScores, ResetAllAsksFirst)
{
    Table({{"a", 1}, {"b", 2}});
    game.Testing = false;
    platform.boxes().answers = {Answer::No, Answer::Yes};
    platform.whileModal = [&](memory::MemoryWindow&) {
        game.form2->Command2_Click();
        EXPECT_EQ(Saved().size(), 2u);
        game.form2->Command2_Click();
        for (const ListBox* list : {game.form2->List1, game.form2->List2, game.form2->List3})
            EXPECT_EQ(list->count(), 0);
    };
    game.mnuHighScores_Click();
    EXPECT_EQ(files()[File], "");
    EXPECT_EQ(boxes()[0].title, "Warning!");
    EXPECT_EQ(boxes()[0].icon, Icon::Exclamation);
}

TEST_F(HighScores, TimeRunningOutWhileTheWindowIsOpenUsesThatWindow)
{
    ReachLevel1();
    game.Label1_Click();
    game.TotalScore = 40;
    game.SecondsLeft = 1;
    int modal = 0;
    platform.whileModal = [&](memory::MemoryWindow& w) {
        ++modal;
        platform.boxes().inputs.push_back("Late");
        game.Timer1_Timer();
        EXPECT_EQ(w.list("List1")->items.at(0), "40 : Late");
    };
    game.mnuHighScores_Click();
    EXPECT_EQ(modal, 1);
    EXPECT_EQ(Saved(), (std::vector<ScoreEntry>{{"Late", 40}}));
    EXPECT_FALSE(game.form2);

    game.Testing = true, game.Paused = false; // the speed test running: refused
    game.mnuHighScores_Click();
    EXPECT_EQ(modal, 1);
}

TEST_F(HighScores, TimeRunningOutBehindTheMissingFileMessageUsesTheWindowBeingOpened)
{
    ReachLevel1();
    game.Label1_Click();
    game.TotalScore = 40;
    game.SecondsLeft = 1;
    // No file yet: the window's load shows its message, and the countdown
    // runs out while the message is open.
    platform.boxes().whileShown = [&](const memory::ShownBox& box) {
        if (box.title != "Error") return;
        platform.boxes().whileShown = nullptr;
        platform.boxes().inputs.push_back("Late");
        game.Timer1_Timer();
    };
    int modal = 0, tables = 0;
    platform.whileModal = [&](memory::MemoryWindow& w) {
        ++modal;
        for (const memory::MemoryWindow* open : platform.windows) tables += open->design.name == "Form2";
        EXPECT_EQ(w.list("List1")->items, (std::vector<std::string>{"40 : Late"}));
    };
    game.mnuHighScores_Click();
    EXPECT_EQ(modal, 1);
    EXPECT_EQ(tables, 1);
    EXPECT_EQ(Saved(), (std::vector<ScoreEntry>{{"Late", 40}}));
    EXPECT_FALSE(game.form2);
}

TEST_F(HighScores, TheHiddenPromptJumpsToARoundedLevel)
{
    files()[DataFolder + "Level001.ooo"] = ExampleLevel;
    files()[DataFolder + "Level003.ooo"] = ExampleLevel;
    files()[DataFolder + "Level004.ooo"] = ExampleLevel;
    game.LevelCount = 4;
    game.Testing = false;
    platform.memoryClock().day = 17;
    Form2 window(game);
    struct Case {
        std::string code, level;
        int chosen; // 0: refused
    };
    for (const Case& c : {Case{"17", "0.5", 1}, Case{"17", "1.5", 1}, Case{"17", "2.5", 3}, Case{"17", "3.5", 3}, Case{"17", "4", 4},
                          Case{"17abc", "1", 1}, Case{"17", "0.4", 0}, Case{"17", "0", 0}, Case{"17", "-3", 0},
                          Case{"17", "5", 0}, Case{"17", "", 0}, Case{"16", "1", 0}, Case{"", "1", 0}}) {
        SCOPED_TRACE(c.code + " / " + c.level);
        game.CurrentLevel = 2;
        platform.boxes().inputs = {c.code, c.level};
        window.Image1_DblClick();
        EXPECT_EQ(game.CurrentLevel, c.chosen ? c.chosen : 2);
    }
    game.Testing = true; // no calibration yet: nothing to jump to
    platform.boxes().inputs = {"17", "1"};
    window.Image1_DblClick();
    EXPECT_EQ(game.CurrentLevel, 2);
    EXPECT_EQ(platform.boxes().inputs.size(), 2u);
}
