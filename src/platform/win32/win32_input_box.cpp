// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The input box, from a dialog template built in memory: the game has no
// resource script of its own for it, and the prompt decides nothing of its
// layout.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace orvane::win32 {

namespace {

constexpr WORD TextId = 100;

// Writes a DLGTEMPLATE and its items word by word, as the dialog manager
// reads them.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, const std::wstring& title, short cx, short cy, const LOGFONTW& font)
    {
        dword(style);
        dword(0);
        count_ = words_.size();
        word(0);          // number of items, filled in by add()
        word(0), word(0); // x, y: centred by DS_CENTER
        word(static_cast<WORD>(cx)), word(static_cast<WORD>(cy));
        word(0), word(0); // no menu, the default class
        text(title);
        // DS_SETFONT: point size and face. Dialog units follow the face, so
        // the layout holds in any of them.
        word(static_cast<WORD>(std::max(1, MulDiv(-font.lfHeight, 72, 96))));
        text(font.lfFaceName);
    }

    // kind: the predefined class atom (0x80 button, 0x81 edit, 0x82 static).
    void add(WORD kind, DWORD style, short x, short y, short cx, short cy, WORD id, const std::wstring& title)
    {
        while (words_.size() % 2) word(0); // items start on a DWORD
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        for (short v : {x, y, cx, cy}) word(static_cast<WORD>(v));
        word(id);
        word(0xFFFF), word(kind);
        text(title);
        word(0); // no creation data
        ++words_[count_];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void word(WORD w) { words_.push_back(w); }
    void dword(DWORD d) { word(LOWORD(d)), word(HIWORD(d)); }
    void text(const std::wstring& s)
    {
        for (wchar_t c : s) word(static_cast<WORD>(c));
        word(0);
    }

    std::vector<WORD> words_;
    std::size_t count_ = 0;
};

struct InputState {
    const std::wstring* defaultText;
    std::wstring typed;
};

INT_PTR CALLBACK InputProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto* state = reinterpret_cast<InputState*>(lParam);
        HWND text = GetDlgItem(dialog, TextId);
        SetWindowTextW(text, state->defaultText->c_str());
        // The default is selected, so typing replaces it.
        SendMessageW(text, EM_SETSEL, 0, -1);
        SetFocus(text);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(dialog, DWLP_USER));
            HWND text = GetDlgItem(dialog, TextId);
            state->typed.assign(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
            state->typed.resize(static_cast<std::size_t>(
                GetWindowTextW(text, state->typed.data(), static_cast<int>(state->typed.size()))));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

std::optional<std::wstring> InputBox(HWND owner, const std::wstring& prompt, const std::wstring& title,
                                     const std::wstring& defaultText)
{
    // In the message boxes' face: the template's classic "MS Shell Dlg"
    // would be the bitmap "MS Sans Serif".
    DialogTemplate form(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, title, 246, 84,
                        MessageFont(96));
    form.add(0x82, SS_LEFT | SS_NOPREFIX, 7, 7, 172, 48, 0xFFFF, prompt);
    form.add(0x80, BS_DEFPUSHBUTTON | WS_TABSTOP, 189, 7, 50, 14, IDOK, L"OK");
    form.add(0x80, BS_PUSHBUTTON | WS_TABSTOP, 189, 25, 50, 14, IDCANCEL, L"Cancel");
    form.add(0x81, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 62, 232, 14, TextId, L"");
    InputState state{&defaultText, {}};
    const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), form.get(), owner, &InputProcedure,
                                                   reinterpret_cast<LPARAM>(&state));
    if (answer != IDOK) return std::nullopt;
    return state.typed;
}

} // namespace orvane::win32
