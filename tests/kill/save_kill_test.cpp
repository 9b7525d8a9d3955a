// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real save, stopped by SIGKILL at random moments, again and again: the high-score file must be
// whole every time, holding the table as it was before the interrupted save or as it is after it, never
// less. And two copies of the game ending games at once on one folder lose none.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/native/native_files.h"
#include "scores/score_file.h"

namespace {

namespace fs = std::filesystem;

// The save loop as a process of its own, started without waiting for it (its output to OUT where
// given), and its exit status once it ends (-1 where it did not end by itself).
#ifdef _WIN32
using Copy = intptr_t;
unsigned long ProcessId() { return static_cast<unsigned long>(::_getpid()); }
Copy Start(const std::vector<std::string>& args)
{
    std::vector<std::string> quoted;
    for (const std::string& arg : args) quoted.push_back("\"" + arg + "\"");
    std::vector<const char*> argv{ORVANE_SAVE_LOOP};
    for (const std::string& arg : quoted) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    const Copy copy = ::_spawnv(_P_NOWAIT, ORVANE_SAVE_LOOP, argv.data());
    return copy == -1 ? 0 : copy;
}
int Finish(Copy copy)
{
    int status = -1;
    return ::_cwait(&status, copy, 0) == -1 ? -1 : status;
}
#else
using Copy = pid_t;
unsigned long ProcessId() { return static_cast<unsigned long>(::getpid()); }
Copy Start(const std::vector<std::string>& args, int out = -1)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (out >= 0) ::dup2(out, STDOUT_FILENO);
        std::vector<char*> argv{const_cast<char*>(ORVANE_SAVE_LOOP)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(ORVANE_SAVE_LOOP, argv.data());
        ::_exit(127);
    }
    return child < 0 ? 0 : child;
}
int Finish(Copy copy)
{
    int status = 0;
    return ::waitpid(copy, &status, 0) == copy && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Seed entries below every player's score, so that a big file is written at every save.
constexpr int SeedEntries = 300;

// The table after this many games: the players' on top, newest first, then the seed unchanged.
std::vector<orvane::ScoreEntry> Table(int games)
{
    std::vector<orvane::ScoreEntry> table;
    for (int g = games; g > 0; --g) table.push_back({"Player " + std::to_string(g), g});
    for (int i = 0; i < SeedEntries; ++i) table.push_back({"Seed " + std::to_string(i), -i});
    return table;
}

TEST(SaveUnderKill, TheFileIsTheOldOrTheNewTableAfterEveryKill)
{
    const fs::path folder = fs::temp_directory_path() / ("orvane-kill-" + std::to_string(::getpid()));
    fs::remove_all(folder), fs::create_directories(folder);
    const std::string data = folder.string() + "/", file = data + "HighScores.ooo";
    orvane::NativeFileSystem disk;
    ASSERT_TRUE(disk.replaceFile(file, orvane::FormatScores(Table(0))));

    std::mt19937 random(20261207);
    // Kills go on until enough of them have come in the middle of writing the file, a small part of a game.
    int games = 0, killsMidSave = 0, kills = 0;
    for (; killsMidSave < 20 && kills < 2000; ++kills) {
        SCOPED_TRACE("kill " + std::to_string(kills));
        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        const pid_t child = Start({data}, out[1]);
        ASSERT_GT(child, 0);
        ::close(out[1]);

        // The kill comes at a random moment of a game, however long a game takes on this build: after one
        // to three whole games (a dot on the pipe each), a random part of the time the last one took.
        using Clock = std::chrono::steady_clock;
        char dot;
        bool running = ::read(out[0], &dot, 1) == 1;
        Clock::time_point last = Clock::now();
        Clock::duration game{};
        for (int g = std::uniform_int_distribution<int>(1, 3)(random); running && g > 0; --g) {
            running = ::read(out[0], &dot, 1) == 1;
            game = Clock::now() - last, last = Clock::now();
        }
        std::this_thread::sleep_for(game * std::uniform_real_distribution<double>(0, 1)(random));
        int status = 0;
        ::kill(child, SIGKILL), ::close(out[0]);
        ASSERT_TRUE(::waitpid(child, &status, 0) == child && WIFSIGNALED(status)) << "the save loop stopped by itself, status " << status;

        // A temporary file left behind, named for the killed process: the kill came in the middle of writing it.
        if (fs::remove(file + "." + std::to_string(child) + ".new")) ++killsMidSave;
        const orvane::ScoreTable table = orvane::ParseScores(disk.readFile(file).value_or("\"the file is gone"));
        const int now = static_cast<int>(table.entries.size()) - SeedEntries;
        ASSERT_TRUE(table.complete && now >= games && table.entries == Table(now))
            << "neither the old nor the new table: " << table.entries.size() << " entries after " << games << " games";
        games = now;
    }
    EXPECT_TRUE(killsMidSave == 20 && games > 0) << "without kills in the middle of a save the test proves nothing";
    std::printf("%d kills, %d in the middle of writing, %d games saved\n", kills, killsMidSave, games);
    fs::remove_all(folder);
}
#endif

TEST(SaveUnderKill, TwoCopiesEndingGamesAtOnceLoseNone)
{
    const fs::path folder = fs::temp_directory_path() / ("orvane-two-copies-" + std::to_string(ProcessId()));
    fs::remove_all(folder), fs::create_directories(folder);
    const std::string data = folder.string() + "/", file = data + "HighScores.ooo";
    orvane::NativeFileSystem disk;
    ASSERT_TRUE(disk.replaceFile(file, ""));

    const int games = 60;
    const std::string names[] = {"Ann", "Bob"};
    Copy copies[2];
    for (int c = 0; c < 2; ++c) ASSERT_TRUE(copies[c] = Start({data, names[c], std::to_string(games)}));
    // A copy that could not have the file for the whole wait (the other one ending game after game
    // without a pause, as no player does) saved without it, and may have lost a game of either: then
    // only the file's wholeness is asked.
    bool allHeld = true;
    for (Copy copy : copies) {
        const int status = Finish(copy);
        ASSERT_TRUE(status == 0 || status == 3) << status;
        allHeld = allHeld && status == 0;
    }
    const orvane::ScoreTable table = orvane::ParseScores(disk.readFile(file).value_or("\"torn"));
    ASSERT_TRUE(table.complete);
    if (allHeld) {
        std::set<std::string> saved;
        for (const orvane::ScoreEntry& entry : table.entries) saved.insert(entry.name);
        for (const std::string& name : names)
            for (int g = 1; g <= games; ++g) EXPECT_TRUE(saved.count(name + " " + std::to_string(g))) << name << g;
        EXPECT_EQ(table.entries.size(), 2u * games);
    } else {
        std::printf("a copy saved without holding the file; %zu games kept\n", table.entries.size());
    }
    fs::remove_all(folder);
}

} // namespace
