// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's data files as it reads them: regular files only, each kind up
// to a size far above any real one, so that a FIFO, a device or an endless
// file can neither hang the game nor run it out of memory.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system.h"

namespace orvane {

// A level of the most margins the format allows, written out generously, is
// about 2 MB.
inline constexpr std::uintmax_t MaxLevelFileBytes = 16u << 20;
// General.ooo holds one number.
inline constexpr std::uintmax_t MaxLevelCountFileBytes = 1u << 20;
// A 600 x 400 picture is some tens of kilobytes; uncompressed, about one
// megabyte.
inline constexpr std::uintmax_t MaxPictureBytes = 64u << 20;
// A record is a line a game: a million games with names of two hundred
// characters still fit.
inline constexpr std::uintmax_t MaxHighScoreFileBytes = 256u << 20;

// Whether a regular file of at most maxBytes is there.
bool IsDataFile(FileSystem& files, const std::string& path, std::uintmax_t maxBytes);

// The file's contents, or nothing where it is not such a file or cannot be read.
std::optional<std::string> ReadDataFile(FileSystem& files, const std::string& path, std::uintmax_t maxBytes);

// Whether a file name from a data file stays inside the data folder: not
// absolute, no drive letter, no ".." among its parts, whichever slash
// separates them.
bool StaysInFolder(std::string_view name);

} // namespace orvane
