// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/sequential_files.h"

#include "platform/data_files.h"

namespace orvane {

SequentialFiles::OpenFile& SequentialFiles::get(int number)
{
    auto it = open_.find(number);
    if (it == open_.end())
        throw FileError(FileError::Kind::NotFound, "file number " + std::to_string(number) + " is not open");
    return it->second;
}

void SequentialFiles::openInput(int number, const std::string& path, std::uintmax_t maxBytes)
{
    std::optional<std::string> contents = ReadDataFile(files_, path, maxBytes);
    if (!contents) throw FileError(FileError::Kind::NotFound, "cannot open " + path);
    open_[number] = OpenFile{path, FieldReader(std::move(*contents)), {}};
}

void SequentialFiles::openOutput(int number, const std::string& path)
{
    open_[number] = OpenFile{path, std::nullopt, {}};
}

FieldReader& SequentialFiles::reader(int number)
{
    OpenFile& file = get(number);
    if (!file.reader) throw FileError(FileError::Kind::NotFound, file.path + " is not open for input");
    return *file.reader;
}

FieldText SequentialFiles::readField(int number) { return reader(number).next(); }

FieldText SequentialFiles::readNumber(int number) { return reader(number).nextNumber(); }

void SequentialFiles::write(int number, const std::string& text)
{
    OpenFile& file = get(number);
    if (file.reader) throw FileError(FileError::Kind::WriteFailed, file.path + " is open for input");
    file.output += text;
}

void SequentialFiles::close(int number)
{
    auto it = open_.find(number);
    if (it == open_.end()) return;
    OpenFile file = std::move(it->second);
    open_.erase(it);
    if (!file.reader && !files_.replaceFile(file.path, file.output))
        throw FileError(FileError::Kind::WriteFailed, "cannot write " + file.path);
}

} // namespace orvane
