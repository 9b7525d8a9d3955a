// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The playfield window as Qt shows it, on the offscreen platform (tests/e2e/play.sh plays it on an X
// server): its controls, a new level's first paint, a nested box closed when the program ends.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <cstdlib>

#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_window.h"
#include "shell/form1.h"

using namespace orvane;

namespace {

struct QtGame {
    qt::QtPlatform platform;
    Form1 form{platform};
    qt::QtWindow& window = dynamic_cast<qt::QtWindow&>(*form.window);

    // The playfield as the window last painted it, without painting anew.
    QImage Shown()
    {
        QWidget* root = window.widget();
        QRect field(window.playfield()->mapTo(root, QPoint(0, 0)), window.playfield()->size());
        return QGuiApplication::primaryScreen()->grabWindow(root->winId()).toImage().copy(field);
    }

    // Waits out the playfield's scheduled repaint of the line work: a wait returns at the first event of
    // any kind, so it is repeated.
    void Settle()
    {
        QDeadlineTimer deadline(40);
        QTimer::singleShot(40, [] {});
        while (!deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
    }
};

int RedPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == QColor(255, 0, 0);
    return n;
}

} // namespace

TEST(PlayfieldWindow, HasItsCaptionMenusLabelsAndPlayfield)
{
    QtGame game;
    game.form.window->show();
    QWidget* root = game.window.widget();
    EXPECT_EQ(root->windowTitle().toStdString(), "Orvane  v1.20      Download other software from:  https://orvane.example.org/");
    auto texts = [](QWidget* menu) {
        QStringList all;
        for (QAction* a : menu->actions()) all << a->text();
        return all.join('|').toStdString();
    };
    EXPECT_EQ(texts(game.window.menuBar()), "Exit| About...|Website...|Options|Pause|  RESTART");
    QMenu* options = game.window.menuBar()->actions()[3]->menu();
    EXPECT_EQ(texts(options), "Display Margins|High Scores...");
    QAction* margins = options->actions()[0];
    // Only a ticked entry looks like an option; a command never does.
    EXPECT_FALSE(options->actions()[1]->isCheckable() || margins->isCheckable());
    game.form.mnuMargins->setChecked(true);
    EXPECT_TRUE(margins->isCheckable() && margins->isChecked());
    game.form.mnuMargins->setChecked(false);
    EXPECT_FALSE(margins->isCheckable());

    // The whole playfield lies below the menu bar, and the window is fixed.
    QWidget* field = game.window.playfield();
    EXPECT_EQ(QRect(field->mapTo(root, QPoint(0, 0)), field->size()), QRect(0, game.window.menuBar()->height(), 600, 400));
    EXPECT_EQ(root->minimumSize(), root->maximumSize());

    // The panel's labels where they are designed, hidden until play.
    auto label = [](Label* control) { return dynamic_cast<qt::QtLabel&>(*control).widget(); };
    EXPECT_EQ(label(game.form.Label2)->mapTo(field, QPoint(0, 0)), QPoint(112, 288 + 8));
    EXPECT_TRUE(label(game.form.Label2)->text() == "Level 1" && label(game.form.Label2)->font().bold());
    EXPECT_EQ(label(game.form.Label5)->geometry(), QRect(0, 64, 185, 25));
    EXPECT_FALSE(game.form.FrameLevelInfo->visible() || game.form.Label1->visible());
}

TEST(PlayfieldWindow, TheNextLevelIsShownWholeWithoutTheOldLineWork)
{
    QtGame game;
    Form1& form = game.form;
    form.Form_Load();
    ASSERT_FALSE(game.platform.events().ending()) << "the game's data was not found beside the tests";
    form.window->show();
    // Level 1 as after a restart, Display Margins on, and a stroke drawn.
    form.Testing = false, form.SpeedFactor = 1, form.LevelCompleted(), form.mnuMargins->setChecked(true);
    form.Segments[0] = {450, 315, 550, 315}, form.Redraw(), game.Settle();
    QImage before = game.Shown();
    ASSERT_TRUE(RedPixels(before) > 50 && before.pixelColor(500, 315) == QColor(Qt::white));

    // The next level, and the first paint after it: the new picture whole, with the panel and the prompt,
    // and nothing of the old line work. (The offscreen platform paints whole windows; on an X server,
    // which gets only what changed, tests/e2e/play.sh runs this test too.)
    form.LevelCompleted();
    QCoreApplication::sendPostedEvents(game.window.widget(), QEvent::UpdateRequest);
    QImage shown = game.Shown();
    // The end-to-end run keeps both screens with its screenshots.
    if (const char* folder = std::getenv("ORVANE_SCREENSHOTS")) {
        before.save(QString(folder) + "/window-test-level-1-lines.png");
        shown.save(QString(folder) + "/window-test-level-2-first-paint.png");
    }
    QImage picture = QImage(QString::fromStdString(form.DataPath + "Level002.jpg")).convertToFormat(shown.format());
    QRegion covered = QRegion(0, 288, 185, 89) + dynamic_cast<qt::QtLabel&>(*form.Label1).widget()->geometry() +
                      QRect(static_cast<int>(form.BallX) - 7, static_cast<int>(form.BallY) - 7, 14, 14);
    int stale = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 600; ++x)
            stale += !covered.contains(QPoint(x, y)) && shown.pixel(x, y) != picture.pixel(x, y);
    EXPECT_TRUE(stale == 0 && RedPixels(shown) == 0) << stale << " stale pixels";
    EXPECT_EQ(shown.pixelColor(2, 290), QColor(Qt::black)) << "the panel is not shown with the picture";

    // The new level's margins show at the first redraw.
    form.Redraw(), game.Settle();
    EXPECT_GT(RedPixels(game.Shown()), 50);

    // The ball, moved by whole pixels and fractions of one, is drawn at its new place.
    const QPoint centre(static_cast<int>(form.BallX) + 30, static_cast<int>(form.BallY) + 20);
    form.Shape1->moveTo(form.BallX - form.BallRadius + 30.5, form.BallY - form.BallRadius + 20.25), game.Settle();
    EXPECT_EQ(game.Shown().pixelColor(centre), QColor(255, 255, 200));
}

TEST(PlayfieldWindow, EndingTheProgramClosesANestedBox)
{
    QtGame game;
    game.form.window->show();
    QString caption;
    QTimer::singleShot(50, [&] {
        caption = QApplication::activeModalWidget()->windowTitle();
        game.form.mnuExit_Click();
    });
    game.form.mnuAbout_Click(); // returns once the program ends
    EXPECT_TRUE(caption == "About" && game.platform.events().ending());
    EXPECT_EQ(game.platform.dialogs().messageBox("x", "", Buttons::YesNo, Icon::None), Answer::No);
}
