// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/sequential_files.h"

#include <optional>

#include "platform/data_files.h"

namespace orvane {

void SequentialFiles::openInput(int number, const std::string& path, std::uintmax_t maxBytes)
{
    std::optional<std::string> contents = ReadDataFile(files_, path, maxBytes);
    if (!contents) throw FileError(FileError::Kind::NotFound, "cannot open " + path);
    open_.insert_or_assign(number, FieldReader(std::move(*contents)));
}

FieldReader& SequentialFiles::reader(int number)
{
    auto it = open_.find(number);
    if (it == open_.end())
        throw FileError(FileError::Kind::NotFound, "file number " + std::to_string(number) + " is not open");
    return it->second;
}

FieldText SequentialFiles::readField(int number) { return reader(number).next(); }

FieldText SequentialFiles::readNumber(int number) { return reader(number).nextNumber(); }

} // namespace orvane
