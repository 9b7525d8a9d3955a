// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Holds FILE open as a scanner does, sharing all but deletion, until MS ms after
// a save of it begins (its temporary file FILE.*.new appears), or (-1) for good.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) return std::fputs("usage: orvane_hold_file FILE MS\n", stderr), 2;
    const std::wstring file = argv[1];
    const long ms = std::stol(std::wstring(argv[2]));
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return std::fprintf(stderr, "cannot open: %lu\n", GetLastError()), 1;
    std::puts("held");
    std::fflush(stdout);
    if (ms < 0) Sleep(INFINITE);
    WIN32_FIND_DATAW found;
    HANDLE search;
    while ((search = FindFirstFileW((file + L".*.new").c_str(), &found)) == INVALID_HANDLE_VALUE) Sleep(2);
    FindClose(search);
    Sleep(static_cast<DWORD>(ms));
    CloseHandle(held);
    return 0;
}
