// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeping scores and losing none: a name typed at a game's end, the table window's buttons and hidden
// spot, and a high-score file on a bad disk.
#include <filesystem>
#include <fstream>
#include <functional>

#include "game_fixture.h"
#include "platform/data_files.h"
#include "platform/native/native_files.h"
#include "scores/form2.h"
#include "scores/score_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#endif

using namespace orvane;
using namespace orvane::testing;

namespace {

const std::string LoadFailed = "An error has occurred while trying to load the high scores list.";
const std::string SaveFailed = "An error has occurred while trying to save the high scores list.";
const std::string Warning = "Warning!: Do you really want to remove all the high scores?";
using Texts = std::vector<std::string>;

// The worked example's records, the masked numbers written out.
const std::string Anna = "\"Anna\",383939\r\n", Bert = "\"Bert\",382847\r\n", Cleo = "\"Cleo\",382847\r\n";

class Scores : public GameTest {
protected:
    const std::string File = DataFolder + "HighScores.ooo";

    std::vector<ScoreEntry> Saved() { return ParseScores(files()[File]).entries; }
    memory::MemoryFileSystem& disk() { return platform.memoryFiles(); }

    // Every box since the last call, its title first; error boxes have the critical icon.
    Texts Shown()
    {
        Texts texts;
        for (const memory::ShownBox& box : boxes()) {
            EXPECT_TRUE(box.title != "Error" || box.icon == Icon::Critical) << box.text;
            texts.push_back(box.title == "Error" ? box.text : box.title + ": " + box.text);
        }
        boxes().clear();
        return texts;
    }

    void InTheWindow(std::function<void(memory::MemoryWindow&)> what) // opens the table from the menu, does this in it
    {
        int opened = 0;
        platform.whileModal = [&](memory::MemoryWindow& w) { ++opened, what(w); };
        game.mnuHighScores_Click(), platform.whileModal = nullptr;
        EXPECT_TRUE(opened == 1 && !game.form2);
    }
};

} // namespace

TEST_F(Scores, AGameEndsAndTheNameGoesInAtItsRank)
{
    files()[File] = Anna + Cleo;
    int shown = 0;
    platform.whileModal = [&](memory::MemoryWindow& w) {
        ++shown; // saved before it is shown, newest first among equal scores; in the middle of the screen
        EXPECT_EQ(files()[File], Anna + Bert + Cleo);
        EXPECT_EQ(w.list("List1")->items, (Texts{"2400 : Anna", "1500 : Bert", "1500 : Cleo"}));
        EXPECT_EQ(w.design.caption + " / " + w.button("Command2")->design.caption, "High Scores / RESET ALL");
        EXPECT_FALSE(w.button("Command2")->design.isDefault); // Enter never wipes the table
        EXPECT_EQ((std::pair{w.left, w.top}), (std::pair{w.screen.width / 2 - w.outer.width / 2, w.screen.height / 2 - w.outer.height / 2}));
    };
    EndGame(1500, "Bert"), platform.whileModal = nullptr;
    EXPECT_EQ(Shown(), Texts{"High Scores: Your score is: 1500\r\n\r\nTo appear on the High Scores list, please enter your name: "});
    EXPECT_TRUE(shown == 1 && !game.form2);

    // An edited table out of order: below the last entry that beats it.
    files()[File] = FormatScores({{"a", 50}, {"b", 100}, {"c", 30}});
    EndGame(70, "Fay");
    EXPECT_EQ(Saved()[2], (ScoreEntry{"Fay", 70}));
    EndGame(1000, "Top");
    EXPECT_EQ(Saved()[0].name, "Top");

    // No name, no entry and no window; blanks are a name.
    const std::string before = files()[File];
    EndGame(10, "");
    EXPECT_TRUE(files()[File] == before && Shown().size() == 3u); // the name prompts alone
    EndGame(10, " ");
    EXPECT_EQ(Saved()[5], (ScoreEntry{" ", 10}));

    // Awkward names read back whole; a pasted line break cannot split a record; a name written by an
    // older copy (quote not doubled, letters in the Windows code page) keeps every record; the stored
    // numbers reach the ends of their range.
    files()[File] = "\"Max\",2147483647\r\n\"abc\"\",381223\r\n\"Zo\x80 \xA9\",381601\r\n\"Min\",-2147483648\r\n";
    for (const std::string name : {"Doe, Jane", "Say \"hi\"", "\"", "a : b", "Zo\xC3\xAB \xF0\x9D\x84\x9E", "two\r\nlines"})
        EndGame(5, name);
    EXPECT_EQ(Saved(), (std::vector<ScoreEntry>{{"Max", 2147102044}, {"abc\"", 900}, {"two  lines", 5}, {"Zo\xC3\xAB \xF0\x9D\x84\x9E", 5},
                                                 {"a : b", 5}, {"\"", 5}, {"Say \"hi\"", 5}, {"Doe, Jane", 5},
                                                 {"Zo\xE2\x82\xAC \xC2\xA9", 2}, {"Min", -2147102045}}));
    InTheWindow([](memory::MemoryWindow& w) { EXPECT_EQ(w.list("List1")->items[4], "5 : a : b"); });
    EXPECT_EQ(Shown().size(), 7u);
    // Bytes that no UTF-8 letter starts with: the name is the code page's ("ö€€€", "Á¿", and the first
    // letter past the code page's own, a blank that does not break).
    const std::pair<std::string, std::string> codePage[] = {
        {"\xF6\x80\x80\x80", "\xC3\xB6\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"}, {"\xC1\xBF", "\xC3\x81\xC2\xBF"}, {"a\xA0z", "a\xC2\xA0z"}, {"\xC3(", "\xC3\x83("}};
    for (const auto& [stored, name] : codePage) {
        files()[File] = "\"" + stored + "\",381606\r\n", EndGame(1, "x");
        EXPECT_EQ(Saved()[0].name, name);
    }
}

