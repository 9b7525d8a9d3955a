// LoadLevel on any level file, then a little play on what it built: the
// ball steps, a stroke is drawn and the line work redrawn with the margins
// shown. Whatever the file, LastSegment names the table's last row, every
// row read lies inside the table (the build checks each index), the ring
// index and the frame counter stay in their ranges, and a ball that starts
// inside the playfield stays within a step of it.
//
// The input is the level file; after a first zero byte comes the file of
// level 1 and 2, loaded when the ball reaches the goal and then directly,
// so that a level is also built over what another one left.
#include <algorithm>
#include <cmath>

#include "fuzz_check.h"
#include "platform/memory/memory_platform.h"
#include "shell/form1.h"

using namespace orvane;

namespace {

const std::string Data = "/game/Data/";

bool Inside(double x, double y) { return x >= 0 && x <= 600 && y >= 0 && y <= 400; }

// At a corner the ball turns back from one edge and takes that step
// unchecked, so it may stand up to one step beyond the other edge; the next
// step turns it back from that one too. A bounce keeps the step's length
// but not its direction, so the bound is the length.
bool WithinAStep(const Form1& game)
{
    const double step = std::hypot(game.BallVX, game.BallVY);
    return game.BallX >= -step && game.BallX <= 600 + step && game.BallY >= -step && game.BallY <= 400 + step;
}

class Round {
public:
    explicit Round(const std::string& input)
    {
        auto& files = platform.memoryFiles().files;
        const std::size_t zero = input.find('\0');
        files[Data + "A.ooo"] = input.substr(0, zero);
        if (zero != std::string::npos) {
            files[Data + "Level001.ooo"] = input.substr(zero + 1);
            files[Data + "Level002.ooo"] = input.substr(zero + 1);
        }
        files[Data + "P.gif"] = "GIF89a";
        game.DataPath = Data;
        game.LevelCount = 2;
        game.BallRadius = 5;
        game.Testing = false;
        game.SpeedFactor = 1;
        game.mnuMargins->setChecked(true);
    }

    void Load(const std::string& name)
    {
        const bool whole = game.LoadLevel(name);
        CheckTable();
        if (whole) {
            FUZZ_CHECK(game.LastSegment >= LastPlayerRow);
            for (int row = 0; row < PlayerRows; ++row)
                FUZZ_CHECK(game.Segments[static_cast<std::size_t>(row)] == (Segment{0, 0, 0, 0}));
        }
        startedInside_ = Inside(game.BallX, game.BallY);
    }

    // Steps the ball with a stroke across the field; a finished level
    // goes on with the next one.
    void Play()
    {
        const std::size_t rows = std::max<std::size_t>(game.Segments.size(), 1);
        const int passes = static_cast<int>(std::clamp<std::size_t>(20'000 / rows, 1, 120));
        game.Paused = false;
        game.Form_MouseDown(1, 0, 40, 40);
        for (int pass = 0; pass < passes; ++pass) {
            if (game.Paused) {
                startedInside_ = Inside(game.BallX, game.BallY); // a new level was loaded
                game.Paused = false;
            }
            if (pass % 2 == 0) game.Form_MouseMove(1, 0, 40.0f + 4.5f * pass, 360.0f - 3.0f * pass);
            if (pass == 7) game.Form_MouseMove(1, 0, 1e12f, -1e12f); // far off the window
            game.MainLoopPass();
            CheckTable();
            FUZZ_CHECK(std::isfinite(game.BallX) && std::isfinite(game.BallY));
            if (startedInside_ && !game.Paused) FUZZ_CHECK(WithinAStep(game));
            platform.find("Form1")->lines.clear();
        }
        game.Form_MouseUp(1, 0, 0, 0);
        game.Paused = true;
        game.RemoveAll();
        CheckTable();
    }

    memory::MemoryPlatform platform;
    Form1 game{platform};

private:
    void CheckTable()
    {
        FUZZ_CHECK(static_cast<long long>(game.LastSegment) + 1 == static_cast<long long>(game.Segments.size()));
        FUZZ_CHECK(game.Segments.empty() || game.Segments.size() >= static_cast<std::size_t>(PlayerRows));
        FUZZ_CHECK(game.LineIndex >= 0 && game.LineIndex <= LastPlayerRow);
        FUZZ_CHECK(game.FrameCounter >= 0 && game.FrameCounter < Form1::RepaintPeriod);
        FUZZ_CHECK(!game.files.isOpen(1));
    }

    bool startedInside_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Round round(fuzz::TextOf(data, size));
    round.Load("A.ooo");
    round.Play();
    round.Load("Level001.ooo");
    round.Play();
    return 0;
}
