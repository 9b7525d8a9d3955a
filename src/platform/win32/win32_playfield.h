// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The client area of a game window, exactly the designed size below the
// menu bar. It paints, bottom to top, the background colour, the picture,
// the line work, the panels with their labels and the ball, and routes the
// mouse to the click areas and labels or to the game.
//
// The picture and the line work are kept composed in one bitmap in device
// pixels: a line is drawn there once, a new picture or a clear composes it
// again. The game moves the ball and redraws its lines far more often than a
// screen can show them, so nothing repaints at once: changes mark what is
// stale, and the main loop's yield repaints it when the frame clock, at the
// refresh period of the monitor the window is on, finds a frame due. A
// window timer does it only while a modal loop (an open menu, a drag, a
// box) holds the thread: its ticks come with the system's 15.6 ms clock,
// which would beat against any screen's frames.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/frame_clock.h"
#include "platform/line_record.h"
#include "platform/win32/win32_text.h"
#include "platform/window.h"

namespace orvane::win32 {

class Playfield;

// Runs a handler once control is back in the message loop rather than inside
// the window procedure that saw the click: the game's handlers may run for
// the rest of the program (the start area's handler runs the main loop).
// The handler must live as long as the window.
void PostClick(HWND hwnd, const std::function<void()>& handler);

class Win32Frame : public Frame {
public:
    Win32Frame(Playfield& field, const FrameDesign& design) : field_(field), design_(design), visible_(design.visible) {}
    void setVisible(bool visible) override;
    bool visible() const override { return visible_; }
    const FrameDesign& design() const { return design_; }

private:
    Playfield& field_;
    FrameDesign design_;
    bool visible_;
};

// Labels are painted by the playfield rather than being child windows of
// their own: over a picture a child window cannot be truly transparent.
class Win32Label : public Label {
public:
    Win32Label(Playfield& field, const LabelDesign& design, Win32Frame* frame);
    ~Win32Label() override;
    void setCaption(const std::string& caption) override;
    std::string caption() const override { return caption_; }
    void setVisible(bool visible) override;
    bool visible() const override { return visible_; }
    void setForeColour(Colour colour) override;
    Colour foreColour() const override { return colour_; }
    void setCustomPointer(bool on) override { customPointer_ = on; }

    // Shown: itself and its panel, if it has one.
    bool shown() const { return visible_ && (!frame_ || frame_->visible()); }
    bool customPointer() const { return customPointer_; }
    bool clickable() const { return !frame_ && onClick; }
    // Its place in the client area, in logical pixels.
    Rect place() const;
    void paint(HDC dc, UINT dpi) const;
    // Fonts and the text's size follow the pixel ratio.
    void rescale(UINT dpi);

private:
    void fitText();

    Playfield& field_;
    LabelDesign design_;
    Win32Frame* frame_;
    std::string caption_;
    std::wstring text_;
    Colour colour_;
    bool visible_;
    bool customPointer_ = false;
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
    Rect fitted_;
};

class Win32ImageArea : public ImageArea {
public:
    explicit Win32ImageArea(const ImageAreaDesign& design) : design_(design) {}
    void setVisible(bool visible) override { visible_ = visible; }
    bool visible() const override { return visible_; }
    const ImageAreaDesign& design() const { return design_; }
    bool clickable() const { return visible_ && (onClick || onDoubleClick); }

private:
    ImageAreaDesign design_;
    bool visible_ = true;
};

// The ball: moving it only notes where it is.
class Win32Shape : public Shape {
public:
    Win32Shape(Playfield& field, const ShapeDesign& design);
    ~Win32Shape() override;
    void moveTo(double left, double top) override;
    void setVisible(bool visible) override;
    bool visible() const override { return visible_; }
    Rect place() const override { return design_; }

    // Where it is now, in logical pixels, and what it covered at the last paint.
    double left() const { return left_; }
    double top() const { return top_; }
    RECT stale{};

