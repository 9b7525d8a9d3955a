// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A platform held entirely in memory, for tests, benchmarks and tools: its
// boxes answer from a script and are recorded, its clock is set by hand,
// its files live in a map, and its windows record what was drawn on them.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/held_loops.h"
#include "platform/platform.h"

namespace orvane::memory {

class MemoryWindow;
class MemoryPlatform;

struct ShownBox {
    std::string text;
    std::string title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    bool input = false;
    std::string defaultText;
};

class MemoryDialogs : public Dialogs {
public:
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;

    // Answers given in turn; a box with no scripted answer gets Ok (or Yes)
    // and an input box the empty text.
    std::deque<Answer> answers;
    std::deque<std::string> inputs;
    // Runs while a box is shown, as the event loop of a modal box would.
    std::function<void(const ShownBox&)> whileShown;
    std::vector<ShownBox> shown;
    // While the program ends, boxes answer at once, as Cancel.
    const EventLoop* events = nullptr;

private:
    void ShowWhile(ShownBox box);
};

class MemoryFileSystem : public FileSystem {
public:
    std::optional<std::string> readFile(const std::string& path) override;
    bool exists(const std::string& path) override;
    std::optional<FileInfo> fileInfo(const std::string& path) override;
    bool replaceFile(const std::string& path, const std::string& contents) override;
    std::unique_ptr<FileHold> holdFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to) override;
    std::string programFolder() override { return folder; }
    bool canWriteIn(const std::string& folder) override;
    std::string userFolder() override { return user; }
    char separator() const override { return '/'; }

    std::map<std::string, std::string> files;
    std::string folder = "/game";
    std::string user = "/home/player/.local/share/orvane/Data"; // empty: none
    std::set<std::string> readOnlyFolders; // without a trailing separator
    std::set<std::string> unreadable; // exist, but cannot be read
    std::set<std::string> locked;     // held by another program: neither read nor written
    std::set<std::string> vanishing;  // found by a look-up, gone when opened
    std::set<std::string> readOnlyFiles; // read, but never replaced
    std::set<std::string> special;    // there, but not regular files (a FIFO, a device)
    // Files that report this size, without holding it (a huge file).
    std::map<std::string, std::uintmax_t> sizes;
    std::set<std::string> held;       // held by this or another copy of the program
    // Runs while a copy waits for a file another copy holds: the other copy
    // may finish and let go, or keep it for the whole wait.
    std::function<void(const std::string& path)> whileHeld;
    bool readOnly = false;            // every write fails
    // The next write fails after this many bytes: its temporary file is
    // left holding them, and the file itself stays as it was.
    std::optional<std::size_t> failWriteAfter;
    int writes = 0;
};

class MemoryClock : public Clock {
public:
    double steadySeconds() override { return seconds; }
    double loopSeconds() override { return held.outside(seconds); }
    int dayOfMonth() override { return day; }
    // A menu held open, or the window dragged, for this long: the clock
    // moves on and timers fire, but no pass of the main loop runs.
    void holdInSystemLoop(double forSeconds, MemoryPlatform& platform);
    double seconds = 0;
    int day = 1;

private:
    HeldLoops held;
};

class MemoryShell : public Shell {
public:
    void openUrl(const std::string& url) override { opened.push_back(url); }
    std::vector<std::string> opened;
};

class MemoryEvents : public EventLoop {
public:
    void yield() override;
    void waitForEvents() override;
    void endProgram() override { ending_ = true; }
    bool ending() const override { return ending_; }

    // Called on every yield with the number of the yield, counted from 1:
    // a test's script of events.
    std::function<void(long long)> onYield;
    // Seconds the clock moves on at every yield, so that timers fire.
    double secondsPerYield = 0;
    // The program ends by itself after this many yields: a test never hangs.
    long long yieldLimit = 100'000'000;
    long long yields = 0;
    long long waits = 0;
    MemoryPlatform* platform = nullptr;

private:
    bool ending_ = false;
};

class MemoryPlatform : public Platform {
public:
    MemoryPlatform();
    std::unique_ptr<Window> createWindow(const WindowDesign& design) override;
    Dialogs& dialogs() override { return dialogs_; }
    FileSystem& files() override { return *fileSystem; }
    Clock& clock() override { return clock_; }
    Shell& shell() override { return shell_; }
    EventLoop& events() override { return events_; }

    MemoryDialogs& boxes() { return dialogs_; }
    MemoryFileSystem& memoryFiles() { return files_; }
    MemoryClock& memoryClock() { return clock_; }
    MemoryShell& memoryShell() { return shell_; }
    MemoryEvents& memoryEvents() { return events_; }

    // Fires every enabled timer of every open window whose interval has
    // passed on the clock since it last fired or was enabled.
    void fireTimers();
    // The window created with this name, or null.
    MemoryWindow* find(const std::string& name) const;

    // The files the platform uses: its own map unless a test or tool
    // gives another one.
    FileSystem* fileSystem;
    // Tells a window whether a file is a picture, and its size.
    std::function<std::optional<Size>(const std::string& path)> pictureSize;
    // Runs while a window is shown modally; the window closes afterwards
    // unless the script closed it.
    std::function<void(MemoryWindow&)> whileModal;

    std::vector<MemoryWindow*> windows;

private:
    MemoryDialogs dialogs_;
    MemoryFileSystem files_;
    MemoryClock clock_;
    MemoryShell shell_;
    MemoryEvents events_;
};

