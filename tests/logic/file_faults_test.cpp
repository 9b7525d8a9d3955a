// Files that fail under the game: each failure is told to the player, the
// game goes on, and no high score that was in the file before is lost.
#include <filesystem>

#include "game_fixture.h"
#include "platform/native/native_files.h"
#include "scores/form2.h"
#include "scores/score_file.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

const std::string LoadFailed = "An error has occurred while trying to load the high scores list.";
const std::string SaveFailed = "An error has occurred while trying to save the high scores list.";

class FileFaults : public GameTest {
protected:
    const std::string File = DataFolder + "HighScores.ooo";
    const std::string Earlier = FormatScores({{"Ann", 900}, {"Bob", 400}});

    FileFaults()
    {
        files()[File] = Earlier;
        ReachLevel1();
    }

    memory::MemoryFileSystem& disk() { return platform.memoryFiles(); }

    // The first line of every error box since the last call.
    std::vector<std::string> Errors()
    {
        std::vector<std::string> texts;
        for (const memory::ShownBox& box : boxes()) {
            if (box.title != "Error") continue;
            EXPECT_EQ(box.icon, Icon::Critical);
            texts.push_back(box.text.substr(0, box.text.find('\r')));
        }
        boxes().clear();
        return texts;
    }

    // Once the fault is gone, the next game goes into the whole old table.
    void ExpectTheGameGoesOn()
    {
        disk().readOnly = false;
        disk().locked.clear();
        game.Restart();
        EXPECT_EQ(game.CurrentLevel, 1);
        EndGame(500, "New");
        ScoreTable table = ParseScores(files()[File]);
        EXPECT_TRUE(table.complete);
        EXPECT_EQ(table.entries, (std::vector<ScoreEntry>{{"Ann", 900}, {"New", 500}, {"Bob", 400}}));
    }

    // Opens the window from the menu and answers Yes to RESET ALL there.
    void ResetAll()
    {
        platform.whileModal = [&](memory::MemoryWindow&) { game.form2->Command2_Click(); };
        game.mnuHighScores_Click();
        platform.whileModal = nullptr;
    }
};

} // namespace

TEST_F(FileFaults, AReadOnlyFolder)
{
    disk().readOnly = true;
    EndGame(700, "Cy");
    EXPECT_EQ(Errors(), std::vector<std::string>{SaveFailed});
    ResetAll();
    EXPECT_EQ(Errors(), std::vector<std::string>{SaveFailed});
    EXPECT_EQ(files()[File], Earlier);
    ExpectTheGameGoesOn();
}

TEST_F(FileFaults, AWriteThatFailsHalfWay)
{
    disk().failWriteAfter = 5;
    EndGame(700, "Cy");
    EXPECT_EQ(Errors(), std::vector<std::string>{SaveFailed});
    EXPECT_EQ(files()[File], Earlier);
    EXPECT_EQ(files()[File + ".new"].size(), 5u); // the torn temporary is never read
    ExpectTheGameGoesOn();
}

// Regression: a file that could not be read but could be written (held
// for a moment by another program, or not readable to the player) was
// replaced by the next save, with only the new game in it.
TEST_F(FileFaults, AFileThatCannotBeReadIsNotReplaced)
{
    for (std::set<std::string>* fault : {&disk().locked, &disk().unreadable}) {
        fault->insert(File);
        EndGame(700, "Cy");
        EXPECT_EQ(Errors(), (std::vector<std::string>{LoadFailed, SaveFailed}));
        ResetAll();
        EXPECT_EQ(Errors(), (std::vector<std::string>{LoadFailed, SaveFailed}));
        EXPECT_EQ(files()[File], Earlier);
        fault->clear();
        ExpectTheGameGoesOn();
        files()[File] = Earlier;
    }
}

// Regression: a broken file whose copy could not be made was replaced by
// the next save, losing the records after the broken one.
TEST_F(FileFaults, ABrokenFileThatCannotBeCopiedIsLeftAlone)
{
    const std::string broken = Earlier + "\"Eve\",oops\r\n" + FormatScores({{"Fay", 100}});
    files()[File] = broken;
    disk().locked.insert(DataFolder + "HighScores.bak");
    EndGame(700, "Cy");
    EXPECT_EQ(Errors(), (std::vector<std::string>{LoadFailed, SaveFailed}));
    EXPECT_EQ(files()[File], broken);

    disk().locked.clear(); // now the copy can be made, and the save goes ahead
    EndGame(700, "Cy");
    EXPECT_EQ(Errors(), std::vector<std::string>{LoadFailed});
    EXPECT_EQ(files()[DataFolder + "HighScores.bak"], broken);
    EXPECT_EQ(ParseScores(files()[File]).entries.size(), 3u);
}

TEST_F(FileFaults, AFileGoneOrLockedBetweenLookUpAndOpen)
{
    for (bool vanish : {true, false}) {
        SCOPED_TRACE(vanish ? "vanished" : "locked");
        const std::string welcome = DataFolder + "Welcome.gif";
        files()[welcome] = "GIF89a";
        (vanish ? disk().vanishing : disk().locked).insert(welcome);
        game.Form_Load();
        EXPECT_EQ(Errors(), std::vector<std::string>{"An Error has occurred while loading the game."});
        EXPECT_EQ(game.LevelCount, 3);
        disk().locked.clear();

        // An older kept copy that goes while the game looks for a free name.
        const std::string bak = DataFolder + "HighScores.bak";
        files()[bak] = "older";
        (vanish ? disk().vanishing : disk().locked).insert(bak);
        files()[File] = Earlier + "\"Eve\",oops\r\n";
        EndGame(700, "Cy");
        EXPECT_EQ(Errors(), std::vector<std::string>{LoadFailed});
        EXPECT_EQ(files()[DataFolder + "HighScores.1.bak"], Earlier + "\"Eve\",oops\r\n");
        files().erase(DataFolder + "HighScores.1.bak");
        files()[File] = Earlier;
        ExpectTheGameGoesOn();
        files()[File] = Earlier;
    }
}

namespace {

// The machine's own files, with the program in a folder of the test's.
class FolderFiles : public NativeFileSystem {
public:
    explicit FolderFiles(std::string folder) : folder_(std::move(folder)) {}
    std::string programFolder() override { return folder_; }

private:
    std::string folder_;
};

} // namespace

TEST(NativeFileFaults, AMissingDataFolder)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "orvane-no-such-program-folder";
    fs::remove_all(folder);
    FolderFiles disk(folder.string());
    memory::MemoryPlatform platform;
    platform.fileSystem = &disk;
    Form1 game(platform);
    std::vector<std::string> shown;
    platform.boxes().whileShown = [&](const memory::ShownBox& box) {
        if (!box.input) shown.push_back(box.text);
    };

    game.Form_Load();
    game.ImageClickToStart_Click();
    EXPECT_TRUE(game.ImageClickToStart->visible()); // can be tried again
    game.Testing = false;
    game.TotalScore = 10;
    platform.boxes().inputs = {"Eve"};
    game.GameOver();
    EXPECT_EQ(shown, (std::vector<std::string>{"An Error has occurred while loading the game.",
                                               "An error has occurred while trying to load the game.", LoadFailed,
                                               SaveFailed}));
    EXPECT_FALSE(fs::exists(folder)); // the game makes no folders of its own
}
