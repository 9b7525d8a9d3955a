// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_menus.h"

#include <algorithm>

#include "platform/win32/win32_ids.h"

namespace orvane::win32 {

Win32MenuItem::Win32MenuItem(HWND window, HMENU owner, UINT id, const MenuDesign& design)
    : window_(window), owner_(owner), id_(id), caption_(design.caption), checked_(design.checked)
{
    const std::wstring text = LiteralCaption(caption_);
    AppendMenuW(owner_, MF_STRING | (checked_ ? MF_CHECKED : MF_UNCHECKED), id_, text.c_str());
}

void Win32MenuItem::setCaption(const std::string& caption)
{
    caption_ = caption;
    std::wstring text = LiteralCaption(caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    SetMenuItemInfoW(owner_, id_, FALSE, &info);
    DrawMenuBar(window_);
}

void Win32MenuItem::setChecked(bool checked)
{
    checked_ = checked;
    CheckMenuItem(owner_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

HMENU Win32MenuItem::submenu()
{
    if (!submenu_) {
        submenu_ = CreatePopupMenu();
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_SUBMENU;
        info.hSubMenu = submenu_;
        SetMenuItemInfoW(owner_, id_, FALSE, &info);
        DrawMenuBar(window_);
    }
    return submenu_;
}

MenuItem& Win32MenuBar::add(HWND window, const MenuDesign& design)
{
    if (!bar_) {
        bar_ = CreateMenu();
        SetMenu(window, bar_);
    }
    // A parent that is not an entry of this bar makes a top-level entry.
    auto parent = std::find_if(items_.begin(), items_.end(), [&](const auto& item) { return item.get() == design.parent; });
    HMENU owner = parent == items_.end() ? bar_ : (*parent)->submenu();
    const UINT id = FirstMenuId + static_cast<UINT>(items_.size());
    items_.push_back(std::make_unique<Win32MenuItem>(window, owner, id, design));
    DrawMenuBar(window);
    return *items_.back();
}

Win32MenuItem* Win32MenuBar::find(UINT id) const
{
    if (id < FirstMenuId || id - FirstMenuId >= items_.size()) return nullptr;
    return items_[id - FirstMenuId].get();
}

} // namespace orvane::win32
