// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_window.h"

#include "platform/win32/win32_ids.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_resources.h"

namespace orvane::win32 {

namespace {

constexpr wchar_t ClassName[] = L"OrvaneWindow";
// A fixed frame: no sizing border, no maximise box.
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD ExStyle = WS_EX_CONTROLPARENT;

void RegisterClassOnce(WNDPROC procedure)
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_ORVANE));
    wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(IDI_ORVANE), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = ClassName;
    RegisterClassExW(&wc);
    registered = true;
}

} // namespace

Win32Window::Win32Window(Win32Platform& platform, const WindowDesign& design)
    : platform_(platform), design_(design), playfield_(*this, design)
{
    RegisterClassOnce(&Procedure);
    HWND owner = platform.mainWindow();
    CreateWindowExW(ExStyle, ClassName, Wide(design.caption).c_str(), Style, CW_USEDEFAULT, CW_USEDEFAULT,
                    design.client.width, design.client.height, owner, nullptr, GetModuleHandleW(nullptr), this);
    dpi_ = GetDpiForWindow(hwnd_);
    if (dpi_ == 0) dpi_ = 96;
    dialogFont_ = CreateDialogFont(dpi_);
    playfield_.attach(hwnd_, dpi_);
    platform_.add(this);
    fixSize();
}

Win32Window::~Win32Window()
{
    platform_.remove(this);
    timers_.clear();
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (dialogFont_) DeleteObject(dialogFont_);
}

LRESULT CALLBACK Win32Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handle(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        RECT client;
        GetClientRect(hwnd_, &client);
        RECT area;
        if (IntersectRect(&area, &ps.rcPaint, &client)) playfield_.paint(dc, area);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1; // the paint covers it all
    case WM_TIMER:
        if (wParam == RepaintTimerId) {
            playfield_.repaintStale();
        } else {
            for (auto& timer : timers_)
                if (timer->id() == wParam && timer->enabled() && timer->onTick) {
                    timer->onTick();
                    break;
                }
        }
        return 0;
    case WM_ORVANE_CLICK: {
        // The handler may run for the rest of the program, or close this window.
        const auto* handler = reinterpret_cast<const std::function<void()>*>(lParam);
        if (*handler) (*handler)();
        return 0;
    }
    case WM_COMMAND: command(wParam, lParam); return 0;
    case DM_GETDEFID:
        for (auto& button : buttons_)
            if (button->isDefault()) return MAKELRESULT(button->id(), DC_HASDEFID);
        return 0;
    case WM_CLOSE:
        // The game decides what closing means; without a say, it closes.
        if (onUnload) onUnload();
        else close();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd_) {
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(hwnd_, &at);
            SetCursor(playfield_.wantsCustomPointer(at) ? platform_.pointer() : LoadCursorW(nullptr, IDC_ARROW));
            return TRUE;
        }
        break;
    // The system runs menus and the frame's move and size in loops of its
    // own, inside this dispatch: the game's main loop stands still and the
    // speed test's clock with it. A caption button tracks the mouse in
    // such a loop too, unannounced, until it is let go.
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE: platform_.nativeClock().enterSystemLoop(); break;
    case WM_EXITMENULOOP:
    case WM_EXITSIZEMOVE: platform_.nativeClock().leaveSystemLoop(); break;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTMINBUTTON || wParam == HTMAXBUTTON || wParam == HTCLOSE) {
            platform_.nativeClock().enterSystemLoop();
            const LRESULT result = DefWindowProcW(hwnd_, message, wParam, lParam);
            platform_.nativeClock().leaveSystemLoop();
            return result;
        }
        break;
    case WM_POWERBROADCAST:
        if ((wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) && hwnd_ == platform_.mainWindow() &&
            platform_.events().onWake)
            PostClick(hwnd_, platform_.events().onWake);
        return TRUE;
    case WM_DPICHANGED: rescale(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam)); return 0;
    default:
        if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK && playfield_.mouse(message, wParam, lParam))
            return 0;
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Win32Window::command(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    for (auto& button : buttons_) {
        const bool pressed = lParam ? reinterpret_cast<HWND>(lParam) == button->hwnd() && HIWORD(wParam) == BN_CLICKED
                                    : (id == IDCANCEL && button->isCancel()) || (id == IDOK && button->isDefault());
        if (pressed) {
            PostClick(hwnd_, button->onClick);
            return;
        }
    }
    if (lParam == 0)
        if (Win32MenuItem* item = menus_.find(id)) PostClick(hwnd_, item->onClick);
}

