// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real save, stopped by SIGKILL at random moments, again and again: the
// high-score file must be whole every time, holding the table as it was
// before the interrupted save or as it is after it, never less.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "platform/memory/memory_platform.h"
#include "platform/native/native_files.h"
#include "scores/score_file.h"
#include "shell/form1.h"

namespace {

namespace fs = std::filesystem;

// Seed entries below every player's score, so that a big file is written
// at every save.
constexpr int SeedEntries = 300;

// The number of games the file records, or a failure naming what is wrong:
// the players' games on top, newest first, then the seed unchanged.
::testing::AssertionResult Games(const std::string& text, int& games)
{
    const orvane::ScoreTable table = orvane::ParseScores(text);
    const int n = static_cast<int>(table.entries.size());
    if (!table.complete || n < SeedEntries) return ::testing::AssertionFailure() << "a torn file: " << n << " entries";
    games = n - SeedEntries;
    for (int i = 0; i < n; ++i) {
        const int score = i >= games ? -(i - games) : games - i;
        const std::string name = i >= games ? "Seed " + std::to_string(-score) : "Player " + std::to_string(score);
        if (table.entries[i] != orvane::ScoreEntry{name, score})
            return ::testing::AssertionFailure() << "neither the old nor the new table: entry " << i << " is \""
                                                 << table.entries[i].name << "\" " << table.entries[i].score;
    }
    return ::testing::AssertionSuccess();
}

// The child: game after game, each a point above the top of the table it
// found, so that every save writes the whole file anew; a dot on the pipe
// before the first game and after every save tells the parent where it is.
[[noreturn]] void SaveLoop(const std::string& data, int out)
{
    orvane::memory::MemoryPlatform platform;
    orvane::NativeFileSystem disk;
    platform.fileSystem = &disk;
    orvane::Form1 game(platform);
    game.DataPath = data;
    const orvane::ScoreTable table = orvane::ParseScores(disk.readFile(data + "HighScores.ooo").value_or(""));
    for (std::int32_t next = table.entries.empty() ? 1 : table.entries.front().score + 1;; ++next) {
        if (::write(out, ".", 1) != 1) ::_exit(1);
        game.TotalScore = next;
        platform.boxes().inputs.push_back("Player " + std::to_string(next));
        game.GameOver(); // opens the window, which reads the file, then saves
        for (const auto& box : platform.boxes().shown)
            if (!box.input) std::fprintf(stderr, "unexpected box: %s\n", box.text.c_str()), ::_exit(1);
        platform.boxes().shown.clear();
    }
}

TEST(SaveUnderKill, TheFileIsTheOldOrTheNewTableAfterEveryKill)
{
    const fs::path folder = fs::temp_directory_path() / ("orvane-kill-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string data = folder.string() + "/", file = data + "HighScores.ooo";
    orvane::NativeFileSystem disk;
    std::vector<orvane::ScoreEntry> seed;
    for (int i = 0; i < SeedEntries; ++i) seed.push_back({"Seed " + std::to_string(i), -i});
    ASSERT_TRUE(disk.replaceFile(file, orvane::FormatScores(seed)));

    std::mt19937 random(20261207);
    // Kills go on until enough of them have come in the middle of writing
    // the file, which is a small part of a game.
    int games = 0, killsMidSave = 0, kills = 0;
    for (; killsMidSave < 20 && kills < 2000; ++kills) {
        SCOPED_TRACE("kill " + std::to_string(kills));
        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        const pid_t child = ::fork();
        if (child == 0) ::close(out[0]), SaveLoop(data, out[1]);
        ::close(out[1]);
        ASSERT_GT(child, 0);

        // The kill comes at a random moment of a game, however long a game
        // takes on this build: after one to three whole games (a dot on the
        // pipe each), a random part of the time the last one took.
        using Clock = std::chrono::steady_clock;
        char dot;
        bool running = ::read(out[0], &dot, 1) == 1;
        Clock::time_point last = Clock::now();
        Clock::duration game{};
        for (int g = std::uniform_int_distribution<int>(1, 3)(random); running && g > 0; --g) {
            running = ::read(out[0], &dot, 1) == 1;
            game = Clock::now() - last;
            last = Clock::now();
        }
        std::this_thread::sleep_for(game * std::uniform_real_distribution<double>(0, 1)(random));
        ::kill(child, SIGKILL);
        ::close(out[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save loop stopped by itself, status " << status;

        // A temporary file left behind, named for the killed process, means
        // the kill came in the middle of writing it.
        if (fs::remove(file + "." + std::to_string(child) + ".new")) ++killsMidSave;
        const std::optional<std::string> text = disk.readFile(file);
        ASSERT_TRUE(text) << "the file is gone";
        int now = 0;
        ASSERT_TRUE(Games(*text, now));
        ASSERT_GE(now, games) << "a saved game was lost";
        games = now;
    }
    // Without kills in the middle of a save the test would prove nothing.
    EXPECT_EQ(killsMidSave, 20);
    EXPECT_GT(games, 0);
    std::printf("%d kills, %d in the middle of writing, %d games saved\n", kills, killsMidSave, games);
    fs::remove_all(folder);
}

} // namespace
