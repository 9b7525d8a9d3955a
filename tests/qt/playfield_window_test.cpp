// The playfield window as Qt shows it, on the offscreen platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_window.h"
#include "shell/form1.h"

using namespace orvane;

namespace {

struct QtGame {
    qt::QtPlatform platform;
    Form1 form{platform};
    qt::QtWindow& window = dynamic_cast<qt::QtWindow&>(*form.window);

    QImage Grab()
    {
        QCoreApplication::processEvents();
        return window.playfield()->grab().toImage();
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

TEST(PlayfieldWindow, HasItsCaptionMenusAndPlayfield)
{
    QtGame game;
    game.form.window->show();
    QWidget* root = game.window.widget();
    EXPECT_EQ(root->windowTitle().toStdString(),
              "Orvane  v1.20      Download other software from:  https://orvane.example.org/");

    std::vector<std::string> top;
    for (QAction* a : game.window.menuBar()->actions()) top.push_back(a->text().toStdString());
    EXPECT_EQ(top, (std::vector<std::string>{"Exit", " About...", "Website...", "Options", "Pause", "  RESTART"}));
    QMenu* options = game.window.menuBar()->actions()[3]->menu();
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(options->actions().size(), 2);
    EXPECT_EQ(options->actions()[0]->text().toStdString(), "Display Margins");
    EXPECT_FALSE(options->actions()[0]->isChecked());
    EXPECT_EQ(options->actions()[1]->text().toStdString(), "High Scores...");

    // The whole playfield lies below the menu bar, and the window is fixed.
    QWidget* field = game.window.playfield();
    EXPECT_EQ(field->size(), QSize(600, 400));
    EXPECT_EQ(field->mapTo(root, QPoint(0, 0)), QPoint(0, game.window.menuBar()->height()));
    EXPECT_EQ(root->minimumSize(), root->maximumSize());
}

TEST(PlayfieldWindow, ControlsStandWhereTheyAreDesigned)
{
    QtGame game;
    auto label = [&](const char* text) {
        for (QLabel* l : game.window.playfield()->findChildren<QLabel*>())
            if (l->text() == text) return l;
        return static_cast<QLabel*>(nullptr);
    };
    QLabel* level = label("Level 1");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->mapTo(game.window.playfield(), QPoint(0, 0)), QPoint(112, 288 + 8));
    EXPECT_TRUE(level->font().bold());
    ASSERT_NE(label("seconds left"), nullptr);
    EXPECT_EQ(label("Total score: 16700")->geometry(), QRect(0, 64, 185, 25));
    EXPECT_FALSE(game.form.FrameLevelInfo->visible());
    EXPECT_FALSE(game.form.Label1->visible());
}

TEST(PlayfieldWindow, LineWorkStaysUntilClearedAndShowsRed)
{
    QtGame game;
    game.form.window->show();
    game.form.window->drawLine(Line{10, 10, 200, 10, Red});
    game.form.window->drawLine(Line{10, 10, 200, 10, Red}); // already there: skipped
    EXPECT_EQ(game.window.playfield()->lineCount(), 1u);
    QTimer::singleShot(40, [] {});
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_GT(RedPixels(game.Grab()), 150);
    game.form.window->clearDrawing();
    EXPECT_EQ(RedPixels(game.Grab()), 0);
}

TEST(PlayfieldWindow, EndingTheProgramClosesANestedBox)
{
    QtGame game;
    game.form.window->show();
    QTimer::singleShot(50, [&] { game.form.mnuExit_Click(); });
    game.form.mnuAbout_Click(); // returns once the program ends
    EXPECT_TRUE(game.platform.events().ending());
    EXPECT_EQ(game.platform.dialogs().messageBox("x", "", Buttons::YesNo, Icon::None), Answer::No);
}
