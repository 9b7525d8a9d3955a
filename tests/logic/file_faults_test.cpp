// Files that fail under the game: each failure is told to the player, the
// game goes on, and no high score that was in the file before is lost.
#include <filesystem>
#include <fstream>

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
        disk().readOnlyFiles.clear();
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

TEST_F(FileFaults, AReadOnlyFolderOrFile)
{
    for (bool folder : {true, false}) {
        SCOPED_TRACE(folder ? "folder" : "file");
        if (folder) disk().readOnly = true;
        else disk().readOnlyFiles.insert(File);
        EndGame(700, "Cy");
        EXPECT_EQ(Errors(), std::vector<std::string>{SaveFailed});
        ResetAll();
        EXPECT_EQ(Errors(), std::vector<std::string>{SaveFailed});
        EXPECT_EQ(files()[File], Earlier);
        ExpectTheGameGoesOn();
        files()[File] = Earlier;
    }
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

namespace fs = std::filesystem;

// The machine's own files, with the program in a folder of the test's.
class FolderFiles : public NativeFileSystem {
public:
    explicit FolderFiles(std::string folder) : folder_(std::move(folder)) {}
    std::string programFolder() override { return folder_; }

private:
    std::string folder_;
};

// A program folder of the test's own on the disk, with its data folder.
struct DiskGame {
    explicit DiskGame(const std::string& name) : folder(fs::temp_directory_path() / name), disk(folder.string())
    {
        fs::remove_all(folder);
        fs::create_directories(folder / "Data");
        platform.boxes().whileShown = [&](const memory::ShownBox& box) {
            if (!box.input) shown.push_back(box.text.substr(0, box.text.find('\r')));
        };
    }
    ~DiskGame()
    {
        std::error_code ignored;
        fs::permissions(data("HighScores.ooo"), fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
    fs::path data(const std::string& file) const { return folder / "Data" / file; }
    void write(const std::string& file, const std::string& text) const
    {
        std::ofstream(data(file), std::ios::binary) << text;
    }
    std::string read(const std::string& file)
    {
        std::optional<std::string> text = disk.readFile(data(file).string());
        return text.value_or("(unreadable)");
    }
    void endGame(int total, const std::string& name)
    {
        game.TotalScore = total;
        platform.boxes().inputs.push_back(name);
        game.GameOver();
    }

    fs::path folder;
    FolderFiles disk;
    memory::MemoryPlatform platform;
    bool onTheDisk = (platform.fileSystem = &disk, true); // before the game takes its files
    Form1 game{platform};
    std::vector<std::string> shown;
};

} // namespace

TEST(NativeFileFaults, AMissingDataFolder)
{
    DiskGame g("orvane-no-such-program-folder");
    fs::remove_all(g.folder);
    g.game.Form_Load();
    g.game.ImageClickToStart_Click();
    EXPECT_TRUE(g.game.ImageClickToStart->visible()); // can be tried again
    g.game.Testing = false;
    g.endGame(10, "Eve");
    EXPECT_EQ(g.shown, (std::vector<std::string>{"An Error has occurred while loading the game.",
                                                 "An error has occurred while trying to load the game.", LoadFailed,
                                                 SaveFailed}));
    EXPECT_FALSE(fs::exists(g.folder)); // the game makes no folders of its own
}

// The player made the file read-only: its scores, its contents and its mode
// stay, even where the program could write it (root, an administrator).
TEST(NativeFileFaults, AReadOnlyHighScoreFileIsNeverReplaced)
{
    DiskGame g("orvane-read-only-scores");
    const std::string earlier = FormatScores({{"Ann", 900}, {"Bob", 400}});
    g.write("General.ooo", "3\r\n");
    g.write("Welcome.gif", "GIF89a");
    g.write("HighScores.ooo", earlier);
    g.game.Form_Load();
    const fs::path file = g.data("HighScores.ooo");
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const fs::perms mode = fs::status(file).permissions();

    g.endGame(700, "Cy");
    EXPECT_EQ(g.shown, std::vector<std::string>{SaveFailed});
    EXPECT_EQ(g.read("HighScores.ooo"), earlier);
    EXPECT_EQ(fs::status(file).permissions(), mode);
    EXPECT_FALSE(fs::exists(g.data("HighScores.ooo.new")));

    // Made writable again, the file is replaced whole by the next game.
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    g.shown.clear();
    g.endGame(500, "Dee");
    EXPECT_TRUE(g.shown.empty());
    EXPECT_EQ(ParseScores(g.read("HighScores.ooo")).entries,
              (std::vector<ScoreEntry>{{"Ann", 900}, {"Dee", 500}, {"Bob", 400}}));
}