TEST_F(Scores, TheTableWindowsButtonsAndItsHiddenSpot)
{
    files()[File] = Anna + Bert, ReachLevel1(), game.Label1_Click(); // the table opens during play, the countdown going on
    const int writes = disk().writes;
    InTheWindow([](memory::MemoryWindow& w) {
        const memory::MemoryButton& ok = *w.button("Command1");
        EXPECT_TRUE(ok.design.isDefault && ok.design.isCancel); // Enter and Esc
        ok.onClick();
        EXPECT_TRUE(w.closed);
    });
    EXPECT_TRUE(disk().writes == writes && !game.Paused); // closing writes nothing

    platform.boxes().answers = {Answer::No, Answer::Yes};
    InTheWindow([&](memory::MemoryWindow& w) {
        w.button("Command2")->onClick();
        EXPECT_EQ(files()[File], Anna + Bert);
        w.button("Command2")->onClick();
        EXPECT_FALSE(w.closed);
        for (const char* list : {"List1", "List2", "List3"}) EXPECT_TRUE(w.list(list)->items.empty());
    });
    EXPECT_EQ(files()[File], "");
    EXPECT_TRUE(boxes().at(1).icon == Icon::Exclamation && boxes()[1].buttons == Buttons::YesNo);
    EXPECT_EQ(Shown(), Texts(2, Warning));

    // Time runs out behind the box of a failed read while the table is being opened: the game goes
    // into that window, not into a second one.
    files().erase(File);
    game.TotalScore = 40, game.SecondsLeft = 1;
    platform.boxes().whileShown = [&](const memory::ShownBox& box) {
        if (box.title == "Error") platform.boxes().whileShown = nullptr, platform.boxes().inputs.push_back("Late"), game.Timer1_Timer();
    };
    InTheWindow([&](memory::MemoryWindow& w) {
        int tables = 0;
        for (const memory::MemoryWindow* open : platform.windows) tables += open->design.name == "Form2";
        EXPECT_TRUE(tables == 1 && w.list("List1")->items == Texts{"40 : Late"});
    });
    EXPECT_EQ(files()[File], "\"Late\",381579\r\n");
    boxes().clear();

    // The hidden spot: the day's code, then a level, halves going to the even neighbour once one is
    // taken off. After a time-out nothing is left to score.
    for (int n : {2, 3, 4}) files()[DataFolder + "Level00" + std::to_string(n) + ".ooo"] = ExampleLevel;
    game.LevelCount = 4, platform.memoryClock().day = 17, platform.boxes().inputs = {"17", "4"};
    InTheWindow([](memory::MemoryWindow& w) { w.area("Image1")->onDoubleClick(); });
    EXPECT_TRUE(game.CurrentLevel == 4 && game.TotalScore == 40);
    EXPECT_EQ(Shown(), (Texts{"Orvane: Please enter code:", "Cheats: Please enter level number:"}));
    EXPECT_EQ(game.Label1->caption(), "Click here to start level 4.");

    Form2 table(game);
    const std::tuple<std::string, std::string, int> codes[] = { // the level chosen, 0 when refused
        {"17", "0.5", 1}, {"17", "1.5", 1}, {"17", "2.5", 3}, {"17", "3.5", 3}, {" 17abc", "2", 2}, {"17", "0.4", 0},
        {"17", "0", 0}, {"17", "-3", 0}, {"17", "4.1", 0}, {"17", "", 0}, {"16", "1", 0}, {"", "1", 0}};
    for (const auto& [code, level, chosen] : codes) {
        game.CurrentLevel = 3, platform.boxes().inputs = {code, level}, table.Image1_DblClick();
        EXPECT_EQ(game.CurrentLevel, chosen ? chosen : 3) << code << " / " << level;
    }
    game.Testing = true, game.Paused = false; // the speed test running: no table
    platform.whileModal = [](memory::MemoryWindow&) { ADD_FAILURE() << "the table opened during the speed test"; };
    game.mnuHighScores_Click();
}

