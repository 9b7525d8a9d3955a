// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Orvane: starts the playfield window and hands over to the event loop.
#include <QApplication>

#include "platform/qt/qt_platform.h"
#include "shell/form1.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The name titles the message boxes that have no title of their own. It
    // is not set as the display name too: Qt would append that to every
    // window's title, and the playfield's title is its caption exactly.
    QApplication::setApplicationName("Orvane");

    orvane::qt::QtPlatform platform;
    orvane::Form1 form(platform);
    form.Form_Load();
    if (platform.events().ending()) return 0;
    form.window->show();
    return platform.events().ending() ? 0 : app.exec();
}
