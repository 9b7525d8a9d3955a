// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The content area of a game window, exactly the designed client size below
// any menu bar. It paints, bottom to top, the background colour, the
// picture, the line work and the ball, and reports the mouse.
//
// The game moves the ball and redraws its lines far more often than a
// screen can show them, so the ball and the lines repaint where they
// changed once a frame of the screen the window is on: the main loop's
// yield paints when the frame clock finds a frame due, and a timer of a
// frame does it only while the loop does not run (a modal loop, a wait
// while paused). A new picture, or line work cleared, repaints the whole
// field at once.
#pragma once
#include <memory>
#include <vector>

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "platform/frame_clock.h"
#include "platform/line_record.h"
#include "platform/window.h"

class QScreen;

namespace orvane::qt {

class Playfield;

// The ball is painted by the playfield, not a widget of its own: moving a
// widget hundreds of thousands of times a second would swamp the window
// system.
class QtShape : public Shape {
public:
    QtShape(Playfield& field, const ShapeDesign& design);
    void moveTo(double left, double top) override;
    void setVisible(bool visible) override;
    bool visible() const override { return visible_; }
    Rect place() const override { return design_; }

    // The ball smoothed once for a screen's scale, and the place it is
    // copied to: its place rounded down to a whole pixel of the screen, with
    // a pixel to spare around it for the smoothed rim.
    const QImage& sprite(qreal ratio);
    QRectF spriteArea(qreal ratio) const;
    // Where it was when last scheduled for paint.
    QRect stale;

private:
    Playfield& field_;
    Rect design_;
    double left_;
    double top_;
    bool visible_;
    QImage sprite_;
};

class Playfield : public QWidget {
public:
    Playfield(Window& window, const WindowDesign& design, QWidget* parent);
    ~Playfield() override;

    bool setPicture(const std::string& path);
    void clearPicture();
    void drawLine(const Line& line);
    void clearDrawing();
    Shape& addShape(const ShapeDesign& design);

    // Repaints what is stale in every playfield whose frame is due. The
    // main loop's yield calls it on every pass: a clock read, exact to far
    // below a millisecond, where a timer's deadline is whole milliseconds.
    static void repaintWhenDue();

    // Distinct lines on the layer since the last clear.
    std::size_t lineCount() const { return lines_.size(); }

    // Called by a shape that moved or changed visibility.
    void shapeChanged()
    {
        shapesStale_ = true;
        scheduleRepaint();
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void scheduleRepaint()
    {
        repaintPending_ = true;
        if (!repaintTimer_.isActive()) repaintTimer_.start(frameMs_);
    }
    void repaintFromTimer();
    void repaintStale();
    // Follows the refresh rate of the screen the window is on.
    void watchScreen();
    void readRefreshRate(QScreen* screen);
    void replacePicture(QImage picture);
    void markAllStale();
    void paintOnLayer(const DrawnLine& line);
    // The layer lives in device pixels; it is made again, from the lines
    // drawn, when the window moves to a screen of another pixel ratio.
    void matchLayerToScreen();

    Window& window_;
    QColor background_;
    Colour foreground_;
    QImage picture_;
    QImage layer_;
    LineRecord lines_;
    std::vector<std::unique_ptr<QtShape>> shapes_;

    QTimer repaintTimer_;
    int frameMs_ = 16;
    bool repaintPending_ = false;
    FrameClock frameClock_;
    QMetaObject::Connection rateWatch_;
    bool screenWatched_ = false;
    QRect staleLines_;
    bool allStale_ = false;
    bool shapesStale_ = false;
};

} // namespace orvane::qt
