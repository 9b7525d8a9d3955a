// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A top-level window of the game: the playfield window or the high-score
// window. Controls are added once, from the window's design, and stay alive
// as long as the window.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "platform/controls.h"

namespace orvane {

struct WindowDesign {
    std::string name;
    std::string caption;
    Size client;               // the client area below any menu bar
    Colour background = Black;
    Colour foreground = Black; // the colour of lines drawn without one
};

enum class MouseButton { None = 0, Left = 1, Right = 2, Middle = 4 };

// Buttons is a sum of MouseButton values: the buttons held down for a move,
// the button that changed for a press or a release.
struct MouseEvent {
    int buttons = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};

struct Line {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::optional<Colour> colour; // the window's foreground colour when empty
    friend bool operator==(const Line&, const Line&) = default;
};

class Window {
public:
    virtual ~Window() = default;

    // Geometry in logical pixels; a window's outer size includes its frame,
    // caption and menu bar. The screen is the work area of the monitor the
    // window is on, or, for a window about to open over the game's, that
    // window's; moveTo places the outer top-left corner relative to that
    // work area's corner. So a window the game centres opens on the monitor
    // the player is using, not always on the first.
    virtual Size screenSize() const = 0;
    virtual Size outerSize() const = 0;
    virtual void setOuterSize(Size size) = 0;
    virtual void moveTo(int left, int top) = 0;

    virtual Label& addLabel(const LabelDesign& design) = 0;
    virtual Frame& addFrame(const FrameDesign& design) = 0;
    virtual ImageArea& addImageArea(const ImageAreaDesign& design) = 0;
    virtual Shape& addShape(const ShapeDesign& design) = 0;
    virtual ListBox& addListBox(const ListBoxDesign& design) = 0;
    virtual Button& addButton(const ButtonDesign& design) = 0;
    virtual MenuItem& addMenu(const MenuDesign& design) = 0;
    virtual Timer& addTimer(const TimerDesign& design) = 0;

    // The background picture, shown unscaled from the top-left corner.
    // Returns false, leaving no picture, when the file cannot be read as a
    // picture. Setting or clearing the picture repaints the whole window
    // with it, so both also clear the run-time drawing (as clearDrawing()),
    // whether or not the new picture could be read: nothing drawn over the
    // old level stays on the new one.
    virtual bool setPicture(const std::string& path) = 0;
    virtual void clearPicture() = 0;

    // Line work drawn at run time lies above the picture and stays until
    // clearDrawing() or a new picture; drawing a line that is already there
    // changes nothing.
    virtual void drawLine(const Line& line) = 0;
    virtual void clearDrawing() = 0;

    virtual void show() = 0;
    // Shows the window modally and returns when it has been closed.
    virtual void showModal() = 0;
    // Closes the window; a modal showModal() then returns.
    virtual void close() = 0;

    std::function<void(const MouseEvent&)> onMouseDown;
    std::function<void(const MouseEvent&)> onMouseMove;
    std::function<void(const MouseEvent&)> onMouseUp;
    // The player closes the window from its frame.
    std::function<void()> onUnload;
};

} // namespace orvane
