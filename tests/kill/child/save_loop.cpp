// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Ends game after game for ever, each with a score one higher than the top
// of the table it found, so that every save writes the whole high-score
// file anew; a dot on the output before the first game and after every
// save tells the kill test where the loop is.
// Usage: orvane_save_loop <data folder ending in a separator>
#include <cstdio>

#include "platform/memory/memory_platform.h"
#include "platform/native/native_files.h"
#include "scores/score_file.h"
#include "shell/form1.h"

int main(int argc, char** argv)
{
    if (argc != 2) return std::fputs("usage: orvane_save_loop <data folder/>\n", stderr), 2;
    orvane::memory::MemoryPlatform platform;
    orvane::NativeFileSystem disk;
    platform.fileSystem = &disk;
    orvane::Form1 game(platform);
    game.DataPath = argv[1];
    const orvane::ScoreTable table = orvane::ParseScores(disk.readFile(game.DataPath + "HighScores.ooo").value_or(""));
    for (std::int32_t next = table.entries.empty() ? 1 : table.entries.front().score + 1;; ++next) {
        std::fputc('.', stdout);
        std::fflush(stdout);
        game.TotalScore = next;
        platform.boxes().inputs.push_back("Player " + std::to_string(next));
        game.GameOver(); // opens the window, which reads the file, then saves
        for (const auto& box : platform.boxes().shown)
            if (!box.input) return std::fprintf(stderr, "unexpected box: %s\n", box.text.c_str()), 1;
        platform.boxes().shown.clear();
    }
}