// Each fault is told, and once it is gone the next game goes into the whole old table.
TEST_F(Scores, ABadDiskLosesNoScore)
{
    const std::string earlier = Anna + Bert, cy = "\"Cy\",380959\r\n", broken = Anna + "\"Eve\",oops\r\n" + Bert;
    const std::string fromTheOtherCopy = "\"New\",381783\r\n", bak = DataFolder + "HighScores.bak";
    struct Fault {
        const char* name;
        std::function<void()> make;
        Texts told;
        std::string after, kept = ""; // the file once the game is over; where the whole broken file is kept
    };
    const Texts unsaved{SaveFailed}, unread{LoadFailed, SaveFailed};
    const auto keptAs = [](const std::string& name) { return LoadFailed + "\r\nThe whole file has been kept as " + name + "."; };
    const Fault faults[] = {
        {"a missing file", [&] { files().erase(File); }, {LoadFailed}, cy},
        {"a broken record", [&] { files()[File] = broken; }, {keptAs("HighScores.bak")}, Anna + cy, bak},
        {"a broken record kept before", [&] { files()[File] = files()[bak] = broken; }, {keptAs("HighScores.bak")}, Anna + cy, bak},
        {"a broken record whose copy cannot be made", [&] { files()[File] = broken, disk().locked.insert(bak); },
         {LoadFailed + "\r\nThe file could not be copied; new scores will not be saved in it.", SaveFailed}, broken},
        {"an older copy gone between look-up and write", [&] { files()[File] = broken, files()[bak] = "x", disk().vanishing.insert(bak); },
         {keptAs("HighScores.1.bak")}, Anna + cy, DataFolder + "HighScores.1.bak"},
        {"a read-only file", [&] { disk().readOnlyFiles.insert(File); }, unsaved, earlier},
        {"unreadable but writable", [&] { disk().unreadable.insert(File); }, unread, earlier},
        {"a FIFO", [&] { disk().special.insert(File); }, unread, earlier},
        {"too large", [&] { disk().sizes[File] = MaxHighScoreFileBytes + 1; }, unread, earlier},
        // A second copy on the same folder read the table before this game ended: this one waits, and
        // reads what that one saved. A copy that never lets go (hung) costs no score.
        {"another copy between its read and its save",
         [&] {
             disk().held.insert(File);
             disk().whileHeld = [&](const std::string&) { files()[File] = earlier + fromTheOtherCopy, disk().held.erase(File); };
         },
         {}, Anna + Bert + cy + fromTheOtherCopy},
        {"another copy that keeps its hold", [&] { disk().held.insert(File); }, {}, earlier + cy},
    };
    // No other copy waits for a box the player may leave open.
    platform.boxes().whileShown = [&](const memory::ShownBox& box) { EXPECT_TRUE(box.input || disk().held.empty()) << box.text; };
    ReachLevel1();
    // A record that is not a whole 32-bit number stops the reading there.
    for (const std::string bad : {"\"Eve\",1.5\r\n", "\"Eve\",99999999999\r\n", "\"Eve\",-2147483649\r\n",
                                  "\"Eve\"\r\n", "\"Eve\",x\r\n", "\"Eve\",12x5\r\n", "\",1\r\n", "\"Eve\""}) {
        const std::string before = files()[File] = Anna + bad + (bad.back() == '\n' ? Bert : "");
        EndGame(700, "Cy");
        EXPECT_EQ(files()[File] + files()[bak], Anna + cy + before) << bad;
        files().erase(bak);
    }
    // An author's blanks are no fault, after a one-figure score too.
    for (const auto& [blanks, plain] : {std::pair<std::string, std::string>{"\"Anna\" , 383939 \r\n", Anna},
                                        {"Anna,\" 383939 \"\r\n", Anna}, {"\"Al\",7 \r\n", "\"Al\",7\r\n"}})
        EXPECT_EQ(ParseScores(blanks).entries, ParseScores(plain).entries) << blanks;
    EXPECT_EQ(ParseScores("\x80,1\r\n").entries.at(0).name, "\xE2\x82\xAC"); // a Windows-1252 euro sign, the file's first byte
    boxes().clear();
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        files()[File] = earlier, fault.make(), EndGame(700, "Cy");
        const Texts told = Shown(); // after the name prompt
        EXPECT_EQ(Texts(told.begin() + 1, told.end()), fault.told);
        EXPECT_EQ(files()[File], fault.after);
        EXPECT_EQ(fault.kept.empty() ? broken : files()[fault.kept], broken);
        for (auto* set : {&disk().locked, &disk().unreadable, &disk().readOnlyFiles, &disk().special, &disk().held}) set->clear();
        disk().whileHeld = nullptr, disk().sizes.clear(), files()[File] = earlier, EndGame(500, "New");
        EXPECT_TRUE(Shown().size() == 1u && files()[File] == Anna + Bert + "\"New\",381783\r\n");
        files().erase(bak), files().erase(DataFolder + "HighScores.1.bak");
    }
}

