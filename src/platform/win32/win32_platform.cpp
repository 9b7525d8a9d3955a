// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_platform.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/win32_window.h"

namespace orvane::win32 {

namespace {

std::wstring TitleOf(const std::string& title) { return title.empty() ? L"Orvane" : Wide(title); }

} // namespace

// --- The message loop ---

namespace {

LONGLONG Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

} // namespace

Win32Events::Win32Events(Win32Platform& platform) : platform_(platform)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    slice_ = std::max<LONGLONG>(frequency.QuadPart / 1000, 1);
}

void Win32Events::dispatchPending()
{
    nextLook_ = Now() + slice_;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ending_ = true;
            continue;
        }
        if (platform_.dialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Events::yield()
{
    // The clock read here drives the repaint too: exact to the counter's
    // tick, where a window timer keeps the system's 15.6 ms clock.
    const LONGLONG now = Now();
    if (now >= nextFrame_) nextFrame_ = platform_.repaintWhenDue(now);
    if (now >= nextLook_) dispatchPending();
}

void Win32Events::waitForEvents()
{
    if (!ending_) MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    dispatchPending();
}

void Win32Events::endProgram()
{
    ending_ = true;
    // Boxes and dialogs end their own loops on WM_QUIT and pass it on
    // outwards; the game's own loops see ending().
    PostQuitMessage(0);
}

// --- Boxes ---

Answer Win32Dialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon)
{
    const Answer refused = buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    if (events_.ending()) return refused;
    UINT flags = buttons == Buttons::Ok ? MB_OK : buttons == Buttons::OkCancel ? MB_OKCANCEL : MB_YESNO;
    flags |= icon == Icon::Critical      ? MB_ICONERROR
             : icon == Icon::Exclamation ? MB_ICONWARNING
             : icon == Icon::Information ? MB_ICONINFORMATION
                                         : 0;
    HWND owner = platform_.boxOwner();
    // Without a shown window to own it, the box still keeps the game's
    // windows from input while it is open.
    if (!owner) flags |= MB_TASKMODAL;
    switch (MessageBoxW(owner, Wide(text).c_str(), TitleOf(title).c_str(), flags | MB_SETFOREGROUND)) {
    case IDOK: return events_.ending() ? refused : Answer::Ok;
    case IDYES: return events_.ending() ? refused : Answer::Yes;
    case IDNO: return Answer::No;
    default: return refused;
    }
}

std::string Win32Dialogs::inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText)
{
    if (events_.ending()) return {};
    std::optional<std::wstring> typed = InputBox(platform_.boxOwner(), Wide(prompt), TitleOf(title), Wide(defaultText));
    return typed && !events_.ending() ? Utf8(*typed) : std::string();
}

// --- Shell ---

void Win32Shell::openUrl(const std::string& url)
{
    // A failure is silent: there may be no browser at all.
    ShellExecuteA(platform_.mainWindow(), "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// --- Platform ---

Win32Platform::Win32Platform() = default;

std::unique_ptr<Window> Win32Platform::createWindow(const WindowDesign& design)
{
    return std::make_unique<Win32Window>(*this, design);
}

void Win32Platform::remove(Win32Window* window)
{
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

LONGLONG Win32Platform::repaintWhenDue(LONGLONG now) const
{
    LONGLONG next = now + 1;
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        const LONGLONG mine = windows_[i]->repaintWhenDue(now);
        next = i == 0 ? mine : std::min(next, mine);
    }
    return next;
}

HWND Win32Platform::mainWindow() const { return windows_.empty() ? nullptr : windows_.front()->hwnd(); }

HWND Win32Platform::boxOwner() const
{
    HWND active = GetActiveWindow();
    for (Win32Window* window : windows_)
        if (window->hwnd() == active && IsWindowVisible(active)) return active;
    HWND main = mainWindow();
    return main && IsWindowVisible(main) ? main : nullptr;
}

std::vector<HWND> Win32Platform::disableOthers(const Win32Window* modal) const
{
    std::vector<HWND> disabled;
    for (Win32Window* window : windows_) {
        HWND hwnd = window->hwnd();
        if (window != modal && IsWindowEnabled(hwnd)) {
            EnableWindow(hwnd, FALSE);
            disabled.push_back(hwnd);
        }
    }
    return disabled;
}

bool Win32Platform::dialogMessage(MSG& msg) const
{
    if (!msg.hwnd || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    for (Win32Window* window : windows_)
        if (window->hwnd() == root && window->wantsDialogKeys()) return IsDialogMessageW(root, &msg) != FALSE;
    return false;
}

} // namespace orvane::win32
