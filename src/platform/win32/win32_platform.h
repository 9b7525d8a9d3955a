// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows platform: windows, boxes, the shell and the message loop on
// the Win32 API; files and the clock of the machine itself.
#pragma once
#include <vector>

#include "platform/native/native_files.h"
#include "platform/platform.h"
#include "platform/win32/win32_text.h"

namespace orvane::win32 {

class Win32Platform;
class Win32Window;

// A look at the message queue is a round trip to the window server: well
// under a microsecond on Windows, tens of microseconds under Wine, and the
// main loop yields on every pass. So the yield looks at the queue at most
// once a millisecond and returns at once in between: a message waits at
// most a millisecond, far less than a frame of the screen.
class Win32Events : public EventLoop {
public:
    explicit Win32Events(Win32Platform& platform);
    void yield() override;
    void waitForEvents() override;
    void endProgram() override;
    bool ending() const override { return ending_; }

private:
    void dispatchPending();
    Win32Platform& platform_;
    bool ending_ = false;
    LONGLONG slice_;        // a millisecond in performance-counter ticks
    LONGLONG nextLook_ = 0; // when the yield next looks at the queue
    LONGLONG nextFrame_ = 0; // when it next looks for a frame due
};

class Win32Dialogs : public Dialogs {
public:
    Win32Dialogs(Win32Platform& platform, const EventLoop& events) : platform_(platform), events_(events) {}
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;

private:
    Win32Platform& platform_;
    const EventLoop& events_;
};

class Win32Shell : public Shell {
public:
    explicit Win32Shell(Win32Platform& platform) : platform_(platform) {}
    void openUrl(const std::string& url) override;

private:
    Win32Platform& platform_;
};

class Win32Platform : public Platform {
public:
    Win32Platform();
    std::unique_ptr<Window> createWindow(const WindowDesign& design) override;
    Dialogs& dialogs() override { return dialogs_; }
    FileSystem& files() override { return files_; }
    Clock& clock() override { return clock_; }
    Shell& shell() override { return shell_; }
    EventLoop& events() override { return events_; }

    // The game's open windows; the first is the main window, which owns the
    // others and the boxes.
    void add(Win32Window* window) { windows_.push_back(window); }
    void remove(Win32Window* window);
    HWND mainWindow() const;
    // The window a box belongs to: the active one of ours, else the main one.
    HWND boxOwner() const;
    // Disables the other windows while one is shown modally; returns them.
    std::vector<HWND> disableOthers(const Win32Window* modal) const;
    // Repaints what is stale in each window whose frame is due; gives when
    // to look again.
    LONGLONG repaintWhenDue(LONGLONG now) const;
    // Gives a window with lists and buttons its dialog keys.
    bool dialogMessage(MSG& msg) const;
    // The windows tell it of the system's own loops.
    NativeClock& nativeClock() { return clock_; }

private:
    Win32Events events_{*this};
    Win32Dialogs dialogs_{*this, events_};
    Win32Shell shell_{*this};
    NativeFileSystem files_;
    NativeClock clock_;
    std::vector<Win32Window*> windows_;
};

// The input box of the game: a prompt, a text field holding the default,
// OK and Cancel. The typed text, or nothing when cancelled.
std::optional<std::wstring> InputBox(HWND owner, const std::wstring& prompt, const std::wstring& title,
                                     const std::wstring& defaultText);

} // namespace orvane::win32