// --- Controls, each a plain record of its state ---

struct MemoryFrame : Frame {
    void setVisible(bool v) override { shown = v; }
    bool visible() const override { return shown; }
    FrameDesign design;
    bool shown = true;
};

struct MemoryLabel : Label {
    void setCaption(const std::string& c) override { text = c; }
    std::string caption() const override { return text; }
    void setVisible(bool v) override { shown = v; }
    bool visible() const override { return shown; }
    void setForeColour(Colour c) override { colour = c; }
    Colour foreColour() const override { return colour; }
    void setCustomPointer(bool on) override { customPointer = on; }
    LabelDesign design;
    std::string text;
    bool shown = true;
    Colour colour = 0;
    bool customPointer = false;
};

struct MemoryImageArea : ImageArea {
    void setVisible(bool v) override { shown = v; }
    bool visible() const override { return shown; }
    ImageAreaDesign design;
    bool shown = true;
};

struct MemoryShape : Shape {
    void moveTo(double l, double t) override { left = l, top = t; }
    void setVisible(bool v) override { shown = v; }
    bool visible() const override { return shown; }
    Rect place() const override { return design.place; }
    ShapeDesign design;
    double left = 0, top = 0;
    bool shown = false;
};

struct MemoryListBox : ListBox {
    void clear() override { items.clear(); }
    void addItem(const std::string& item) override { items.push_back(item); }
    void insertItem(int index, const std::string& item) override;
    int count() const override { return static_cast<int>(items.size()); }
    std::string item(int index) const override;
    ListBoxDesign design;
    std::vector<std::string> items;
};

struct MemoryButton : Button {
    ButtonDesign design;
};

struct MemoryMenuItem : MenuItem {
    void setCaption(const std::string& c) override { text = c; }
    std::string caption() const override { return text; }
    void setChecked(bool c) override { check = c; }
    bool checked() const override { return check; }
    MenuDesign design;
    std::string text;
    bool check = false;
};

struct MemoryTimer : Timer {
    void setEnabled(bool e) override;
    bool enabled() const override { return on; }
    TimerDesign design;
    bool on = false;
    double lastFired = 0;
    MemoryClock* clock = nullptr;
};

class MemoryWindow : public Window {
public:
    MemoryWindow(MemoryPlatform& platform, WindowDesign design);
    ~MemoryWindow() override;

    Size screenSize() const override { return screen; }
    Size outerSize() const override { return outer; }
    void setOuterSize(Size size) override { outer = size; }
    void moveTo(int l, int t) override { left = l, top = t; }

    Label& addLabel(const LabelDesign& design) override;
    Frame& addFrame(const FrameDesign& design) override;
    ImageArea& addImageArea(const ImageAreaDesign& design) override;
    Shape& addShape(const ShapeDesign& design) override;
    ListBox& addListBox(const ListBoxDesign& design) override;
    Button& addButton(const ButtonDesign& design) override;
    MenuItem& addMenu(const MenuDesign& design) override;
    Timer& addTimer(const TimerDesign& design) override;

    bool setPicture(const std::string& path) override;
    void clearPicture() override { picture.reset(), clearDrawing(); }
    void drawLine(const Line& line) override { lines.push_back(line); }
    void clearDrawing() override { lines.clear(), ++clears; }

    void show() override { shown = true; }
    void showModal() override;
    void close() override { shown = false, closed = true; }

    // Controls by their design name; null when there is none.
    MemoryLabel* label(const std::string& name) const { return byName(labels, name); }
    MemoryFrame* frame(const std::string& name) const { return byName(frames, name); }
    MemoryImageArea* area(const std::string& name) const { return byName(areas, name); }
    MemoryShape* shape(const std::string& name) const { return byName(shapes, name); }
    MemoryListBox* list(const std::string& name) const { return byName(lists, name); }
    MemoryButton* button(const std::string& name) const { return byName(buttons, name); }
    MemoryMenuItem* menu(const std::string& name) const { return byName(menus, name); }
    MemoryTimer* timer(const std::string& name) const { return byName(timers, name); }

    WindowDesign design;
    Size screen{1920, 1080};
    Size outer{613, 452}; // the designed size, with a frame and menu bar
    int left = 0, top = 0;
    std::optional<std::string> picture;
    std::vector<Line> lines; // since the last clear
    int clears = 0;
    bool shown = false;
    bool closed = false;
    bool modal = false;

    // Each kind of control in the order it was added.
    std::vector<std::unique_ptr<MemoryLabel>> labels;
    std::vector<std::unique_ptr<MemoryFrame>> frames;
    std::vector<std::unique_ptr<MemoryImageArea>> areas;
    std::vector<std::unique_ptr<MemoryShape>> shapes;
    std::vector<std::unique_ptr<MemoryListBox>> lists;
    std::vector<std::unique_ptr<MemoryButton>> buttons;
    std::vector<std::unique_ptr<MemoryMenuItem>> menus;
    std::vector<std::unique_ptr<MemoryTimer>> timers;

private:
    template <typename T>
    static T* byName(const std::vector<std::unique_ptr<T>>& controls, const std::string& name)
    {
        for (const auto& c : controls)
            if (c->design.name == name) return c.get();
        return nullptr;
    }

    MemoryPlatform& platform_;
};

} // namespace orvane::memory
