// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/qt_playfield.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include <QImageReader>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "platform/qt/qt_convert.h"

namespace orvane::qt {

namespace {

std::vector<Playfield*>& Playfields()
{
    static std::vector<Playfield*> fields;
    return fields;
}

FrameClock::Ticks Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int ButtonsOf(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) + (buttons & Qt::RightButton ? 2 : 0) +
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftOf(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) + (modifiers & Qt::ControlModifier ? 2 : 0) +
           (modifiers & Qt::AltModifier ? 4 : 0);
}

MouseEvent EventOf(const QMouseEvent& event, Qt::MouseButtons buttons)
{
    return MouseEvent{ButtonsOf(buttons), ShiftOf(event.modifiers()),
                      static_cast<float>(event.position().x()), static_cast<float>(event.position().y())};
}

} // namespace

// --- The ball ---

QtShape::QtShape(Playfield& field, const ShapeDesign& design)
    : field_(field), design_(design.place), left_(design.place.x), top_(design.place.y),
      visible_(design.visible)
{
}

void QtShape::moveTo(double left, double top)
{
    left_ = TameCoordinate(left);
    top_ = TameCoordinate(top);
    field_.shapeChanged();
}

void QtShape::setVisible(bool visible)
{
    visible_ = visible;
    field_.shapeChanged();
}

const QImage& QtShape::sprite(qreal ratio)
{
    // Smoothing the ball anew every frame cost the main loop a twentieth of
    // its passes, which the speed test, its ball unseen, never paid.
    if (!sprite_.isNull() && sprite_.devicePixelRatio() == ratio) return sprite_;
    sprite_ = QImage((spriteArea(ratio).size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    sprite_.setDevicePixelRatio(ratio);
    sprite_.fill(Qt::transparent);
    QPainter painter(&sprite_);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Light with a dark rim: the ball shows on any picture.
    painter.setPen(QPen(QColor(40, 40, 40), 1.0));
    painter.setBrush(QColor(255, 255, 200));
    const qreal spare = 1 / ratio;
    painter.drawEllipse(
        QRectF(spare, spare, std::max(design_.w, 0), std::max(design_.h, 0)).adjusted(0.5, 0.5, -0.5, -0.5));
    return sprite_;
}

QRectF QtShape::spriteArea(qreal ratio) const
{
    const qreal spare = 1 / ratio;
    return QRectF(std::floor(left_ * ratio) / ratio - spare, std::floor(top_ * ratio) / ratio - spare,
                  std::ceil(std::max(design_.w, 0) * ratio) / ratio + 2 * spare,
                  std::ceil(std::max(design_.h, 0) * ratio) / ratio + 2 * spare);
}

// --- The playfield ---

Playfield::Playfield(Window& window, const WindowDesign& design, QWidget* parent)
    : QWidget(parent), window_(window), background_(ToQColor(design.background)),
      foreground_(design.foreground)
{
    setFixedSize(std::max(design.client.width, 0), std::max(design.client.height, 0));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    repaintTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&repaintTimer_, &QTimer::timeout, this, [this] { repaintFromTimer(); });
    Playfields().push_back(this);
}

Playfield::~Playfield() { std::erase(Playfields(), this); }

Shape& Playfield::addShape(const ShapeDesign& design)
{
    shapes_.push_back(std::make_unique<QtShape>(*this, design));
    shapeChanged();
    return *shapes_.back();
}

bool Playfield::setPicture(const std::string& path)
{
    // Decoded and brought to the format the raster engine blits fastest
    // here, when the game asks for it, so that its first paint costs no
    // more than any other.
    QImage picture = QImageReader(ToQString(path)).read();
    if (!picture.isNull()) {
        picture = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                    : QImage::Format_RGB32);
        picture.setDevicePixelRatio(1);
    }
    replacePicture(std::move(picture));
    return !picture_.isNull();
}

void Playfield::clearPicture() { replacePicture(QImage()); }

void Playfield::replacePicture(QImage picture)
{
    // Nothing drawn on the old picture belongs on the new one.
    picture_ = std::move(picture);
    clearDrawing();
    markAllStale();
}

void Playfield::markAllStale()
{
    // Asked for at once, not with the next scheduled repaint: the controls
    // the game changes along with the picture ask for their paint at once
    // too, and the player must see the new screen whole, never the new
    // controls over the old picture.
    update();
}

void Playfield::drawLine(const Line& line)
{
    std::optional<DrawnLine> added = lines_.add(line, foreground_);
    if (!added) return;
    const DrawnLine& key = *added;
    matchLayerToScreen();
    paintOnLayer(key);
    QRectF bounds = QRectF(QPointF(key.x1, key.y1), QPointF(key.x2, key.y2)).normalized();
    staleLines_ |= bounds.toAlignedRect().adjusted(-1, -1, 2, 2);
    scheduleRepaint();
}

