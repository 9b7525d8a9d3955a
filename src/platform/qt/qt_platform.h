// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real platform: windows, boxes, the desktop shell and the event loop
// on Qt 6 Widgets; files and the clock of the machine itself.
#pragma once
#include "platform/native/native_files.h"
#include "platform/platform.h"

namespace orvane::qt {

class QtEvents : public EventLoop {
public:
    void yield() override;
    void waitForEvents() override;
    void endProgram() override;
    bool ending() const override { return ending_; }

private:
    bool ending_ = false;
};

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(const EventLoop& events) : events_(events) {}
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;

private:
    const EventLoop& events_;
};

class QtShell : public Shell {
public:
    void openUrl(const std::string& url) override;
};

class QtPlatform : public Platform {
public:
    std::unique_ptr<Window> createWindow(const WindowDesign& design) override;
    Dialogs& dialogs() override { return dialogs_; }
    FileSystem& files() override { return files_; }
    Clock& clock() override { return clock_; }
    Shell& shell() override { return shell_; }
    EventLoop& events() override { return events_; }

private:
    QtEvents events_;
    QtDialogs dialogs_{events_};
    QtShell shell_;
    NativeFileSystem files_;
    NativeClock clock_;
};

} // namespace orvane::qt