// A data folder that cannot be written: the player is told which and what to do, once a run, and the
// scores go into the player's own copy, which starts from the table beside the game and is read from
// then on. Without a copy of the player's own the save fails, told why.
TEST_F(Scores, AClosedDataFolderKeepsTheScoresInThePlayersCopy)
{
    const std::string copy = "/home/player/.local/share/orvane/Data/HighScores.ooo", closed = "\r\n\r\nThe folder /game/Data cannot be written.";
    const std::string move = "\r\nTo keep them with the game, move the game's whole folder to a folder you can write.";
    files()[File] = Anna + Bert, disk().readOnlyFolders.insert("/game/Data"), EndGame(700, "Cy");
    EXPECT_EQ(Shown(), (Texts{"High Scores: Your score is: 700\r\n\r\nTo appear on the High Scores list, please enter your name: ",
                              SaveFailed + closed + " The high scores are kept for you in " + copy + "." + move}));
    EndGame(500, "New");
    EXPECT_EQ(Shown().size(), 1u); // the name prompt alone
    EXPECT_EQ(files()[copy] + "|" + files()[File], Anna + Bert + "\"Cy\",380959\r\n\"New\",381783\r\n|" + Anna + Bert);

    // The next run reads the copy, and tells again.
    Form1 next(platform);
    next.DataPath = DataFolder, InTheWindow([](memory::MemoryWindow& w) { EXPECT_EQ(w.list("List1")->items.at(2), "700 : Cy"); });
    next.TotalScore = 1, platform.boxes().inputs.push_back("Dee"), next.GameOver();
    EXPECT_EQ(Shown().size(), 2u);

    disk().user.clear();
    Form1 without(platform);
    without.DataPath = DataFolder, without.TotalScore = 600, platform.boxes().inputs.push_back("Lost"), without.GameOver();
    EXPECT_TRUE(Shown().back() == SaveFailed + closed + move && files()[File] == Anna + Bert);
}

