// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Orvane on Windows: starts the playfield window and hands over to the
// message loop.
#include "platform/win32/win32_gdiplus.h"
#include "platform/win32/win32_platform.h"
#include "shell/form1.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The shell's "open" may hand the address to COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR gdiplus = 0;
    Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr);
    {
        orvane::win32::Win32Platform platform;
        orvane::Form1 form(platform);
        form.Form_Load();
        if (!platform.events().ending()) {
            form.window->show();
            while (!platform.events().ending()) platform.events().waitForEvents();
        }
    }
    Gdiplus::GdiplusShutdown(gdiplus);
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}
