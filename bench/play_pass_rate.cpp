// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Main-loop passes a second in the real window: during the speed test (the
// ball hidden) and in play (the ball shown, Display Margins off and on, a
// stroke being drawn). The speed factor only holds if they are alike. The
// test as the game timed it, from SpeedFactor, is reported beside the
// test's later stretches, which the levels are weighed against.
//
// Runs the game itself on the Qt platform; only the event loop is wrapped,
// to count the passes (every pass of the loop yields once) and to play the
// part of the player from a timer inside those yields.
#include <QApplication>
#include <QScreen>
#include <QWindow>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "counting_events.h"
#include "frame_pace.h"
#include "level_stretches.h"
#include "platform/frame_clock.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_window.h"
#include "qt/player_mouse.h"
#include "shell/form1.h"

namespace {

using Seconds = std::chrono::duration<double>;
using SteadyClock = std::chrono::steady_clock;

using orvane::bench::CountingEvents;
using orvane::qt::testing::ClickAt;
using orvane::qt::testing::SendMouse;

class BenchPlatform : public orvane::Platform {
public:
    std::unique_ptr<orvane::Window> createWindow(const orvane::WindowDesign& design) override
    {
        return qt_.createWindow(design);
    }
    orvane::Dialogs& dialogs() override { return qt_.dialogs(); }
    orvane::FileSystem& files() override { return qt_.files(); }
    orvane::Clock& clock() override { return qt_.clock(); }
    orvane::Shell& shell() override { return qt_.shell(); }
    orvane::EventLoop& events() override { return events_; }

private:
    orvane::qt::QtPlatform qt_;

public:
    CountingEvents events_{qt_.events()};
};

// Calls back on every paint of a widget.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(std::function<void()> painted) : painted_(std::move(painted)) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) painted_();
        return false;
    }

