// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// LoadLevel on any level file (after a first zero byte, the file of levels 1 and 2, loaded over what the
// first left), then a little play. LastSegment names the table's last row, every row read lies inside
// it (the build checks each index), the counters stay in range, and a ball that starts inside the
// playfield stays within a step of it (at a corner it turns back from one edge, that step unchecked).
#include <algorithm>
#include <cmath>

#include "fuzz.h"
#include "platform/memory/memory_platform.h"
#include "shell/form1.h"

using namespace orvane;

static bool Inside(const Form1& game, double margin)
{
    return game.BallX >= -margin && game.BallX <= 600 + margin && game.BallY >= -margin && game.BallY <= 400 + margin;
}

static void CheckTable(const Form1& game)
{
    FUZZ_CHECK(static_cast<long long>(game.LastSegment) + 1 == static_cast<long long>(game.Segments.size()));
    FUZZ_CHECK(game.Segments.empty() || game.Segments.size() >= static_cast<std::size_t>(PlayerRows));
    FUZZ_CHECK(game.LineIndex >= 0 && game.LineIndex <= LastPlayerRow);
    FUZZ_CHECK(game.FrameCounter >= 0 && game.FrameCounter < Form1::RepaintPeriod);
    FUZZ_CHECK(!game.files.isOpen(1));
}

// Loads the level, then steps the ball with a stroke across the field; a finished level goes on with the next.
static void LoadAndPlay(memory::MemoryPlatform& platform, Form1& game, const std::string& name)
{
    if (game.LoadLevel(name)) {
        FUZZ_CHECK(game.LastSegment >= LastPlayerRow);
        for (int row = 0; row < PlayerRows; ++row)
            FUZZ_CHECK(game.Segments[static_cast<std::size_t>(row)] == (Segment{0, 0, 0, 0}));
    }
    CheckTable(game);
    bool startedInside = Inside(game, 0);
    const int passes = static_cast<int>(std::clamp<std::size_t>(20'000 / std::max<std::size_t>(game.Segments.size(), 1), 1, 120));
    game.Paused = false, game.Form_MouseDown(1, 0, 40, 40);
    for (int pass = 0; pass < passes; ++pass) {
        if (game.Paused) startedInside = Inside(game, 0), game.Paused = false; // the next level was loaded
        if (pass % 2 == 0) game.Form_MouseMove(1, 0, 40.0f + 4.5f * pass, 360.0f - 3.0f * pass);
        if (pass == 7) game.Form_MouseMove(1, 0, 1e12f, -1e12f); // far off the window
        game.MainLoopPass(), CheckTable(game);
        FUZZ_CHECK(std::isfinite(game.BallX) && std::isfinite(game.BallY));
        FUZZ_CHECK(!startedInside || game.Paused || Inside(game, std::hypot(game.BallVX, game.BallVY)));
        platform.find("Form1")->lines.clear();
    }
    game.Form_MouseUp(1, 0, 0, 0), game.Paused = true;
}

void FuzzOne(const std::string& input)
{
    memory::MemoryPlatform platform;
    auto& files = platform.memoryFiles().files;
    const std::size_t zero = input.find('\0');
    files["/game/Data/A.ooo"] = input.substr(0, zero);
    if (zero != std::string::npos) files["/game/Data/Level001.ooo"] = files["/game/Data/Level002.ooo"] = input.substr(zero + 1);
    files["/game/Data/P.gif"] = "GIF89a";
    Form1 game(platform);
    game.DataPath = "/game/Data/", game.LevelCount = 2, game.BallRadius = 5, game.Testing = false, game.SpeedFactor = 1;
    game.mnuMargins->setChecked(true);
    LoadAndPlay(platform, game, "A.ooo");
    LoadAndPlay(platform, game, "Level001.ooo");
}