ListBox& Win32Window::addListBox(const ListBoxDesign& design)
{
    lists_.push_back(std::make_unique<Win32ListBox>(hwnd_, design, dialogFont_, dpi_));
    children_.emplace_back(lists_.back()->hwnd(), design.place);
    return *lists_.back();
}

Button& Win32Window::addButton(const ButtonDesign& design)
{
    const UINT id = FirstButtonId + static_cast<UINT>(buttons_.size());
    buttons_.push_back(std::make_unique<Win32Button>(hwnd_, id, design, dialogFont_, dpi_));
    children_.emplace_back(buttons_.back()->hwnd(), design.place);
    return *buttons_.back();
}

MenuItem& Win32Window::addMenu(const MenuDesign& design)
{
    MenuItem& item = menus_.add(hwnd_, design);
    fixSize();
    return item;
}

Timer& Win32Window::addTimer(const TimerDesign& design)
{
    timers_.push_back(std::make_unique<Win32Timer>(hwnd_, FirstGameTimerId + timers_.size(), design));
    return *timers_.back();
}

void Win32Window::fixSize()
{
    const int width = Scaled(design_.client.width, dpi_), height = Scaled(design_.client.height, dpi_);
    RECT outer{0, 0, width, height};
    AdjustWindowRectExForDpi(&outer, Style, !menus_.empty(), ExStyle, dpi_);
    // A menu bar that wraps takes more rows than the estimate: measured again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(hwnd_, &client);
        const int dw = width - client.right, dh = height - client.bottom;
        if (dw == 0 && dh == 0) break;
        outer.right += dw;
        outer.bottom += dh;
    }
}

void Win32Window::rescale(UINT dpi, const RECT* suggested)
{
    dpi_ = dpi;
    if (dialogFont_) DeleteObject(dialogFont_);
    dialogFont_ = CreateDialogFont(dpi);
    for (auto& [child, place] : children_) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_), FALSE);
        SetWindowPos(child, nullptr, Scaled(place.x, dpi), Scaled(place.y, dpi), Scaled(place.w, dpi),
                     Scaled(place.h, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (suggested)
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fixSize();
    playfield_.rescale(dpi);
}

Size Win32Window::screenSize() const
{
    RECT work{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {static_cast<int>((work.right - work.left) / ratio()), static_cast<int>((work.bottom - work.top) / ratio())};
}

Size Win32Window::outerSize() const
{
    RECT r;
    GetWindowRect(hwnd_, &r);
    return {static_cast<int>((r.right - r.left) / ratio()), static_cast<int>((r.bottom - r.top) / ratio())};
}

// The game asks for its historic outer size, which with today's frames and
// fonts would cut off the playfield's last columns and rows: the window
// keeps the fixed size that shows the menu bar and the whole playfield.
void Win32Window::setOuterSize(Size) { fixSize(); }

void Win32Window::moveTo(int left, int top)
{
    SetWindowPos(hwnd_, nullptr, static_cast<int>(left * ratio()), static_cast<int>(top * ratio()), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::show()
{
    fixSize();
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void Win32Window::showModal()
{
    fixSize();
    std::vector<HWND> disabled = platform_.disableOthers(this);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (!children_.empty()) SetFocus(children_.front().first);
    modal_ = true;
    EventLoop& events = platform_.events();
    while (modal_ && !events.ending()) events.waitForEvents();
    modal_ = false;
    // The owner is enabled before this window goes, so that it, and no
    // other program, becomes the active window.
    for (HWND other : disabled) EnableWindow(other, TRUE);
    ShowWindow(hwnd_, SW_HIDE);
    if (!disabled.empty()) SetActiveWindow(disabled.front());
}

void Win32Window::close()
{
    modal_ = false;
    ShowWindow(hwnd_, SW_HIDE);
}

} // namespace orvane::win32
