// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Data files opened under a file number and read field by field. The game
// writes no file this way: the high scores are replaced whole, in one step.
#pragma once
#include <map>
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
    bool isOpen(int number) const { return open_.count(number) != 0; }

    // Throw FileError::NotFound when no file is open under the number.
    FieldText readField(int number);
    // A number field, which a blank ends too.
    FieldText readNumber(int number);

    // Closing a number that is not open does nothing: the error paths close
    // whatever may be open.
    void close(int number) { open_.erase(number); }

private:
    FieldReader& reader(int number);

    FileSystem& files_;
    std::map<int, FieldReader> open_;
};

} // namespace orvane
