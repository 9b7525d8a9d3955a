// The game's shipped content: every file in Data/ loads cleanly, the speed
// test finishes by itself, every numbered level needs the player and is won
// by its recorded solution, the levels grow harder for an unsteady hand step
// by step, and Data/ is what tools/levels/ generates.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "level_check.h"
#include "level_description.h"
#include "picture.h"
#include "platform/fields.h"
#include "play/score_arithmetic.h"

using namespace orvane;
using namespace orvane::levelgen;
namespace fs = std::filesystem;

namespace {

const fs::path Source = ORVANE_SOURCE_DIR;
const fs::path DataFolder = Source / "Data";
const fs::path Descriptions = Source / "tools" / "levels";

// The speed test's steps: 7.0 seconds on the reference machine.
constexpr long long SpeedTestSteps = 1'750'000;

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<Size> Probe(const std::string& path)
{
    QImage picture(QString::fromStdString(path));
    if (picture.isNull()) return std::nullopt;
    return Size{picture.width(), picture.height()};
}

levelcheck::Report Check(const std::string& file, long long steps,
                         std::optional<std::vector<levelcheck::Stroke>> solution = std::nullopt, int replays = 0)
{
    levelcheck::Options options;
    options.steps = steps;
    options.passesPerSecond = ReferencePassesPerSecond;
    options.solution = std::move(solution);
    options.tolerance = replays;
    return levelcheck::Check((DataFolder / file).string(), options, Probe);
}

std::string Listed(const std::vector<std::string>& lines)
{
    std::string all;
    for (const auto& line : lines) all += line + "\n";
    return all;
}

int LevelCount()
{
    try {
        return ToInt16(FieldReader(Read(DataFolder / "General.ooo")).next());
    } catch (const FileError&) {
        return 0;
    }
}

std::vector<std::string> DescriptionNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Descriptions))
        if (entry.path().extension() == ".level") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string LevelName(int level) { return fs::path(LevelFileName(level)).stem().string(); }

std::vector<levelcheck::Stroke> Solution(int level)
{
    return levelcheck::ReadSolution(Read(Descriptions / (LevelName(level) + ".solution")));
}

} // namespace

TEST(ShippedContent, TheSpeedTestReachesItsGoalAfterSevenReferenceSeconds)
{
    levelcheck::Report r = Check("SystemTest.ooo", 2 * SpeedTestSteps);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(Listed(r.warnings), "");
    EXPECT_EQ(r.run->outcome, "goal");
    // A little either way is the ball's last fraction of a step.
    EXPECT_NEAR(static_cast<double>(r.run->steps), SpeedTestSteps, SpeedTestSteps / 1000.0);
}

TEST(ShippedContent, GeneralFileCountsTheLevelsWhoseScoresRiseLevelByLevel)
{
    const int count = LevelCount();
    EXPECT_GE(count, 20);
    int described = 0;
    for (const std::string& name : DescriptionNames())
        if (name.starts_with("Level")) ++described;
    EXPECT_EQ(Read(DataFolder / "General.ooo"), GeneralFileText(described));

    int previous = 0;
    for (int level = 1; level <= count; ++level) {
        levelcheck::Report r = Check(LevelFileName(level), 1);
        ASSERT_TRUE(r.ok) << LevelFileName(level) << ": " << r.error;
        EXPECT_GT(r.pointsPerSecond, previous) << LevelFileName(level);
        previous = r.pointsPerSecond;
    }
}

class NumberedLevel : public ::testing::TestWithParam<int> {};

TEST_P(NumberedLevel, NeedsThePlayerAndIsWonByItsSolution)
{
    const std::string file = LevelFileName(GetParam());
    const fs::path solutionFile = Descriptions / (LevelName(GetParam()) + ".solution");
    ASSERT_TRUE(fs::exists(solutionFile)) << solutionFile;
    const int seconds = Check(file, 1).seconds;

    levelcheck::Report r = Check(file, static_cast<long long>(3 * seconds * ReferencePassesPerSecond),
                                 Solution(GetParam()));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(Listed(r.warnings), "");
    // Left alone the ball neither finds the goal in three times the level's
    // time nor gets wedged.
    EXPECT_EQ(r.run->outcome, "none") << "after " << r.run->steps << " steps";
    ASSERT_TRUE(r.solution.has_value());
    EXPECT_EQ(r.solution->outcome, "goal") << "the ball ends at " << r.solution->ballX << "," << r.solution->ballY;
    EXPECT_GT(r.solution->secondsLeft, 0);
}

INSTANTIATE_TEST_SUITE_P(Shipped, NumberedLevel, ::testing::Range(1, LevelCount() + 1),
                         [](const auto& info) { return LevelName(info.param); });

// The README's table measures 100 replays a level; ten keep this suite
// short. Ten replays tell a share only to about 15 points either way, so the
// table's curve (levels 1 to 3 won at least 90 %, none below 25 %, none more
// than 15 points below the one before) is checked here with that much room
// where a sample of ten cannot tell.
TEST(ShippedContent, LevelsGrowHarderForAnUnsteadyHandStepByStep)
{
    // In whole replays of ten: 90 %, 25 % and 15 points, the last two with
    // 15 points of room.
    constexpr int replays = 10, firstLevels = 9, fewest = 1, steepest = 3;
    int before = replays;
    for (int level = 1; level <= LevelCount(); ++level) {
        levelcheck::Report r = Check(LevelFileName(level), 1, Solution(level), replays);
        ASSERT_TRUE(r.tolerance.has_value()) << LevelFileName(level);
        const int wins = r.tolerance->wins;
        if (level <= 3) {
            EXPECT_GE(wins, firstLevels) << LevelFileName(level);
        }
        EXPECT_GE(wins, fewest) << LevelFileName(level);
        EXPECT_GE(wins, before - steepest) << LevelFileName(level) << " after " << before << " wins";
        before = wins;
    }
}

class GeneratedContent : public ::testing::TestWithParam<std::string> {};

TEST_P(GeneratedContent, MatchesWhatIsShipped)
{
    const std::string name = GetParam();
    const Description d = ParseDescription(name, Read(Descriptions / (name + ".level")));
    const Layout layout = GameLayout();
    EXPECT_EQ(Listed(LayoutProblems(d, layout)), "");
    if (d.kind == Kind::Level) {
        EXPECT_EQ(LevelFileText(d), Read(DataFolder / (name + ".ooo")));
    }

    // The same bytes where the same Qt draws them; elsewhere the same
    // picture but for the smoothing of edges and letters.
    const QByteArray drawn = PictureFile(Picture(d, layout));
    const std::string shipped = Read(DataFolder / d.pictureName());
    if (drawn.toStdString() == shipped) return;
    QImage ours = QImage::fromData(drawn), theirs = QImage::fromData(QByteArray::fromStdString(shipped));
    ASSERT_EQ(ours.size(), theirs.size()) << d.pictureName() << " is not the generated picture";
    int differing = 0;
    for (int y = 0; y < ours.height(); ++y)
        for (int x = 0; x < ours.width(); ++x) {
            QRgb a = ours.pixel(x, y), b = theirs.pixel(x, y);
            int most = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                 std::abs(qBlue(a) - qBlue(b))});
            if (most > 48) ++differing;
        }
    EXPECT_LT(differing, 200) << d.pictureName() << " differs from what " << name << ".level draws";
}

INSTANTIATE_TEST_SUITE_P(Shipped, GeneratedContent, ::testing::ValuesIn(DescriptionNames()),
                         [](const auto& info) { return info.param; });
