// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Data files opened under a file number, read field by field or written
// record by record. A file opened for output reaches the disk only when it
// is closed, and then in one step, so a failure never leaves half a file.
#pragma once
#include <map>
#include <optional>
#include <string>

#include "platform/fields.h"
#include "platform/system.h"

namespace orvane {

class SequentialFiles {
public:
    explicit SequentialFiles(FileSystem& files) : files_(files) {}

    // Throws FileError::NotFound when the file is missing or unreadable, is
    // not a regular file or is larger than maxBytes.
    void openInput(int number, const std::string& path, std::uintmax_t maxBytes);
    void openOutput(int number, const std::string& path);
    bool isOpen(int number) const { return open_.count(number) != 0; }

    FieldText readField(int number);
    // A number field, which a blank ends too.
    FieldText readNumber(int number);
    void write(int number, const std::string& text);

    // Writes an output file out; throws FileError::WriteFailed when that
    // fails, the file then being closed all the same.
    void close(int number);
    // Closes without writing anything out: for the error path.
    void discard(int number) { open_.erase(number); }

private:
    struct OpenFile {
        std::string path;
        std::optional<FieldReader> reader; // input files
        std::string output;                // output files
    };
    OpenFile& get(int number);
    FieldReader& reader(int number);

    FileSystem& files_;
    std::map<int, OpenFile> open_;
};

} // namespace orvane
