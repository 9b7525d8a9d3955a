// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/data_files.h"

namespace orvane {

bool IsDataFile(FileSystem& files, const std::string& path, std::uintmax_t maxBytes)
{
    std::optional<FileInfo> info = files.fileInfo(path);
    return info && info->regular && info->size <= maxBytes;
}

std::optional<std::string> ReadDataFile(FileSystem& files, const std::string& path, std::uintmax_t maxBytes)
{
    if (!IsDataFile(files, path, maxBytes)) return std::nullopt;
    std::optional<std::string> contents = files.readFile(path);
    // A file that grew past the limit since it was looked at.
    if (contents && contents->size() > maxBytes) return std::nullopt;
    return contents;
}

bool StaysInFolder(std::string_view name)
{
    if (name.empty() || name.front() == '/' || name.front() == '\\') return false;
    if (name.size() >= 2 && name[1] == ':') return false; // C:, also C:name
    for (std::size_t start = 0; start <= name.size();) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = name.size();
        // Windows drops a part's trailing dots and blanks: ". ." and "..." go up too.
        std::string_view part = name.substr(start, end - start);
        if (part.find_first_not_of(". ") == std::string_view::npos && part.find("..") != std::string_view::npos)
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace orvane
