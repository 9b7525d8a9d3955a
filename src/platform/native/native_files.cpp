// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/native/native_files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

#ifdef _WIN32
// Scanners, sync clients and the indexer open a file that was just written,
// often without sharing it for deletion; Windows then refuses the rename or
// the open with one of these for as long as they hold it.
Attempt AfterError(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
               ? Attempt::Held
               : Attempt::Refused;
}

unsigned long ProcessId() { return GetCurrentProcessId(); }
#else
unsigned long ProcessId() { return static_cast<unsigned long>(::getpid()); }
#endif

// Writes the bytes and makes sure they are on the disk before the file is
// renamed over the old one, so that a crash leaves the old or the new file.
bool WriteDurably(const fs::path& path, const std::string& contents,
                  const std::function<void(std::chrono::milliseconds)>& sleep)
{
#ifdef _WIN32
    HANDLE h = INVALID_HANDLE_VALUE;
    const bool created = RetryWhileHeld(
        [&] {
            h = CreateFileW(path.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
            return h != INVALID_HANDLE_VALUE ? Attempt::Done : AfterError(GetLastError());
        },
        sleep);
    if (!created) return false;
    DWORD written = 0;
    bool ok = contents.empty() ||
              (WriteFile(h, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
               written == contents.size());
    ok = FlushFileBuffers(h) && ok;
    return CloseHandle(h) && ok;
#else
    (void)sleep; // a POSIX file is never held against a writer
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

// Each copy of the program writes a temporary file of its own, so that two
// copies saving at once never write into one file.
fs::path TemporaryFor(const fs::path& target)
{
    fs::path temporary = target;
    temporary += "." + std::to_string(ProcessId()) + ".new";
    return temporary;
}

// Temporary files of this file that a copy of the program killed in the
// middle of a save left behind; a save in progress is far younger.
void RemoveLeftovers(const fs::path& target)
{
    std::error_code error;
    const std::string prefix = Utf8(target.filename()) + ".", suffix = ".new";
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    for (fs::directory_iterator it(target.parent_path(), error), end; !error && it != end; it.increment(error)) {
        const std::string name = Utf8(it->path().filename());
        if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        const std::string id = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        std::error_code ignored;
        if (id.find_first_not_of("0123456789") == std::string::npos && fs::last_write_time(it->path(), ignored) < old)
            fs::remove(it->path(), ignored);
    }
}

} // namespace

std::optional<std::string> NativeFileSystem::readFile(const std::string& path)
{
#ifdef _WIN32
    std::error_code error;
    if (!fs::is_regular_file(PathOf(path), error)) return std::nullopt;
    // Shared every way, so that the game never holds up another program.
    HANDLE h = INVALID_HANDLE_VALUE;
    const bool opened = RetryWhileHeld(
        [&] {
            h = CreateFileW(PathOf(path).wstring().c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
            return h != INVALID_HANDLE_VALUE ? Attempt::Done : AfterError(GetLastError());
        },
        sleep);
    if (!opened) return std::nullopt;
    std::optional<std::string> contents;
    if (GetFileType(h) == FILE_TYPE_DISK) {
        contents.emplace();
        char buffer[1 << 16];
        for (DWORD n = 0;; contents->append(buffer, n)) {
            if (!ReadFile(h, buffer, sizeof buffer, &n, nullptr)) {
                contents.reset();
                break;
            }
            if (n == 0) break;
        }
    }
    CloseHandle(h);
    return contents;
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

    const fs::path temporary = TemporaryFor(target);
    if (!WriteDurably(temporary, contents, sleep)) {
        fs::remove(temporary, error);
        return false;
    }
#ifdef _WIN32
    const bool moved = RetryWhileHeld(
        [&] {
            return MoveFileExW(temporary.wstring().c_str(), target.wstring().c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                       ? Attempt::Done
                       : AfterError(GetLastError());
        },
        sleep);
#else
    fs::rename(temporary, target, error);
    const bool moved = !error;
#endif
    if (!moved) fs::remove(temporary, error);
    else RemoveLeftovers(target);
    return moved;
}

namespace {

// The hold is a file of its own beside the held one, which a replace
// swaps for another: a hold on the held file itself would stay with the
// old one.
fs::path HoldFor(const std::string& path)
{
    fs::path hold = PathOf(path);
    hold += ".lock";
    return hold;
}

#ifdef _WIN32
// Opened without sharing: a second copy's open fails while this one holds
// it, and Windows deletes it when the handle closes, the program's end
// included.
class NativeHold : public FileHold {
public:
    explicit NativeHold(HANDLE h) : h_(h) {}
    ~NativeHold() override { CloseHandle(h_); }

private:
    HANDLE h_;
};
#else
// A lock the kernel lets go of when the process ends, on a file removed
// before it is let go, so that none is left behind.
class NativeHold : public FileHold {
public:
    NativeHold(int fd, fs::path path) : fd_(fd), path_(std::move(path)) {}
    ~NativeHold() override
    {
        ::unlink(path_.c_str());
        ::close(fd_);
    }

private:
    int fd_;
    fs::path path_;
};
#endif

} // namespace

std::unique_ptr<FileHold> NativeFileSystem::holdFile(const std::string& path)
{
    const fs::path hold = HoldFor(path);
    std::unique_ptr<FileHold> held;
#ifdef _WIN32
    RetryWhileHeld(
        [&] {
            HANDLE h = CreateFileW(hold.wstring().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
            if (h != INVALID_HANDLE_VALUE) return held = std::make_unique<NativeHold>(h), Attempt::Done;
            const DWORD error = GetLastError();
            if (error == ERROR_SHARING_VIOLATION) return Attempt::Held;
            // A hold just let go is refused like this until it is deleted; in
            // a folder that cannot be written no hold is there to wait for.
            if (error != ERROR_ACCESS_DENIED) return Attempt::Refused;
            return GetFileAttributesW(hold.wstring().c_str()) != INVALID_FILE_ATTRIBUTES ||
                           GetLastError() == ERROR_ACCESS_DENIED
                       ? Attempt::Held
                       : Attempt::Refused;
        },
        sleep);
#else
    RetryWhileHeld(
        [&] {
            const int fd = ::open(hold.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            if (fd < 0) return Attempt::Refused;
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
                const int error = errno;
                ::close(fd);
                return error == EWOULDBLOCK || error == EINTR ? Attempt::Held : Attempt::Refused;
            }
            // The copy that held it removed the file between this open and
            // this lock: the lock is on a file no other copy will find.
            struct stat mine {}, there {};
            if (::fstat(fd, &mine) != 0 || ::stat(hold.c_str(), &there) != 0 || mine.st_ino != there.st_ino ||
                mine.st_dev != there.st_dev) {
                ::close(fd);
                return Attempt::Held;
            }
            held = std::make_unique<NativeHold>(fd, hold);
            return Attempt::Done;
        },
        sleep);
#endif
    return held;
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

bool NativeFileSystem::canWriteIn(const std::string& folder)
{
    const fs::path probe = PathOf(folder) / (".orvane-probe-" + std::to_string(ProcessId()));
#ifdef _WIN32
    // Gone when closed, whatever becomes of the program.
    HANDLE h = CreateFileW(probe.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
#else
    int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return ::unlink(probe.c_str()) == 0;
#endif
}

std::string NativeFileSystem::userFolder()
{
    fs::path folder;
#ifdef _WIN32
    PWSTR local = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &local)))
        folder = fs::path(local) / L"Orvane";
    CoTaskMemFree(local);
#else
    // Where the launcher of the installed game keeps each player's Data.
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (data && data[0] == '/') folder = fs::path(data) / "orvane" / "Data";
    else if (home && home[0] == '/') folder = fs::path(home) / ".local" / "share" / "orvane" / "Data";
#endif
    std::error_code error;
    if (folder.empty() || (fs::create_directories(folder, error), !fs::is_directory(folder, error))) return {};
    return Utf8(folder);
}

std::optional<std::chrono::milliseconds> NextWait(int tries, std::chrono::milliseconds waited)
{
    using std::chrono::milliseconds;
    if (waited >= milliseconds(2000)) return std::nullopt;
    return milliseconds(std::min(10 << std::min(std::max(tries - 1, 0), 5), 250));
}

bool RetryWhileHeld(const std::function<Attempt()>& attempt,
                    const std::function<void(std::chrono::milliseconds)>& sleep)
{
    std::chrono::milliseconds waited{0};
    for (int tries = 1;; ++tries) {
        const Attempt outcome = attempt();
        if (outcome != Attempt::Held) return outcome == Attempt::Done;
        const std::optional<std::chrono::milliseconds> wait = NextWait(tries, waited);
        if (!wait) return false;
        sleep(*wait);
        waited += *wait;
    }
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