    // The ball as painted, at the window's pixel ratio, in a DC of its own.
    void render(UINT dpi);
    HDC sprite() const { return spriteDc_; }
    Size spriteSize() const { return spriteSize_; }

private:
    Playfield& field_;
    Rect design_;
    HDC spriteDc_ = nullptr;
    HBITMAP sprite_ = nullptr;
    HGDIOBJ spriteOld_ = nullptr;
    Size spriteSize_;
    double left_;
    double top_;
    bool visible_;
};

class Playfield {
public:
    Playfield(Window& window, const WindowDesign& design);
    ~Playfield();
    Playfield(const Playfield&) = delete;
    Playfield& operator=(const Playfield&) = delete;

    // The window it paints; the pixel ratio is taken from it.
    void attach(HWND hwnd, UINT dpi);
    void rescale(UINT dpi);
    UINT dpi() const { return dpi_; }
    Size logicalSize() const { return size_; }

    Frame& addFrame(const FrameDesign& design);
    Label& addLabel(const LabelDesign& design);
    ImageArea& addImageArea(const ImageAreaDesign& design);
    Shape& addShape(const ShapeDesign& design);

    bool setPicture(const std::string& path);
    void clearPicture();
    void drawLine(const Line& line);
    void clearDrawing();
    std::size_t lineCount() const { return lines_.size(); }
    // Paints made so far, and the refresh rate they follow: benches time them.
    long long paints() const { return paints_; }
    double refreshRate() const { return static_cast<double>(ticksPerSecond_) / frameClock_.period(); }

    // Called by controls that changed what they show there, in logical pixels.
    void stale(const Rect& area);
    void shapeChanged();
    // Repaints what is stale when a frame is due at this reading of the
    // performance counter; gives when to look again.
    LONGLONG repaintWhenDue(LONGLONG now);
    // The window timer's tick: repaints only a frame the yield has not.
    void repaintFromTimer();
    // Reads the refresh period of the monitor the window is on, when it
    // may have changed (a display change, a move to another monitor).
    void readRefreshRate(bool monitorMayHaveChanged);
    void paint(HDC dc, const RECT& area);

    // Mouse messages of the client area; true when handled.
    bool mouse(UINT message, WPARAM wParam, LPARAM lParam);
    // The cursor at a point of the client area: the custom pointer or none.
    bool wantsCustomPointer(POINT device) const;

private:
    struct Target {
        const std::function<void()>* click = nullptr;
        const std::function<void()>* doubleClick = nullptr;
        Rect place;
    };
    std::optional<Target> targetAt(double x, double y) const;
    MouseEvent eventOf(WPARAM wParam, LPARAM lParam, int buttons) const;
    void compose();
    void paintLine(const DrawnLine& line);
    RECT device(const Rect& logical) const;
    void scheduleRepaint();
    void repaintStale();

    Window& window_;
    Colour background_;
    Colour foreground_;
    Size size_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;

    HBITMAP picture_ = nullptr; // in its own pixels
    Size pictureSize_;
    HDC composedDc_ = nullptr;  // background, picture and lines, in device pixels
    HBITMAP composed_ = nullptr;
    HGDIOBJ composedOld_ = nullptr;
    HDC backDc_ = nullptr;      // where a paint is put together before it is shown
    HBITMAP back_ = nullptr;
    HGDIOBJ backOld_ = nullptr;
    LineRecord lines_;

    std::vector<std::unique_ptr<Win32Frame>> frames_;
    std::vector<std::unique_ptr<Win32Label>> labels_;
    std::vector<std::unique_ptr<Win32ImageArea>> areas_;
    std::vector<std::unique_ptr<Win32Shape>> shapes_;

    FrameClock frameClock_;
    long long paints_ = 0;
    LONGLONG ticksPerSecond_ = 1;
    HMONITOR monitor_ = nullptr;
    bool repaintPending_ = false;
    bool timerRunning_ = false;
    bool allStale_ = false;
    bool shapesStale_ = false;
    RECT staleArea_{};

    // The click area or label the left button went down on.
    std::optional<Target> pressed_;
    bool secondPress_ = false;
    bool captured_ = false;
};

} // namespace orvane::win32
