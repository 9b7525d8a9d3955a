// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Under Wine, or on Windows: the cost of one yield with nothing pending, and
// the main loop's passes a second in the real window during the speed test
// (the ball hidden) and in play (the ball shown). The speed factor holds
// only if the two rates agree.
//
// Runs the game itself on the Win32 platform; only the event loop is
// wrapped, to count the passes (every pass of the loop yields once), and a
// thread timer inside those yields plays the part of the player.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "counting_events.h"
#include "frame_pace.h"
#include "level_stretches.h"
#include "platform/win32/win32_gdiplus.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"
#include "shell/form1.h"

namespace {

using SteadyClock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

using orvane::bench::CountingEvents;

class BenchPlatform : public orvane::win32::Win32Platform {
public:
    orvane::EventLoop& events() override { return counting; }
    CountingEvents counting{Win32Platform::events()};
};

// The player's part, run from a thread timer inside the game's yields.
struct Player {
    orvane::Form1* form = nullptr;
    CountingEvents* events = nullptr;
    SteadyClock::time_point since; // the stretch's level set up, then its counting begun
    bool counting = false;         // once the level settled
    orvane::bench::BestWindow window;
    bool playing = false; // after the speed test
    // Every level's stretches, in rounds (level_stretches.h).
    std::vector<orvane::bench::Stretch> plan;
    std::size_t current = 0;
    orvane::bench::RateTable rates;
    double testRate = 0;
    float gameFactor = 0; // the speed factor the game's own test set
    // The test's passes after its first 0.3 s, which leave out what it
    // pays once at its start (the first painting of its picture above all).
    SteadyClock::time_point clicked, mark;
    long long markPasses = -1;
    double steadyTestRate = 0;
    // The paints while level 1's ball is shown.
    orvane::bench::FramePace pace;
};
Player* player = nullptr;

bool Paced(const orvane::bench::Stretch& s) { return s.level == 1 && s.showing == orvane::bench::Showing::MarginsOff; }

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Player& p = *player;
    const auto now = SteadyClock::now();
    const long long passes = p.events->passes;
    if (!p.playing) {
        if (p.markPasses < 0 && Seconds(now - p.clicked).count() >= 0.3) p.mark = now, p.markPasses = passes;
        if (p.form->Testing) return;
        if (p.markPasses >= 0) p.steadyTestRate = (passes - p.markPasses) / Seconds(now - p.mark).count();
        // The test's own measure: its duration is the speed factor times 7 s.
        p.testRate = static_cast<double>(p.events->testPasses) / (p.form->SpeedFactor * 7.0);
        p.gameFactor = p.form->SpeedFactor;
        p.playing = true;
    } else {
        const double t = Seconds(now - p.since).count();
        if (t < orvane::bench::SettleSeconds) return;
        if (!p.counting) {
            p.since = now, p.counting = true;
            p.window.start(Seconds(now.time_since_epoch()).count(), passes);
            p.pace.newStretch();
            return;
        }
        p.window.look(Seconds(now.time_since_epoch()).count(), passes);
        const orvane::bench::Stretch& done = p.plan[p.current % p.plan.size()];
        if (t < orvane::bench::CountSeconds(done, p.gameFactor * 7.0)) return;
        p.rates.add(done, p.window.best());
        if (Paced(done)) p.pace.stretchSeconds += t;
        if (++p.current == orvane::bench::Rounds * p.plan.size()) {
            p.form->platform.events().endProgram();
            return;
        }
    }
    orvane::bench::Begin(*p.form, p.plan[p.current % p.plan.size()]);
    p.since = SteadyClock::now(), p.counting = false;
}

} // namespace

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR gdiplus = 0;
    Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr);
    BenchPlatform platform;
    orvane::Form1 form(platform);
    form.Form_Load();
    form.window->show();
    // Until the window is painted and nothing is left to do.
    const auto settle = SteadyClock::now() + std::chrono::milliseconds(500);
    while (SteadyClock::now() < settle) platform.counting.yield();

    constexpr int Yields = 20000;
    const auto start = SteadyClock::now();
    for (int i = 0; i < Yields; ++i) platform.counting.yield();
    const double yield = Seconds(SteadyClock::now() - start).count() / Yields;
    // What a look at the queue costs, which the yield makes once a millisecond.
    const auto peekStart = SteadyClock::now();
    MSG msg;
    for (int i = 0; i < Yields / 10; ++i) PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    const double peek = Seconds(SteadyClock::now() - peekStart).count() / (Yields / 10);
    std::printf("one yield with nothing pending: %.3f us on average (a look at the queue: %.1f us)\n",
                yield * 1e6, peek * 1e6);

    Player p;
    p.form = &form;
    p.events = &platform.counting;
    p.plan = orvane::bench::OneRound(form.LevelCount);
    platform.counting.testing = &form.Testing;
    p.clicked = SteadyClock::now();
    player = &p;
    SetTimer(nullptr, 0, 10, &Tick);
    auto* window = static_cast<orvane::win32::Win32Window*>(form.window);
    long long paints = window->paints();
    platform.counting.afterYield = [&] {
        if (window->paints() == paints) return;
        paints = window->paints();
        if (p.playing && p.counting && Paced(p.plan[p.current % p.plan.size()]))
            p.pace.paint(Seconds(SteadyClock::now().time_since_epoch()).count(), form.BallX, form.BallY,
                         form.BallVX, form.BallVY);
    };
    form.ImageClickToStart_Click(); // returns when the player ends the program
    if (!orvane::bench::FactorHeld(form, p.gameFactor)) return 1;
    std::printf("speed test: %.2f s, %.0f passes/s; after its first 0.3 s %.0f passes/s; its best stretch "
                "later %.3f of that\n",
                form.SpeedFactor * 7.0, p.testRate, p.steadyTestRate,
                p.rates.best({orvane::bench::SpeedTest, orvane::bench::Showing::Hidden}) / p.testRate);
    p.rates.print(form.LevelCount);
    std::printf("paints while level 1's ball is shown, painted for the %.2f Hz the platform read:\n  %s\n",
                window->refreshRate(), p.pace.summary().c_str());
    std::printf("  the machine: %s\n", orvane::bench::FramePace::MachineFrames(1 / window->refreshRate(), 3).c_str());
    Gdiplus::GdiplusShutdown(gdiplus);
    return 0;
}
