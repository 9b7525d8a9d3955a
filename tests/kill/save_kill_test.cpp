// The real save, stopped by SIGKILL at random moments, again and again: the
// high-score file must be whole every time, holding the table as it was
// before the interrupted save or as it is after it, never less.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "platform/native/native_files.h"
#include "scores/score_file.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Seed entries below every player's score, so that a big file is written
// at every save.
constexpr int SeedEntries = 300;

struct Folder {
    Folder()
    {
        path = fs::temp_directory_path() / ("orvane-kill-" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    fs::path path;
};

// The number of games the file records, or a failure naming what is wrong.
::testing::AssertionResult Games(const std::string& text, int& games)
{
    orvane::ScoreTable table = orvane::ParseScores(text);
    if (!table.complete) return ::testing::AssertionFailure() << "the file was not read to its end";
    const int n = static_cast<int>(table.entries.size());
    if (n < SeedEntries) return ::testing::AssertionFailure() << "only " << n << " entries";
    games = n - SeedEntries;
    for (int i = 0; i < n; ++i) {
        const orvane::ScoreEntry& e = table.entries[i];
        // The players' games on top, newest first, then the seed unchanged.
        const bool seed = i >= games;
        const int score = seed ? -(i - games) : games - i;
        const std::string name = seed ? "Seed " + std::to_string(i - games) : "Player " + std::to_string(score);
        if (e.score != score || e.name != name)
            return ::testing::AssertionFailure() << "neither the old nor the new table: entry " << i << " is \"" << e.name << "\" " << e.score;
    }
    return ::testing::AssertionSuccess();
}

TEST(SaveUnderKill, TheFileIsTheOldOrTheNewTableAfterEveryKill)
{
    Folder folder;
    orvane::NativeFileSystem disk;
    const std::string data = folder.path.string() + "/";
    const std::string file = data + "HighScores.ooo";
    std::vector<orvane::ScoreEntry> seed;
    for (int i = 0; i < SeedEntries; ++i) seed.push_back({"Seed " + std::to_string(i), -i});
    ASSERT_TRUE(disk.replaceFile(file, orvane::FormatScores(seed)));

    std::mt19937 random(20261207);
    // Kills go on until enough of them have come in the middle of writing
    // the file, which is a small part of a game.
    int games = 0, killsMidSave = 0, kills = 0;
    for (; killsMidSave < 20 && kills < 2000; ++kills) {
        const int k = kills;
        SCOPED_TRACE("kill " + std::to_string(k));
        std::string program = ORVANE_SAVE_LOOP;
        char* args[] = {program.data(), const_cast<char*>(data.c_str()), nullptr};
        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        pid_t child = 0;
        const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, args, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ASSERT_EQ(spawned, 0);

        // The kill comes at a random moment of a game, however long a game
        // takes on this build: after one to three whole games, a random part
        // of the time the last one took.
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

        // A temporary file left behind means the kill came in the middle of
        // writing it.
        if (fs::remove(file + ".new")) ++killsMidSave;
        std::optional<std::string> text = disk.readFile(file);
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
}

} // namespace
