// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The services of the machine the game runs on: files, clock, shell and the
// event loop.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orvane {

// What stands at a path: a regular file and its size, or something else
// (a folder, a FIFO, a device).
struct FileInfo {
    bool regular = false;
    std::uintmax_t size = 0;
};

// A hold on a file that other copies of the program respect; let go when
// destroyed.
class FileHold {
public:
    virtual ~FileHold() = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The whole file, or nothing when it is missing, cannot be read or is
    // not a regular file; it never waits for a writer, as a FIFO would. A
    // file another program holds for a moment (a scanner, a sync client, the
    // search indexer) is waited for, about two seconds at most.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // Whether a regular file is there.
    virtual bool exists(const std::string& path) = 0;
    // What is there, found without opening it; nothing when nothing is.
    virtual std::optional<FileInfo> fileInfo(const std::string& path) = 0;
    // Replaces the file's contents in one step: after a failure the old
    // contents are still whole. Creates the file when it is missing.
    // Fails, leaving it as it is, where the file is read-only by its own
    // permission (whoever the program runs as) or is not a regular file.
    // A moment's hold by another program is waited out as by readFile;
    // copies of the program replacing one file at once each write a
    // temporary file of their own, and nothing of a failed try is left.
    virtual bool replaceFile(const std::string& path, const std::string& contents) = 0;
    // Keeps every other copy of the program from holding the same file until
    // the hold is let go: a copy that reads a file, changes it and replaces
    // it under a hold loses nothing another copy saved meanwhile. Another
    // copy's hold is waited for as a held file is, about two seconds at
    // most. The system lets go of a hold when its program ends, however it
    // ends; let go, nothing of it stays on the disk (a killed program may
    // leave a file behind that holds nothing). Nothing where the hold
    // cannot be had: another copy kept it for the whole wait, or no hold
    // can be made beside the file (a folder that cannot be written); the
    // caller then goes on without one.
    virtual std::unique_ptr<FileHold> holdFile(const std::string& path) = 0;
    // Copies a file, replacing the copy in one step.
    virtual bool copyFile(const std::string& from, const std::string& to) = 0;
    // The folder of the running program, without a trailing separator.
    virtual std::string programFolder() = 0;
    // Whether a new file can be made in the folder: tried, not read from
    // its permissions, which do not show a folder a scanner guards.
    virtual bool canWriteIn(const std::string& folder) = 0;
    // This user's own folder for the files the program cannot keep beside
    // itself, made where it is missing; empty where there is none.
    virtual std::string userFolder() = 0;
    virtual char separator() const = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // A steady clock in seconds, for measuring durations.
    virtual double steadySeconds() = 0;
    // The steady clock less the time the system held the program's thread
    // in a loop of its own, in which the game's main loop cannot run: a
    // menu open, the window moved or sized by its frame. The speed test is
    // timed on it. Timers still fire in those loops.
    virtual double loopSeconds() = 0;
    virtual int dayOfMonth() = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Asks the desktop to open a web address; a failure is silent.
    virtual void openUrl(const std::string& url) = 0;
};

class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Processes every pending event, then returns. The main loop yields on
    // every pass, hundreds of thousands of times a second; where asking the
    // window system for its events is dear, a platform may ask at most about
    // once a millisecond and otherwise return at once, so that an event
    // waits no longer than that and every pass costs alike.
    virtual void yield() = 0;
    // Waits for at least one event, processes what is pending, then returns.
    virtual void waitForEvents() = 0;
    // Ends the program: every loop of the game, nested modal boxes
    // included, returns as soon as it can; further boxes answer at once.
    virtual void endProgram() = 0;
    virtual bool ending() const = 0;

    // The machine woke from sleep; called from inside a yield where the
    // platform is told of it. Windows' steady clock counts the time asleep.
    std::function<void()> onWake;
};

} // namespace orvane
