// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/memory/memory_platform.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace orvane::memory {

// --- Boxes ---

// The script gets a copy: a box it opens while this one is open grows the
// record, which moves the records already in it.
void MemoryDialogs::ShowWhile(ShownBox box) { whileShown(box); }

Answer MemoryDialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons,
                                 Icon icon)
{
    shown.push_back({text, title, buttons, icon, false, {}});
    if (events && events->ending()) return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    if (whileShown) ShowWhile(shown.back());
    if (!answers.empty()) {
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

std::string MemoryDialogs::inputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText)
{
    shown.push_back({prompt, title, Buttons::OkCancel, Icon::None, true, defaultText});
    if (events && events->ending()) return {};
    if (whileShown) ShowWhile(shown.back());
    if (inputs.empty()) return {};
    std::string typed = inputs.front();
    inputs.pop_front();
    return typed;
}

// --- Files ---

std::optional<std::string> MemoryFileSystem::readFile(const std::string& path)
{
    auto it = files.find(path);
    if (it == files.end() || unreadable.count(path) || locked.count(path) || special.count(path))
        return std::nullopt;
    return it->second;
}

std::optional<FileInfo> MemoryFileSystem::fileInfo(const std::string& path)
{
    if (special.count(path)) return FileInfo{false, 0};
    auto it = files.find(path);
    if (it == files.end()) {
        // A folder is there while it holds a file.
        auto inside = files.lower_bound(path + "/");
        bool folder = inside != files.end() && inside->first.compare(0, path.size() + 1, path + "/") == 0;
        return folder ? std::optional<FileInfo>(FileInfo{false, 0}) : std::nullopt;
    }
    auto size = sizes.find(path);
    return FileInfo{true, size != sizes.end() ? size->second : it->second.size()};
}

bool MemoryFileSystem::exists(const std::string& path)
{
    if (vanishing.erase(path) != 0) return files.erase(path) != 0;
    return files.count(path) != 0;
}

namespace {

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

bool MemoryFileSystem::canWriteIn(const std::string& folder)
{
    std::string f = folder;
    while (f.size() > 1 && f.back() == '/') f.pop_back();
    return !readOnly && !readOnlyFolders.count(f);
}

bool MemoryFileSystem::replaceFile(const std::string& path, const std::string& contents)
{
    ++writes;
    if (!canWriteIn(FolderOf(path)) || locked.count(path) || readOnlyFiles.count(path) || special.count(path)) return false;
    if (failWriteAfter) {
        files[path + ".new"] = contents.substr(0, std::min(*failWriteAfter, contents.size()));
        failWriteAfter.reset();
        return false;
    }
    files[path] = contents;
    return true;
}

std::unique_ptr<FileHold> MemoryFileSystem::holdFile(const std::string& path)
{
    struct Hold : FileHold {
        Hold(std::set<std::string>& held, std::string path) : held(held), path(std::move(path)) {}
        ~Hold() override { held.erase(path); }
        std::set<std::string>& held;
        std::string path;
    };
    if (!canWriteIn(FolderOf(path))) return nullptr;
    if (held.count(path) && whileHeld) whileHeld(path);
    if (!held.insert(path).second) return nullptr;
    return std::make_unique<Hold>(held, path);
}

bool MemoryFileSystem::copyFile(const std::string& from, const std::string& to)
{
    std::optional<std::string> contents = readFile(from);
    return contents && replaceFile(to, *contents);
}

// --- The clock ---

void MemoryClock::holdInSystemLoop(double forSeconds, MemoryPlatform& platform)
{
    held.enter(seconds);
    for (double end = seconds + forSeconds; seconds < end;) {
        seconds = std::min(end, seconds + 0.25);
        platform.fireTimers();
    }
    held.leave(seconds);
}

// --- Events ---

void MemoryEvents::yield()
{
    ++yields;
    if (platform) {
        platform->memoryClock().seconds += secondsPerYield;
        platform->fireTimers();
    }
    if (onYield) onYield(yields);
    if (yields >= yieldLimit) ending_ = true;
}

void MemoryEvents::waitForEvents()
{
    ++waits;
    yield();
}

// --- The platform ---

MemoryPlatform::MemoryPlatform() : fileSystem(&files_)
{
    events_.platform = this;
    dialogs_.events = &events_;
}

std::unique_ptr<Window> MemoryPlatform::createWindow(const WindowDesign& design)
{
    return std::make_unique<MemoryWindow>(*this, design);
}

MemoryWindow* MemoryPlatform::find(const std::string& name) const
{
    for (MemoryWindow* w : windows)
        if (w->design.name == name) return w;
    return nullptr;
}

void MemoryPlatform::fireTimers()
{
    std::vector<MemoryWindow*> open = windows;
    for (MemoryWindow* w : open) {
        if (std::find(windows.begin(), windows.end(), w) == windows.end()) continue;
        for (std::size_t i = 0; i < w->timers.size(); ++i) {
            MemoryTimer& t = *w->timers[i];
            double interval = t.design.intervalMs / 1000.0;
            while (t.on && interval > 0 && clock_.seconds - t.lastFired >= interval) {
                t.lastFired += interval;
                if (t.onTick) t.onTick();
                if (std::find(windows.begin(), windows.end(), w) == windows.end()) return;
            }
        }
    }
}

// --- Controls ---

void MemoryListBox::insertItem(int index, const std::string& item)
{
    if (index < 0 || index > count()) throw std::out_of_range("insertItem: no such place in the list");
    items.insert(items.begin() + index, item);
}

std::string MemoryListBox::item(int index) const
{
    return items.at(static_cast<std::size_t>(index));
}

void MemoryTimer::setEnabled(bool e)
{
    if (e && !on && clock) lastFired = clock->seconds;
    on = e;
}

// --- Windows ---

MemoryWindow::MemoryWindow(MemoryPlatform& platform, WindowDesign design)
    : design(std::move(design)), platform_(platform)
{
    platform_.windows.push_back(this);
}

MemoryWindow::~MemoryWindow()
{
    auto& all = platform_.windows;
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

namespace {

template <typename T, typename D>
T& Add(std::vector<std::unique_ptr<T>>& into, const D& design)
{
    into.push_back(std::make_unique<T>());
    into.back()->design = design;
    return *into.back();
}

} // namespace

Label& MemoryWindow::addLabel(const LabelDesign& d)
{
    MemoryLabel& l = Add(labels, d);
    l.text = d.caption, l.shown = d.visible, l.colour = d.foreColour;
    return l;
}

Frame& MemoryWindow::addFrame(const FrameDesign& d)
{
    MemoryFrame& f = Add(frames, d);
    f.shown = d.visible;
    return f;
}

ImageArea& MemoryWindow::addImageArea(const ImageAreaDesign& d) { return Add(areas, d); }

Shape& MemoryWindow::addShape(const ShapeDesign& d)
{
    MemoryShape& s = Add(shapes, d);
    s.shown = d.visible, s.left = d.place.x, s.top = d.place.y;
    return s;
}

ListBox& MemoryWindow::addListBox(const ListBoxDesign& d) { return Add(lists, d); }

Button& MemoryWindow::addButton(const ButtonDesign& d) { return Add(buttons, d); }

MenuItem& MemoryWindow::addMenu(const MenuDesign& d)
{
    MemoryMenuItem& m = Add(menus, d);
    m.text = d.caption, m.check = d.checked;
    return m;
}

Timer& MemoryWindow::addTimer(const TimerDesign& d)
{
    MemoryTimer& t = Add(timers, d);
    t.clock = &platform_.memoryClock();
    t.setEnabled(d.enabled);
    return t;
}

bool MemoryWindow::setPicture(const std::string& path)
{
    clearPicture();
    bool isPicture = platform_.pictureSize ? platform_.pictureSize(path).has_value()
                                           : platform_.files().readFile(path).has_value();
    if (isPicture) picture = path;
    return isPicture;
}

void MemoryWindow::showModal()
{
    shown = modal = true;
    closed = false;
    if (platform_.whileModal) platform_.whileModal(*this);
    shown = modal = false;
}

} // namespace orvane::memory
