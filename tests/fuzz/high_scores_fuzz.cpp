// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The high-score file on any contents. The codec: whatever it reads, it writes so that it reads back the same. The
// window: its three lists agree item for item; a table read and saved reads back the same; a file read only in part
// is kept whole beside it before anything replaces it; a new game adds one entry; RESET ALL leaves an empty file.
#include "fuzz.h"
#include "platform/fields.h"
#include "platform/memory/memory_platform.h"
#include "scores/form2.h"
#include "scores/score_file.h"
#include "scores/text_encoding.h"
#include "shell/form1.h"

using namespace orvane;

static std::vector<ScoreEntry> Shown(const Form2& window)
{
    const int count = window.List1->count();
    FUZZ_CHECK(window.List2->count() == count && window.List3->count() == count);
    std::vector<ScoreEntry> entries;
    for (int i = 0; i < count; ++i) {
        const std::string name = window.List2->item(i), score = window.List3->item(i);
        FUZZ_CHECK(window.List1->item(i) == score + " : " + name && IsNumber(score));
        entries.push_back({name, static_cast<std::int32_t>(LeadingNumber(score))});
    }
    return entries;
}

void FuzzOne(const std::string& text)
{
    const ScoreTable read = ParseScores(text);
    const std::string written = FormatScores(read.entries);
    FUZZ_CHECK(ParseScores(written).complete && ParseScores(written).entries == read.entries);

    memory::MemoryPlatform platform;
    auto& files = platform.memoryFiles().files;
    files["/game/Data/HighScores.ooo"] = text;
    Form1 game(platform);
    game.DataPath = "/game/Data/";
    {
        Form2 window(game);
        FUZZ_CHECK(Shown(window) == read.entries);
        window.SaveHighScores();
    }
    FUZZ_CHECK(read.complete || files["/game/Data/HighScores.bak"] == text);
    FUZZ_CHECK(Shown(Form2(game)) == read.entries);

    // A name as the input box gives it, valid UTF-8: the input's first bytes.
    game.TotalScore = static_cast<std::int32_t>(text.size() * 37) - 500;
    platform.boxes().inputs.push_back(Windows1252ToUtf8(text.substr(0, 12)));
    game.GameOver();
    Form2 window(game);
    FUZZ_CHECK(Shown(window).size() == read.entries.size() + (text.empty() ? 0 : 1));
    window.Command2_Click(); // answered Yes
    FUZZ_CHECK(Shown(window).empty() && files["/game/Data/HighScores.ooo"].empty());
}
