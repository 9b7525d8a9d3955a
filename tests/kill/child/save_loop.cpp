// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Ends game after game for ever, each scoring one more than the top of the table it found, so that every
// save writes the whole high-score file anew; a dot on the output before the first game and after every
// save tells the kill test where the loop is. Given a name and a number, it ends that many games
// instead, named after it and scored from 1 up, and stops, with status 3 where some game's save went on
// without holding the file: one of two copies at once on a folder.
// Usage: orvane_save_loop <data folder ending in a separator> [<name> <games>]
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/memory/memory_platform.h"
#include "platform/native/native_files.h"
#include "scores/score_file.h"
#include "shell/form1.h"

namespace {

struct Disk : orvane::NativeFileSystem {
    std::unique_ptr<orvane::FileHold> holdFile(const std::string& path) override
    {
        std::unique_ptr<orvane::FileHold> hold = NativeFileSystem::holdFile(path);
        unheld += !hold;
        return hold;
    }
    int unheld = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 4)
        return std::fputs("usage: orvane_save_loop <data folder/> [<name> <games>]\n", stderr), 2;
    orvane::memory::MemoryPlatform platform;
    Disk disk;
    platform.fileSystem = &disk;
    orvane::Form1 game(platform);
    game.DataPath = argv[1];
    const bool counted = argc == 4;
    const std::string name = counted ? argv[2] : "Player";
    const orvane::ScoreTable table = orvane::ParseScores(disk.readFile(game.DataPath + "HighScores.ooo").value_or(""));
    for (std::int32_t next = counted || table.entries.empty() ? 1 : table.entries.front().score + 1;; ++next) {
        if (counted && next > std::atoi(argv[3])) return disk.unheld ? 3 : 0;
        if (!counted) std::fputc('.', stdout), std::fflush(stdout);
        game.TotalScore = next, platform.boxes().inputs.push_back(name + " " + std::to_string(next));
        game.GameOver(); // opens the window, which reads the file, then saves
        for (const auto& box : platform.boxes().shown)
            if (!box.input) return std::fprintf(stderr, "unexpected box: %s\n", box.text.c_str()), 1;
        platform.boxes().shown.clear();
    }
}
