// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The services of the machine the game runs on: files, clock, shell and the
// event loop.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

// What stands at a path: a regular file and its size, or something else
// (a folder, a FIFO, a device).
struct FileInfo {
    bool regular = false;
    std::uintmax_t size = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The whole file, or nothing when it is missing, cannot be read or is
    // not a regular file; it never waits for a writer, as a FIFO would.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // Whether a regular file is there.
    virtual bool exists(const std::string& path) = 0;
    // What is there, found without opening it; nothing when nothing is.
    virtual std::optional<FileInfo> fileInfo(const std::string& path) = 0;
    // Replaces the file's contents in one step: after a failure the old
    // contents are still whole. Creates the file when it is missing.
    // Fails, leaving it as it is, where the file is read-only by its own
    // permission (whoever the program runs as) or is not a regular file.
    virtual bool replaceFile(const std::string& path, const std::string& contents) = 0;
    // Copies a file, replacing the copy in one step.
    virtual bool copyFile(const std::string& from, const std::string& to) = 0;
    // The folder of the running program, without a trailing separator.
    virtual std::string programFolder() = 0;
    virtual char separator() const = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // A steady clock in seconds, for measuring durations.
    virtual double steadySeconds() = 0;
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
};

} // namespace orvane
