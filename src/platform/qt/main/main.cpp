// Orvane: starts the playfield window and hands over to the event loop.
#include <QApplication>

#include "platform/qt/qt_platform.h"
#include "shell/form1.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvane");
    QApplication::setApplicationDisplayName("Orvane");

    orvane::qt::QtPlatform platform;
    orvane::Form1 form(platform);
    form.Form_Load();
    if (platform.events().ending()) return 0;
    form.window->show();
    return platform.events().ending() ? 0 : app.exec();
}
