// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Files and the clock of the machine itself, through the standard library,
// so that the game, its tools and their tests share one implementation.
#pragma once
#include "platform/system.h"

namespace orvane {

class NativeFileSystem : public FileSystem {
public:
    std::optional<std::string> readFile(const std::string& path) override;
    bool exists(const std::string& path) override;
    std::optional<FileInfo> fileInfo(const std::string& path) override;
    bool replaceFile(const std::string& path, const std::string& contents) override;
    bool copyFile(const std::string& from, const std::string& to) override;
    std::string programFolder() override;
    char separator() const override;
};

class NativeClock : public Clock {
public:
    double steadySeconds() override;
    int dayOfMonth() override;
};

} // namespace orvane