private:
    std::function<void()> painted_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    BenchPlatform platform;
    orvane::Form1 form(platform);
    form.Form_Load();
    if (platform.events().ending()) return 1;
    form.window->show();
    auto* field = static_cast<orvane::qt::QtWindow*>(form.window)->playfield();

    // A stroke drawn as a player would, a move every 8 ms (a 125 Hz mouse),
    // zigzagging in the lower right, away from the panel.
    auto strokePoint = [](double t) {
        int step = static_cast<int>(t / 0.008);
        return QPoint(420 + (step % 40) * 4, 250 + ((step / 40) % 2 ? 40 : 0) + (step % 7) * 3);
    };
    int lastMove = -1;
    bool drawing = false;
    auto endStroke = [&] {
        if (!drawing) return;
        drawing = false;
        SendMouse(field, QEvent::MouseButtonRelease, strokePoint(0));
    };
    // Every level's stretches (level_stretches.h), and one more of level 1
    // with a stroke being drawn, before the round's last test.
    std::vector<orvane::bench::Stretch> plan = orvane::bench::OneRound(form.LevelCount);
    plan.insert(plan.end() - 1, {1, orvane::bench::Showing::Stroke});
    orvane::bench::RateTable rates;
    // The playfield's paints while level 1's ball is shown and nothing else
    // moves: when each came and where the ball was.
    const auto paced = [](const orvane::bench::Stretch& s) {
        return s.level == 1 && s.showing == orvane::bench::Showing::MarginsOff;
    };
    orvane::bench::FramePace pace;
    bool pacing = false;
    PaintWatch watch([&] {
        if (!pacing) return;
        pace.paint(Seconds(SteadyClock::now().time_since_epoch()).count(), form.BallX, form.BallY, form.BallVX,
                   form.BallVY);
    });
    field->installEventFilter(&watch);
    auto beginPhase = [&](std::size_t phase) {
        endStroke();
        const orvane::bench::Stretch& s = plan[phase % plan.size()];
        orvane::bench::Begin(form, s);
        if (s.showing == orvane::bench::Showing::Stroke) {
            drawing = true;
            lastMove = -1;
            SendMouse(field, QEvent::MouseButtonPress, strokePoint(0));
        }
    };
    auto clickPrompt = [&] { ClickAt(field, QPoint(294, 180)); };

    auto seconds = [](SteadyClock::time_point t) { return Seconds(t.time_since_epoch()).count(); };
    platform.events_.testing = &form.Testing;
    // The passes of the test's first quarter second against the rest: a
    // cost paid once at its start would show here.
    constexpr double Early = 0.25;
    long long earlyPasses = -1, testPasses = 0;
    float gameFactor = 0; // the speed factor the game's own test set
    double levelOneStep = 0; // level 1's ball, pixels a pass, as the game scaled it
    SteadyClock::time_point phaseStart, promptSince; // the stretch's level set up; the prompt shown
    SteadyClock::time_point countStart;               // its passes counted from here
    bool counting = false;
    orvane::bench::BestWindow window;
    std::size_t current = 0; // stretches played so far
    bool testing = true, waiting = false, spoilt = false;

    QTimer player;
    player.setInterval(1);
    QObject::connect(&player, &QTimer::timeout, [&] {
        auto now = SteadyClock::now();
        long long passes = platform.events_.passes;
        if (QWidget* box = QApplication::activeModalWidget()) { // the level ended or time ran out
            spoilt = true;
            box->close();
            platform.events().endProgram();
            return;
        }
        if (testing) {
            if (form.Testing) {
                if (earlyPasses < 0 && form.TestStartTime > 0 && seconds(now) - form.TestStartTime >= Early)
                    earlyPasses = platform.events_.testPasses;
                return;
            }
            testing = false;
            testPasses = platform.events_.testPasses;
            gameFactor = form.SpeedFactor;
            levelOneStep = std::hypot(form.BallVX, form.BallVY);
            waiting = true;
            promptSince = now;
            return;
        }
        if (waiting) { // the player reads the prompt for a moment
            if (Seconds(now - promptSince).count() < 0.5) return;
            waiting = false;
            clickPrompt();
        } else {
            const double t = Seconds(now - phaseStart).count();
            const orvane::bench::Stretch& s = plan[current % plan.size()];
            if (s.showing == orvane::bench::Showing::Stroke) {
                int step = static_cast<int>(t / 0.008);
                if (step != lastMove) lastMove = step, SendMouse(field, QEvent::MouseMove, strokePoint(t));
            }
            if (t < orvane::bench::SettleSeconds) return;
            if (!counting) {
                counting = true, countStart = now, window.start(seconds(now), passes);
                pacing = paced(s);
                pace.newStretch();
                return;
            }
            window.look(seconds(now), passes);
            const double counted = Seconds(now - countStart).count();
            if (counted < orvane::bench::CountSeconds(s, gameFactor * 7.0)) return;
            if (pacing) pace.stretchSeconds += counted;
            pacing = false;
            rates.add(s, window.best());
            if (++current == orvane::bench::Rounds * plan.size()) {
                endStroke();
                platform.events().endProgram();
                return;
            }
        }
        beginPhase(current);
        phaseStart = SteadyClock::now();
        counting = false;
    });

    // The player clicks the start area; the game runs its handler from
    // there, as it does for a click in the X server.
    QTimer::singleShot(300, [&] {
        player.start();
        ClickAt(field, QPoint(304, 364));
    });
    app.exec();

    if (spoilt || form.SpeedFactor == 0 || earlyPasses < 0) {
        std::fprintf(stderr, "the run was cut short by a message box: no figures\n");
        return 1;
    }
    if (!orvane::bench::FactorHeld(form, gameFactor)) return 1;
    // As the game timed it: SpeedFactor is the test's duration over 7 s.
    const double testSeconds = form.SpeedFactor * 7.0;
    const double testRate = testPasses / testSeconds;
    using orvane::bench::Showing;
    std::printf("the speed test as the game timed it: %.3f s (SpeedFactor %.4f), %.0f passes/s; "
                "its first %.2f s %.0f passes/s, the rest %.0f; its best stretch later %.3f of that\n",
                testSeconds, form.SpeedFactor, testRate, Early, earlyPasses / Early,
                (testPasses - earlyPasses) / (testSeconds - Early),
                rates.best({orvane::bench::SpeedTest, Showing::Hidden}) / testRate);
    rates.print(form.LevelCount);
    // Level 1's description asks for 200 pixels a second (tools/levels).
    std::printf("level 1, a stroke being drawn: %.3f of the test; level 1's ball at %.1f px/s (designed 200)\n",
                rates.ofTest({1, Showing::Stroke}), levelOneStep * rates.best({1, Showing::MarginsOff}));
    const QScreen* screen = field->window()->windowHandle() ? field->window()->windowHandle()->screen() : nullptr;
    const double reported = screen ? screen->refreshRate() : 0;
    std::printf("paints while level 1's ball is shown (%s), the screen at %.1f Hz, painted for %.1f Hz:\n  %s\n",
                "level 1, the ball shown", reported, orvane::RefreshRate(reported), pace.summary().c_str());
    std::printf("  the machine: %s\n",
                orvane::bench::FramePace::MachineFrames(1 / orvane::RefreshRate(reported), 3).c_str());
    return 0;
}
