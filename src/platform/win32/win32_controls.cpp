// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_controls.h"

#include <algorithm>

namespace orvane::win32 {

namespace {

HWND CreateChild(HWND parent, const wchar_t* kind, const std::wstring& text, DWORD style, const Rect& place,
                 UINT id, HFONT font, UINT dpi)
{
    HWND hwnd = CreateWindowExW(0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | style,
                                Scaled(place.x, dpi), Scaled(place.y, dpi), Scaled(place.w, dpi),
                                Scaled(place.h, dpi), parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

} // namespace

// --- List box ---

Win32ListBox::Win32ListBox(HWND parent, const ListBoxDesign& design, HFONT font, UINT dpi)
    : hwnd_(CreateChild(parent, L"LISTBOX", L"", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                        design.place, 0, font, dpi))
{
}

void Win32ListBox::clear() { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }

void Win32ListBox::addItem(const std::string& item) { insertItem(count(), item); }

void Win32ListBox::insertItem(int index, const std::string& item)
{
    const std::wstring text = Wide(item);
    // Never LB_ADDSTRING: the lists keep the order they are given.
    SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(std::clamp(index, 0, count())),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

int Win32ListBox::count() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }

std::string Win32ListBox::item(int index) const
{
    if (index < 0 || index >= count()) return {};
    const LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return Utf8(text);
}

// --- Button ---

Win32Button::Win32Button(HWND parent, UINT id, const ButtonDesign& design, HFONT font, UINT dpi)
    : hwnd_(CreateChild(parent, L"BUTTON", LiteralCaption(design.caption),
                        design.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, design.place, id, font, dpi)),
      id_(id), isDefault_(design.isDefault), isCancel_(design.isCancel)
{
}

// --- Timer ---

Win32Timer::Win32Timer(HWND window, UINT_PTR id, const TimerDesign& design)
    : window_(window), id_(id), intervalMs_(design.intervalMs)
{
    setEnabled(design.enabled);
}

Win32Timer::~Win32Timer() { setEnabled(false); }

void Win32Timer::setEnabled(bool enabled)
{
    // A timer without an interval never ticks, as a disabled one.
    enabled = enabled && intervalMs_ > 0;
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled) SetTimer(window_, id_, static_cast<UINT>(intervalMs_), nullptr);
    else KillTimer(window_, id_);
}

} // namespace orvane::win32
