// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_window.h"

namespace orvane::qt {

namespace {

// Deferred deletes wait for a return to an event loop's exec(), which the
// game's endless loop never makes: they are delivered at every yield.
void DeliverDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Without a display name of its own, the application's name.
QString TitleOf(const std::string& title)
{
    return title.empty() ? QGuiApplication::applicationDisplayName() : ToQString(title);
}

} // namespace

void QtEvents::yield()
{
    Playfield::repaintWhenDue();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    DeliverDeferredDeletes();
}

void QtEvents::waitForEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    DeliverDeferredDeletes();
}

void QtEvents::endProgram()
{
    ending_ = true;
    // Leaves every running event loop of the thread, the nested ones of
    // modal windows and boxes included; the game's own loops see ending().
    QCoreApplication::exit(0);
}

Answer QtDialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon)
{
    if (events_.ending()) return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    QMessageBox::Icon qtIcon = icon == Icon::Critical      ? QMessageBox::Critical
                               : icon == Icon::Exclamation ? QMessageBox::Warning
                               : icon == Icon::Information ? QMessageBox::Information
                                                           : QMessageBox::NoIcon;
    QMessageBox::StandardButtons qtButtons = buttons == Buttons::Ok         ? QMessageBox::Ok
                                             : buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                                            : QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(qtIcon, TitleOf(title), PlainLines(text), qtButtons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (buttons == Buttons::YesNo) box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText)
{
    if (events_.ending()) return {};
    bool ok = false;
    QString typed = QInputDialog::getText(QApplication::activeWindow(), TitleOf(title), PlainLines(prompt),
                                          QLineEdit::Normal, ToQString(defaultText), &ok);
    return ok && !events_.ending() ? ToStdString(typed) : std::string();
}

void QtShell::openUrl(const std::string& url) { QDesktopServices::openUrl(QUrl(ToQString(url))); }

std::unique_ptr<Window> QtPlatform::createWindow(const WindowDesign& design)
{
    return std::make_unique<QtWindow>(design);
}

} // namespace orvane::qt
