// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A player's first minute in the real window, with the shipped data: the
// welcome picture, the speed test, the prompt, a stroke, Pause and Resume.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTimer>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_window.h"
#include "qt/player_mouse.h"
#include "shell/form1.h"

using namespace orvane;
using orvane::qt::testing::ClickAt;
using orvane::qt::testing::SendMouse;

namespace {

QAction* MenuAction(qt::QtWindow& window, const std::string& text)
{
    for (QAction* a : window.menuBar()->actions())
        if (a->text().toStdString() == text) return a;
    return nullptr;
}

} // namespace

TEST(PlayThrough, StartTestPromptStrokeAndPause)
{
    qt::QtPlatform platform;
    Form1 form(platform);
    auto& window = dynamic_cast<qt::QtWindow&>(*form.window);
    form.Form_Load();
    ASSERT_FALSE(platform.events().ending()) << "the game's data was not found beside the tests";
    form.window->show();
    QWidget* field = window.playfield();

    // The player, as steps run from a timer inside the game's own loop. Each
    // step waits for its condition, acts, and hands over to the next.
    using Clock = std::chrono::steady_clock;
    struct Step {
        const char* name;
        std::function<bool()> ready;
        std::function<void()> act;
    };
    std::vector<Step> steps = {
        {"the speed test ends with the prompt of level 1", [&] { return !form.Testing; },
         [&] {
             EXPECT_EQ(form.CurrentLevel, 1);
             EXPECT_TRUE(form.Paused && form.Label1->visible() && form.FrameLevelInfo->visible());
             EXPECT_GT(form.SpeedFactor, 0.0f);
             ClickAt(field, QPoint(294, 180));
         }},
        {"the prompt's click starts the level", [&] { return !form.Paused; },
         [&] {
             EXPECT_FALSE(form.Label1->visible());
             // A stroke in the lower right, out of the ball's way: a line a move.
             SendMouse(field, QEvent::MouseButtonPress, QPoint(450, 300));
             for (int i = 1; i <= 10; ++i) SendMouse(field, QEvent::MouseMove, QPoint(450 + 10 * i, 300 + 3 * i));
             SendMouse(field, QEvent::MouseButtonRelease, QPoint(550, 330));
             EXPECT_EQ(form.LineIndex, 10);
             EXPECT_GE(window.playfield()->lineCount(), 10u);
             // Menu commands arrive as posted clicks, as the player's do.
             MenuAction(window, "Pause")->trigger();
         }},
        {"Pause stops the game", [&] { return form.Paused; }, [&] { MenuAction(window, "Resume")->trigger(); }},
        {"Resume goes on", [&] { return !form.Paused; }, [&] { MenuAction(window, "Exit")->trigger(); }},
    };

    std::size_t next = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    QTimer player;
    player.setInterval(5);
    QObject::connect(&player, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "an unexpected message box while waiting for: " << steps[next].name;
            box->close();
            platform.events().endProgram();
        } else if (Clock::now() > deadline) {
            ADD_FAILURE() << "gave up waiting for: " << steps[next].name;
            platform.events().endProgram();
        } else if (next < steps.size() && steps[next].ready()) {
            steps[next++].act();
        }
    });
    player.start();
    form.ImageClickToStart_Click(); // returns once the program ends
    EXPECT_EQ(next, steps.size());
    EXPECT_TRUE(platform.events().ending());
}