void Playfield::clearDrawing()
{
    if (lines_.size() > 0) {
        layer_.fill(Qt::transparent);
        markAllStale();
    }
    lines_.clear();
}

void Playfield::paintOnLayer(const DrawnLine& line)
{
    QPainter painter(&layer_);
    QColor colour = ToQColor(line.colour);
    if (line.x1 == line.x2 && line.y1 == line.y2) {
        painter.fillRect(QRectF(std::floor(line.x1), std::floor(line.y1), 1, 1), colour);
        return;
    }
    // Smooth slants; a pen one logical pixel wide centred on the pixel's
    // middle still covers whole pixels where a line runs straight along a
    // row or a column, at any pixel ratio, so those stay crisp.
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(0.5, 0.5);
    painter.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2));
}

void Playfield::matchLayerToScreen()
{
    const qreal ratio = devicePixelRatioF();
    if (!layer_.isNull() && layer_.devicePixelRatio() == ratio) return;
    layer_ = QImage(QSizeF(size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    layer_.setDevicePixelRatio(ratio);
    layer_.fill(Qt::transparent);
    for (const DrawnLine& line : lines_.lines()) paintOnLayer(line);
    allStale_ = true;
}

void Playfield::repaintWhenDue()
{
    const FrameClock::Ticks now = Now();
    for (Playfield* field : Playfields())
        if (field->repaintPending_ && field->frameClock_.due(now)) field->repaintStale();
}

void Playfield::repaintFromTimer()
{
    // The timer runs on while things change: a tick with nothing to do ends
    // it, and one whose frame the yield painted does nothing.
    if (!repaintPending_) repaintTimer_.stop();
    else if (frameClock_.due(Now())) repaintStale();
}

void Playfield::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    watchScreen();
}

void Playfield::watchScreen()
{
    QWindow* handle = window()->windowHandle();
    if (screenWatched_ || !handle) return;
    screenWatched_ = true;
    QObject::connect(handle, &QWindow::screenChanged, this, [this](QScreen* screen) { readRefreshRate(screen); });
    readRefreshRate(handle->screen());
}

void Playfield::readRefreshRate(QScreen* screen)
{
    QObject::disconnect(rateWatch_);
    if (screen)
        rateWatch_ = QObject::connect(screen, &QScreen::refreshRateChanged, this,
                                      [this, screen] { readRefreshRate(screen); });
    frameClock_.setPeriod(FrameClock::periodOf(RefreshRate(screen ? screen->refreshRate() : 0)));
    frameMs_ = static_cast<int>(frameClock_.period() / 1'000'000);
}

void Playfield::repaintStale()
{
    repaintPending_ = false;
    QRegion stale;
    if (allStale_) stale = rect();
    else if (!staleLines_.isEmpty()) stale = staleLines_;
    if (shapesStale_ && !allStale_) {
        for (auto& shape : shapes_) {
            const QRect now = shape->spriteArea(devicePixelRatioF()).toAlignedRect();
            if (now != shape->stale) stale += shape->stale.united(now);
            shape->stale = now;
        }
    }
    allStale_ = shapesStale_ = false;
    staleLines_ = QRect();
    // Painted now, in its frame, rather than at the window system's next
    // update round.
    if (!stale.isEmpty()) repaint(stale);
}

void Playfield::paintEvent(QPaintEvent* event)
{
    matchLayerToScreen();
    QPainter painter(this);
    const qreal ratio = layer_.devicePixelRatio();
    for (const QRect& r : event->region()) {
        painter.fillRect(r, background_);
        if (!picture_.isNull()) painter.drawImage(r, picture_, r);
        painter.drawImage(QRectF(r), layer_, QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
    }
    for (auto& shape : shapes_) {
        if (!shape->visible()) continue;
        const QRectF place = shape->spriteArea(ratio);
        painter.drawImage(place.topLeft(), shape->sprite(ratio));
        shape->stale = place.toAlignedRect();
    }
}

void Playfield::mousePressEvent(QMouseEvent* event)
{
    if (window_.onMouseDown) window_.onMouseDown(EventOf(*event, event->button()));
}

void Playfield::mouseMoveEvent(QMouseEvent* event)
{
    if (window_.onMouseMove) window_.onMouseMove(EventOf(*event, event->buttons()));
}

void Playfield::mouseReleaseEvent(QMouseEvent* event)
{
    if (window_.onMouseUp) window_.onMouseUp(EventOf(*event, event->button()));
}

} // namespace orvane::qt
