// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/native/native_files.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvane {

namespace fs = std::filesystem;

namespace {

// The game's strings are UTF-8, whatever the platform's own path encoding.
fs::path PathOf(const std::string& path) { return fs::path(std::u8string(path.begin(), path.end())); }

std::string Utf8(const fs::path& path)
{
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Writes the bytes and makes sure they are on the disk before the file is
// renamed over the old one, so that a crash leaves the old or the new file.
bool WriteDurably(const fs::path& path, const std::string& contents)
{
#ifdef _WIN32
    HANDLE h = CreateFileW(path.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = contents.empty() ||
              (WriteFile(h, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
               written == contents.size());
    ok = FlushFileBuffers(h) && ok;
    return CloseHandle(h) && ok;
#else
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const char* data = contents.data();
    std::size_t left = contents.size();
    bool ok = true;
    while (ok && left > 0) {
        ssize_t n = ::write(fd, data, left);
        if (n < 0) ok = false;
        else data += n, left -= static_cast<std::size_t>(n);
    }
    ok = ::fsync(fd) == 0 && ok;
    return ::close(fd) == 0 && ok;
#endif
}

} // namespace

std::optional<std::string> NativeFileSystem::readFile(const std::string& path)
{
#ifdef _WIN32
    std::error_code error;
    if (!fs::is_regular_file(PathOf(path), error)) return std::nullopt;
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream out;
    out << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return out.str();
#else
    // Opened without waiting, then asked what it is: opening a FIFO for
    // reading would wait for a writer for ever.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::optional<std::string> contents;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        contents.emplace();
        char buffer[1 << 16];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n == 0) break;
            if (n < 0) {
                contents.reset();
                break;
            }
            contents->append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return contents;
#endif
}

bool NativeFileSystem::exists(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(PathOf(path), error);
}

std::optional<FileInfo> NativeFileSystem::fileInfo(const std::string& path)
{
    std::error_code error;
    fs::file_status status = fs::status(PathOf(path), error);
    if (!fs::exists(status)) return std::nullopt;
    if (!fs::is_regular_file(status)) return FileInfo{false, 0};
    std::uintmax_t size = fs::file_size(PathOf(path), error);
    return FileInfo{true, error ? 0 : size};
}

bool NativeFileSystem::replaceFile(const std::string& path, const std::string& contents)
{
    fs::path target = PathOf(path);
    // A file the player made read-only keeps its scores, even where this
    // program could write it (an administrator, root): a rename would
    // replace it and make it writable. Windows reports its read-only
    // attribute as missing write permissions.
    std::error_code error;
    fs::file_status status = fs::status(target, error);
    if (fs::exists(status) &&
        (!fs::is_regular_file(status) || (status.permissions() & fs::perms::owner_write) == fs::perms::none))
        return false;

    fs::path temporary = target;
    temporary += ".new";
    if (!WriteDurably(temporary, contents)) {
        fs::remove(temporary, error);
        return false;
    }
#ifdef _WIN32
    bool moved = MoveFileExW(temporary.wstring().c_str(), target.wstring().c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    fs::rename(temporary, target, error);
    bool moved = !error;
#endif
    if (!moved) fs::remove(temporary, error);
    return moved;
}

bool NativeFileSystem::copyFile(const std::string& from, const std::string& to)
{
    std::optional<std::string> contents = readFile(from);
    return contents && replaceFile(to, *contents);
}

std::string NativeFileSystem::programFolder()
{
    std::error_code error;
#ifdef _WIN32
    // A long path (the manifest lets the program live in one) fills the
    // buffer to the brim and comes back cut short: the buffer grows until the
    // whole path fits, up to the longest path Windows has.
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD n = 0;
    for (;;) {
        n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size() || buffer.size() >= 32768) break;
        buffer.resize(buffer.size() * 2);
    }
    fs::path exe = n > 0 && n < buffer.size() ? fs::path(buffer.substr(0, n)) : fs::current_path(error);
#else
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) return Utf8(fs::current_path(error));
#endif
    return Utf8(exe.parent_path());
}

char NativeFileSystem::separator() const { return static_cast<char>(fs::path::preferred_separator); }

double NativeClock::steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

int NativeClock::dayOfMonth()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local.tm_mday;
}

} // namespace orvane
