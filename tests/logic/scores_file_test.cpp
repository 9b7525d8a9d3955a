#include <gtest/gtest.h>

#include "scores/score_file.h"

using namespace orvane;

namespace {
std::string Record(const std::string& quotedName, int score)
{
    return "\"" + quotedName + "\"," + std::to_string(score ^ 0x5D2A3) + "\r\n";
}
} // namespace

TEST(ScoreFile, TheWorkedExampleRoundTrips)
{
    const std::vector<ScoreEntry> table{{"Anna", 2400}, {"Bert", 1500}, {"Cleo", 1500}};
    const std::string file = Record("Anna", 2400) + Record("Bert", 1500) + Record("Cleo", 1500);
    EXPECT_EQ(FormatScores(table), file);
    ScoreTable read = ParseScores(file);
    EXPECT_TRUE(read.complete);
    EXPECT_EQ(read.entries, table);
    EXPECT_EQ(FormatScores({}), "");
    EXPECT_TRUE(ParseScores("").entries.empty());
}

TEST(ScoreFile, AwkwardNamesReadBackWhole)
{
    const std::vector<ScoreEntry> table{{"Doe, Jane", -7}, {"Say \"hi\"", 5}, {"a\",b", 4}, {"\"", 3},
                                        {"Zoë € 𝄞", 1}, {" ", 0}};
    ScoreTable read = ParseScores(FormatScores(table));
    EXPECT_TRUE(read.complete);
    EXPECT_EQ(read.entries, table);
    // An older copy wrote the Windows code page.
    read = ParseScores("\"Zo\xEB \x80\"," + std::to_string(9 ^ 0x5D2A3) + "\r\n");
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].name, "Zo\xC3\xAB \xE2\x82\xAC");
}

TEST(ScoreFile, AMalformedRecordStopsTheReadingAndSaysSo)
{
    for (const std::string bad : {"\"Eve\",lots\r\n", "\"Eve\",99999999999\r\n", "\"Eve\"\r\n", "\"Eve\",1.5\r\n"}) {
        ScoreTable read = ParseScores(Record("Anna", 2400) + bad + Record("Bert", 1));
        EXPECT_FALSE(read.complete) << bad;
        ASSERT_GE(read.entries.size(), 1u);
        EXPECT_EQ(read.entries[0], (ScoreEntry{"Anna", 2400}));
    }
}
