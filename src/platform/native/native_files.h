// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Files and the clock of the machine itself, through the standard library,
// so that the game, its tools and their tests share one implementation.
#pragma once
#include <chrono>
#include <functional>
#include <thread>

#include "platform/held_loops.h"
#include "platform/system.h"

namespace orvane {

// What one try at a file operation came to: done, refused for good, or
// held by another program for what may be a moment.
enum class Attempt { Done, Refused, Held };

// The wait before the next try at a held file, after `tries` tries that
// waited `waited` in all; nothing once it is time to give up. Scanners and
// sync clients hold a new file for some milliseconds; the waits grow from
// 10 ms to 250 ms and end after about two seconds.
std::optional<std::chrono::milliseconds> NextWait(int tries, std::chrono::milliseconds waited);

// Tries until the attempt is done or refused, or NextWait gives up;
// whether it was done.
bool RetryWhileHeld(const std::function<Attempt()>& attempt,
                    const std::function<void(std::chrono::milliseconds)>& sleep);

class NativeFileSystem : public FileSystem {
public:
    std::optional<std::string> readFile(const std::string& path) override;
    bool exists(const std::string& path) override;
    std::optional<FileInfo> fileInfo(const std::string& path) override;
    bool replaceFile(const std::string& path, const std::string& contents) override;
    std::unique_ptr<FileHold> holdFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to) override;
    std::string programFolder() override;
    bool canWriteIn(const std::string& folder) override;
    std::string userFolder() override;
    char separator() const override;

    // How a held file is waited for; tests give a sleep that counts.
    std::function<void(std::chrono::milliseconds)> sleep = [](std::chrono::milliseconds ms) {
        std::this_thread::sleep_for(ms);
    };
};

class NativeClock : public Clock {
public:
    double steadySeconds() override;
    double loopSeconds() override { return held.outside(steadySeconds()); }
    int dayOfMonth() override;
    // The windowing platform tells of the system's loops here.
    void enterSystemLoop() { held.enter(steadySeconds()); }
    void leaveSystemLoop() { held.leave(steadySeconds()); }

private:
    HeldLoops held;
};

} // namespace orvane
