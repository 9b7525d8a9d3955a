// The player's mouse on a real window, as Qt would deliver it: the left
// button held from the press to the release.
#pragma once
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace orvane::qt::testing {

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at)
{
    Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// A click where the player sees the point, on whichever control is there.
inline void ClickAt(QWidget* field, QPoint at)
{
    QWidget* child = field->childAt(at);
    QWidget* target = child ? child : field;
    QPoint local = target->mapFrom(field, at);
    SendMouse(target, QEvent::MouseButtonPress, local);
    SendMouse(target, QEvent::MouseButtonRelease, local);
}

} // namespace orvane::qt::testing