// A file the player made read-only keeps its scores, contents and mode, even for root. A full disk keeps the old
// file, and its torn temporary goes. A FIFO or a link to an endless device is refused at once, and left as it is.
TEST(ScoresOnTheDisk, NothingOnTheDiskIsLostOrLeftBehind)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "orvane-scores-on-the-disk", file = folder / "HighScores.ooo";
    fs::remove_all(folder), fs::create_directories(folder);
    std::ofstream(file, std::ios::binary) << Anna + Bert;
    NativeFileSystem disk;
    memory::MemoryPlatform platform;
    platform.fileSystem = &disk;
    Form1 game(platform);
    game.DataPath = folder.string() + "/";
    const auto onlyTheFile = [&](const char* what) {
        for (const auto& entry : fs::directory_iterator(folder)) EXPECT_EQ(entry.path(), file) << what << " left this behind";
    };
    const auto endGame = [&](int total, const std::string& name) {
        Texts told;
        platform.boxes().whileShown = [&](const memory::ShownBox& box) {
            if (!box.input) told.push_back(box.text.substr(0, box.text.find('\r')));
        };
        game.TotalScore = total, platform.boxes().inputs.push_back(name), game.GameOver();
        return told;
    };
    const auto read = [&] { return disk.readFile(file.string()).value_or("(unreadable)"); };

    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
    const fs::perms mode = fs::status(file).permissions();
    EXPECT_EQ(endGame(700, "Cy"), Texts{SaveFailed});
    EXPECT_TRUE(read() == Anna + Bert && fs::status(file).permissions() == mode);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
#ifndef _WIN32
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{16, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &full);
    const Texts told = endGame(500, "New");
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_TRUE(told == Texts{SaveFailed} && read() == Anna + Bert);
    onlyTheFile("a failed save");
#endif
    EXPECT_TRUE(endGame(500, "New").empty() && read() == Anna + Bert + "\"New\",381783\r\n");
#ifdef _WIN32
    // Another program (a scanner, a sync client) holds the file, shared for all but deletion, for reading
    // only, or not at all. Let go during the waits, it costs no score; never let go, the old file stays
    // whole and nothing is left beside it.
    struct Hold { DWORD share; bool letGo; Texts told; };
    const DWORD allButDeletion = FILE_SHARE_READ | FILE_SHARE_WRITE;
    for (const Hold& hold : {Hold{FILE_SHARE_READ, true, {}}, Hold{0, true, {}}, Hold{allButDeletion, true, {}},
                             Hold{FILE_SHARE_READ, false, {SaveFailed}}, Hold{allButDeletion, false, {SaveFailed}},
                             Hold{0, false, {LoadFailed, SaveFailed}}}) {
        SCOPED_TRACE(std::to_string(hold.share) + (hold.letGo ? " let go" : " held"));
        const std::string before = read();
        HANDLE held = CreateFileW(file.wstring().c_str(), GENERIC_READ, hold.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        long long waited = 0;
        disk.sleep = [&](std::chrono::milliseconds ms) {
            if ((waited += ms.count()) >= 300 && hold.letGo && held) CloseHandle(std::exchange(held, nullptr));
        };
        EXPECT_EQ(endGame(900, "Held"), hold.told);
        if (held) CloseHandle(held);
        EXPECT_TRUE(waited >= (hold.letGo ? 300 : 2000) && (read().find("\"Held\"") != std::string::npos) == hold.letGo) << waited;
        if (!hold.letGo) {
            EXPECT_EQ(read(), before);
        }
        onlyTheFile("a held file");
        std::ofstream(file, std::ios::binary) << before;
    }
#else
    for (bool fifo : {true, false}) {
        fs::remove(file);
        if (fifo) ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
        else fs::create_symlink("/dev/zero", file);
        EXPECT_EQ(endGame(10, "Eve"), (Texts{LoadFailed, SaveFailed}));
        EXPECT_EQ(fs::symlink_status(file).type(), fifo ? fs::file_type::fifo : fs::file_type::symlink);
    }
#endif
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
