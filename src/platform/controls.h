// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The controls a game window is built from. The game logic describes each
// control once (its design) and from then on talks to it through these
// handles; a platform decides how a control looks and behaves on screen.
#pragma once
#include <functional>
#include <string>

#include "platform/geometry.h"

namespace orvane {

struct FontDesign {
    std::string face = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
};

class Frame {
public:
    virtual ~Frame() = default;
    virtual void setVisible(bool visible) = 0;
    virtual bool visible() const = 0;
};

struct FrameDesign {
    std::string name;
    Rect place;
    std::string caption;
    Colour background = Black;
    bool visible = true;
};

class Label {
public:
    virtual ~Label() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string caption() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool visible() const = 0;
    virtual void setForeColour(Colour colour) = 0;
    virtual Colour foreColour() const = 0;
    // Switches the label's pointer between the default arrow and the
    // custom pointer it carries.
    virtual void setCustomPointer(bool on) = 0;

    std::function<void()> onClick;
};

struct LabelDesign {
    std::string name;
    Rect place;
    std::string caption;
    Colour foreColour = White;
    FontDesign font;
    bool visible = true;
    Frame* parent = nullptr; // place is relative to this frame when set
};

// A transparent area that reacts to clicks.
class ImageArea {
public:
    virtual ~ImageArea() = default;
    virtual void setVisible(bool visible) = 0;
    virtual bool visible() const = 0;

    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
};

struct ImageAreaDesign {
    std::string name;
    Rect place;
    bool customPointer = false;
};

// The ball: a small circle that moves on every pass of the main loop, so a
// platform must make moving it cheap.
// A shape's place is repainted once a frame while it moves, shown or
// hidden: the speed test moves the ball unseen, and its passes must pay for
// the frames what play's pay, or the speed it measures would not hold.
class Shape {
public:
    virtual ~Shape() = default;
    virtual void moveTo(double left, double top) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool visible() const = 0;
    virtual Rect place() const = 0;
};

struct ShapeDesign {
    std::string name;
    Rect place;
    bool visible = false;
};

class ListBox {
public:
    virtual ~ListBox() = default;
    virtual void clear() = 0;
    virtual void addItem(const std::string& item) = 0;
    // An index runs from 0 to count() - 1, and to count() for insertItem,
    // which then appends; the memory platform throws std::out_of_range for
    // any other, so a caller's miscount shows in the tests.
    virtual void insertItem(int index, const std::string& item) = 0;
    virtual int count() const = 0;
    virtual std::string item(int index) const = 0;
};

struct ListBoxDesign {
    std::string name;
    Rect place;
};

class Button {
public:
    virtual ~Button() = default;
    std::function<void()> onClick;
};

struct ButtonDesign {
    std::string name;
    Rect place;
    std::string caption;
    bool isDefault = false; // Enter presses it
    bool isCancel = false;  // Esc presses it
};

class MenuItem {
public:
    virtual ~MenuItem() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string caption() const = 0;
    virtual void setChecked(bool checked) = 0;
    virtual bool checked() const = 0;

    std::function<void()> onClick;
};

struct MenuDesign {
    std::string name;
    std::string caption;
    MenuItem* parent = nullptr; // a top-level entry when null
    bool checked = false;
};

class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;

    std::function<void()> onTick;
};

struct TimerDesign {
    std::string name;
    int intervalMs = 1000;
    bool enabled = false;
};

} // namespace orvane
