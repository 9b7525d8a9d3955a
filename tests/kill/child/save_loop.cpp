// Ends game after game for ever, each with a score one higher than the top
// of the table it found, so that every save writes the whole high-score
// file anew. The kill test stops it with SIGKILL at random moments.
// Usage: orvane_save_loop <data folder ending in a separator>
#include <cstdio>

#include "platform/memory/memory_platform.h"
#include "platform/native/native_files.h"
#include "scores/score_file.h"
#include "shell/form1.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: orvane_save_loop <data folder/>\n", stderr);
        return 2;
    }
    orvane::memory::MemoryPlatform platform;
    orvane::NativeFileSystem disk;
    platform.fileSystem = &disk;
    orvane::Form1 game(platform);
    game.DataPath = argv[1];

    const std::string path = game.DataPath + "HighScores.ooo";
    std::optional<std::string> text = disk.readFile(path);
    orvane::ScoreTable table = orvane::ParseScores(text.value_or(""));
    std::int32_t next = table.entries.empty() ? 1 : table.entries.front().score + 1;
    // A dot on the output before the first game and after every save tells
    // the test where in the loop the program is.
    std::fputc('.', stdout);
    std::fflush(stdout);
    for (;;) {
        game.TotalScore = next;
        platform.boxes().inputs.push_back("Player " + std::to_string(next));
        game.GameOver(); // opens the window, which reads the file, then saves
        if (!platform.boxes().shown.empty() && platform.boxes().shown.back().title != "High Scores") {
            std::fprintf(stderr, "unexpected box: %s\n", platform.boxes().shown.back().text.c_str());
            return 1;
        }
        platform.boxes().shown.clear();
        ++next;
        std::fputc('.', stdout);
        std::fflush(stdout);
    }
}
