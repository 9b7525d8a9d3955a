// The high-score file on any contents. The codec: whatever it reads, it
// writes so that it reads back the same. The window: its three lists stay
// of one length and agree item for item; a table read and saved reads back
// the same; a new game goes in at its rank; a file read only in part is
// kept whole beside it before anything replaces it; RESET ALL leaves an
// empty file.
#include <algorithm>

#include "fuzz_check.h"
#include "platform/fields.h"
#include "platform/memory/memory_platform.h"
#include "scores/form2.h"
#include "scores/score_file.h"
#include "scores/text_encoding.h"
#include "shell/form1.h"

using namespace orvane;

namespace {

const std::string Data = "/game/Data/";
const std::string File = Data + "HighScores.ooo";

std::vector<ScoreEntry> Shown(const Form2& window)
{
    const int count = window.List1->count();
    FUZZ_CHECK(window.List2->count() == count);
    FUZZ_CHECK(window.List3->count() == count);
    std::vector<ScoreEntry> entries;
    for (int i = 0; i < count; ++i) {
        const std::string name = window.List2->item(i), score = window.List3->item(i);
        FUZZ_CHECK(window.List1->item(i) == score + " : " + name);
        FUZZ_CHECK(IsNumber(score));
        entries.push_back({name, static_cast<std::int32_t>(LeadingNumber(score))});
    }
    return entries;
}

void CheckCodec(const std::string& text)
{
    const ScoreTable read = ParseScores(text);
    const std::string written = FormatScores(read.entries);
    const ScoreTable again = ParseScores(written);
    FUZZ_CHECK(again.complete);
    FUZZ_CHECK(again.entries == read.entries);
    FUZZ_CHECK(FormatScores(again.entries) == written);
}

void CheckWindow(const std::string& text)
{
    memory::MemoryPlatform platform;
    auto& files = platform.memoryFiles().files;
    files[File] = text;
    Form1 game(platform);
    game.DataPath = Data;

    const ScoreTable read = ParseScores(text);
    std::vector<ScoreEntry> table;
    {
        Form2 window(game);
        table = Shown(window);
        FUZZ_CHECK(table == read.entries);
        window.SaveHighScores();
        FUZZ_CHECK(Shown(window) == table);
    }
    if (!read.complete) FUZZ_CHECK(files[Data + "HighScores.bak"] == text);
    {
        Form2 window(game);
        FUZZ_CHECK(Shown(window) == table);
    }

    // A name as the input box gives it: valid UTF-8, here made of the
    // input's first bytes.
    const std::string name = Windows1252ToUtf8(text.substr(0, 12));
    game.TotalScore = static_cast<std::int32_t>(text.size() * 37) - 500;
    platform.boxes().inputs.push_back(name);
    game.GameOver();
    if (!name.empty()) {
        // Below the last higher entry, even in a table that is out of order;
        // a line break in the name is kept as a blank.
        std::size_t rank = 0;
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i].score > game.TotalScore) rank = i + 1;
        std::string stored = name;
        std::replace_if(stored.begin(), stored.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        table.insert(table.begin() + static_cast<std::ptrdiff_t>(rank), ScoreEntry{stored, game.TotalScore});
    }
    Form2 window(game);
    FUZZ_CHECK(Shown(window) == table);
    window.Command2_Click(); // answered Yes
    FUZZ_CHECK(window.List1->count() == 0);
    Shown(window);
    FUZZ_CHECK(files[File].empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = fuzz::TextOf(data, size);
    CheckCodec(text);
    CheckWindow(text);
    return 0;
}
