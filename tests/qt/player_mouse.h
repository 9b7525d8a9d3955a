// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The player's mouse on a real window, as Qt delivers it: to whichever
// control is at the point, the left button held from the press to the
// release. The play-through test and the speed bench both play with it.
#pragma once
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace orvane::qt::testing {

inline void SendMouse(QWidget* field, QEvent::Type type, QPoint at)
{
    QWidget* target = field->childAt(at) ? field->childAt(at) : field;
    const QPoint local = target->mapFrom(field, at);
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

inline void ClickAt(QWidget* field, QPoint at)
{
    SendMouse(field, QEvent::MouseButtonPress, at);
    SendMouse(field, QEvent::MouseButtonRelease, at);
}

} // namespace orvane::qt::testing
