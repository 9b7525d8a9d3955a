// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The controls of a game window that are child windows of their own: list
// boxes and buttons, with the keyboard of dialogs; and the timer.
#pragma once
#include "platform/controls.h"
#include "platform/win32/win32_text.h"

namespace orvane::win32 {

class Win32ListBox : public ListBox {
public:
    Win32ListBox(HWND parent, const ListBoxDesign& design, HFONT font, UINT dpi);
    void clear() override;
    void addItem(const std::string& item) override;
    void insertItem(int index, const std::string& item) override;
    int count() const override;
    std::string item(int index) const override;
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
};

class Win32Button : public Button {
public:
    Win32Button(HWND parent, UINT id, const ButtonDesign& design, HFONT font, UINT dpi);
    HWND hwnd() const { return hwnd_; }
    UINT id() const { return id_; }
    bool isDefault() const { return isDefault_; }
    bool isCancel() const { return isCancel_; }

private:
    HWND hwnd_;
    UINT id_;
    bool isDefault_;
    bool isCancel_;
};

// Ticks as WM_TIMER of its window, so it goes on ticking inside the modal
// loops of boxes and of a window shown modally.
class Win32Timer : public Timer {
public:
    Win32Timer(HWND window, UINT_PTR id, const TimerDesign& design);
    ~Win32Timer() override;
    void setEnabled(bool enabled) override;
    bool enabled() const override { return enabled_; }
    UINT_PTR id() const { return id_; }

private:
    HWND window_;
    UINT_PTR id_;
    int intervalMs_;
    bool enabled_ = false;
};

} // namespace orvane::win32
