// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The native menu bar of a game window. Its top-level entries are commands
// in their own right; an entry that gets entries of its own becomes a
// drop-down, as "Options" does.
#pragma once
#include <memory>
#include <vector>

#include "platform/controls.h"
#include "platform/win32/win32_text.h"

namespace orvane::win32 {

class Win32MenuItem : public MenuItem {
public:
    Win32MenuItem(HWND window, HMENU owner, UINT id, const MenuDesign& design);
    void setCaption(const std::string& caption) override;
    std::string caption() const override { return caption_; }
    void setChecked(bool checked) override;
    bool checked() const override { return checked_; }

    UINT id() const { return id_; }
    HMENU submenu();

private:
    HWND window_;
    HMENU owner_;
    UINT id_;
    HMENU submenu_ = nullptr;
    std::string caption_;
    bool checked_;
};

class Win32MenuBar {
public:
    // The bar is made with the first entry; the window shows it from then on.
    MenuItem& add(HWND window, const MenuDesign& design);
    Win32MenuItem* find(UINT id) const;
    bool empty() const { return items_.empty(); }

private:
    HMENU bar_ = nullptr;
    std::vector<std::unique_ptr<Win32MenuItem>> items_;
};

} // namespace orvane::win32
