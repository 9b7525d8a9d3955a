// Files that fail under the game: each failure is told to the player, the
// game goes on, and no high score that was in the file before is lost.
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "game_fixture.h"
#include "platform/data_files.h"
#include "platform/native/native_files.h"
#include "scores/form2.h"
#include "scores/score_file.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#endif

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
        disk().unreadable.clear();
        disk().readOnlyFiles.clear();
        disk().special.clear();
        disk().sizes.clear();
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

// Regression, among others: a file that could not be read but could be
// written (held for a moment by another program, or not readable to the
// player) was replaced by the next save, with only the new game in it. Nor
// is a file too large for any table, a FIFO or a device read or replaced.
TEST_F(FileFaults, ATableThatCannotBeReadOrWrittenIsKept)
{
    const std::vector<std::string> unsaved{SaveFailed}, unread{LoadFailed, SaveFailed};
    const std::tuple<const char*, std::function<void()>, std::vector<std::string>> faults[] = {
        {"a read-only folder", [&] { disk().readOnly = true; }, unsaved},
        {"a read-only file", [&] { disk().readOnlyFiles.insert(File); }, unsaved},
        {"a write that fails half way", [&] { disk().failWriteAfter = 5; }, unsaved},
        {"locked", [&] { disk().locked.insert(File); }, unread},
        {"unreadable", [&] { disk().unreadable.insert(File); }, unread},
        {"a FIFO", [&] { disk().special.insert(File); }, unread},
        {"too large", [&] { disk().sizes[File] = MaxHighScoreFileBytes + 1; }, unread},
    };
    for (const auto& [name, fault, errors] : faults) {
        SCOPED_TRACE(name);
        fault();
        EndGame(700, "Cy");
        EXPECT_EQ(Errors(), errors);
        fault(); // once more: a write that fails does so once
        ResetAll();
        EXPECT_EQ(Errors(), errors);
        EXPECT_EQ(files()[File], Earlier);
        ExpectTheGameGoesOn();
        files()[File] = Earlier;
    }
    // Generous: a million games with names of 200 characters still load.
    EXPECT_LE(1'000'000 * FormatScores({{std::string(200, 'x'), INT32_MIN}}).size(), MaxHighScoreFileBytes);
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
#ifndef _WIN32
    // But not while the disk is full: the torn temporary goes too.
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{16, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &full);
    g.endGame(500, "Dee");
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(g.shown, std::vector<std::string>{SaveFailed});
    EXPECT_EQ(g.read("HighScores.ooo"), earlier);
    EXPECT_FALSE(fs::exists(g.data("HighScores.ooo.new")));
    g.shown.clear();
#endif
    g.endGame(500, "Dee");
    EXPECT_TRUE(g.shown.empty());
    EXPECT_EQ(ParseScores(g.read("HighScores.ooo")).entries,
              (std::vector<ScoreEntry>{{"Ann", 900}, {"Dee", 500}, {"Bob", 400}}));
}

#ifndef _WIN32
// A FIFO (which would make the game wait for a writer for ever) or a link
// to an endless device, in place of each kind of data file: each is
// refused at once with its message, a picture is never handed to the
// platform, and a high-score table there is not replaced.
TEST(NativeFileFaults, FifosAndEndlessFilesAreRefusedAtOnce)
{
    const std::string gameMessage = "An Error has occurred while loading the game.";
    const std::string levelMessage = "An error has occurred while trying to load the game.";
    struct Target {
        std::string file;
        std::function<void(Form1&)> use;
        std::vector<std::string> messages;
    };
    const std::vector<Target> targets{
        {"General.ooo", [](Form1&) {}, {gameMessage}},
        {"Welcome.jpg", [](Form1&) {}, {gameMessage}},
        {"SystemTest.ooo", [](Form1& game) { game.ImageClickToStart_Click(); }, {levelMessage}},
        {"Pic.gif", [](Form1& game) { game.ImageClickToStart_Click(); }, {levelMessage}},
        {"HighScores.ooo",
         [](Form1& game) {
             game.TotalScore = 10;
             game.GameOver();
         },
         {LoadFailed, SaveFailed}},
    };
    for (bool fifo : {true, false}) {
        for (const Target& target : targets) {
            SCOPED_TRACE(target.file + (fifo ? " as a FIFO" : " as a link to /dev/zero"));
            DiskGame g("orvane-hostile-files");
            g.write("General.ooo", "3\r\n");
            g.write("Welcome.jpg", "JFIF");
            g.write("SystemTest.ooo", "Pic.gif,300,200,1,0,10,0,255,255,255,1,0,0,0,0\r\n");
            g.write("Pic.gif", "GIF89a");
            const fs::path hostile = g.data(target.file);
            fs::remove(hostile);
            if (fifo) ASSERT_EQ(::mkfifo(hostile.c_str(), 0644), 0);
            else fs::create_symlink("/dev/zero", hostile);
            std::vector<std::string> pictures;
            g.platform.pictureSize = [&](const std::string& path) {
                pictures.push_back(path);
                return std::optional<Size>(Size{600, 400});
            };
            g.platform.boxes().inputs = {"Eve"};

            g.game.Form_Load();
            if (target.file != "General.ooo" && target.file != "Welcome.jpg") {
                EXPECT_TRUE(g.shown.empty());
                target.use(g.game);
            }
            EXPECT_EQ(g.shown, target.messages);
            for (const std::string& asked : pictures) EXPECT_NE(asked, hostile.string());
            EXPECT_EQ(fs::symlink_status(hostile).type(), fifo ? fs::file_type::fifo : fs::file_type::symlink);
        }
    }
}
#endif
