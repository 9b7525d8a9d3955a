// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QApplication>
#include <QThreadPool>

int main(int argc, char** argv)
{
    // The window tests and the pictures need no display: Qt's offscreen platform, unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvane");
    ::testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    // LeakSanitizer stops every thread at exit, and its tracer can crash on one winding down: the pool's threads,
    // which scale pictures, are ended here, while the application still stands.
    QThreadPool::globalInstance()->waitForDone();
    return failed;
}
