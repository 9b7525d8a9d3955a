// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Holds a file open as a scanner or a sync client does, for the Windows
// end-to-end checks: shared for reading and writing but not for deleting
// ("read"), or not at all ("none"). Lets go MS milliseconds after a save
// of the file begins (its temporary file NAME.*.new appears), or, with -1,
// only when killed. Prints "held" once it holds the file.
// Usage: orvane_hold_file FILE read|none MS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) return std::fputs("usage: orvane_hold_file FILE read|none MS\n", stderr), 2;
    const std::wstring file = argv[1];
    const DWORD share = std::wstring(argv[2]) == L"read" ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const long ms = std::wcstol(argv[3], nullptr, 10);
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return std::fprintf(stderr, "cannot open: %lu\n", GetLastError()), 1;
    std::puts("held");
    std::fflush(stdout);
    if (ms < 0) Sleep(INFINITE);
    for (;;) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((file + L".*.new").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
            break;
        }
        Sleep(2);
    }
    Sleep(static_cast<DWORD>(ms));
    CloseHandle(held);
    std::printf("let go %ld ms after the save began\n", ms);
    return 0;
}
