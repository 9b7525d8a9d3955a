// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A top-level game window on Win32: a fixed frame, a native menu bar, and a
// client area of exactly the designed size below it, which the playfield
// paints. Lists and buttons are child windows with the keyboard of dialogs.
#pragma once
#include <memory>
#include <vector>

#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_menus.h"
#include "platform/win32/win32_playfield.h"
#include "platform/window.h"
#include "platform/window_size.h"

namespace orvane::win32 {

class Win32Platform;

class Win32Window : public Window {
public:
    Win32Window(Win32Platform& platform, const WindowDesign& design);
    ~Win32Window() override;

    Size screenSize() const override;
    Size outerSize() const override;
    void setOuterSize(Size size) override;
    void moveTo(int left, int top) override;

    Label& addLabel(const LabelDesign& design) override { return playfield_.addLabel(design); }
    Frame& addFrame(const FrameDesign& design) override { return playfield_.addFrame(design); }
    ImageArea& addImageArea(const ImageAreaDesign& design) override { return playfield_.addImageArea(design); }
    Shape& addShape(const ShapeDesign& design) override { return playfield_.addShape(design); }
    ListBox& addListBox(const ListBoxDesign& design) override;
    Button& addButton(const ButtonDesign& design) override;
    MenuItem& addMenu(const MenuDesign& design) override;
    Timer& addTimer(const TimerDesign& design) override;

    bool setPicture(const std::string& path) override { return playfield_.setPicture(path); }
    void clearPicture() override { playfield_.clearPicture(); }
    void drawLine(const Line& line) override { playfield_.drawLine(line); }
    void clearDrawing() override { playfield_.clearDrawing(); }

    void show() override;
    void showModal() override;
    void close() override;

    HWND hwnd() const { return hwnd_; }
    // The pointer over the start area and the prompt, at the window's ratio.
    HCURSOR pointer() const;
    // Repaints what is stale when a frame is due; gives when to look again.
    LONGLONG repaintWhenDue(LONGLONG now) { return playfield_.repaintWhenDue(now); }
    long long paints() const { return playfield_.paints(); }
    double refreshRate() const { return playfield_.refreshRate(); }
    // Lists and buttons want the dialog keys: Tab, Enter and Esc.
    bool wantsDialogKeys() const { return !buttons_.empty(); }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(WPARAM wParam, LPARAM lParam);
    void fixSize();
    void rescale(UINT dpi, const RECT* suggested);
    void loadPictures();
    FrameEdges edgesAt(UINT dpi) const;
    Rect workArea() const;
    double ratio() const { return dpi_ / 96.0; }

    Win32Platform& platform_;
    WindowDesign design_;
    HWND hwnd_ = nullptr;
    DWORD style_ = 0;
    UINT dpi_ = 96;
    HFONT dialogFont_ = nullptr;
    HICON icons_[2] = {nullptr, nullptr}; // big, small
    HCURSOR pointer_ = nullptr;
    Playfield playfield_;
    Win32MenuBar menus_;
    std::vector<std::unique_ptr<Win32ListBox>> lists_;
    std::vector<std::unique_ptr<Win32Button>> buttons_;
    std::vector<std::unique_ptr<Win32Timer>> timers_;
    // Lists and buttons in the order of the keyboard's focus, with their
    // designed places.
    std::vector<std::pair<HWND, Rect>> children_;
    bool modal_ = false;
};

} // namespace orvane::win32
