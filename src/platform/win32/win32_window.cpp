// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_window.h"

#include "platform/win32/win32_ids.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_resources.h"
#include "platform/window_size.h"

namespace orvane::win32 {

namespace {

constexpr wchar_t ClassName[] = L"OrvaneWindow";
// A fixed frame: no sizing border, no maximise box.
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// An owned window is shown modally over its disabled owner: minimised, it
// would leave the player a game that takes no click and nothing to restore.
constexpr DWORD OwnedStyle = Style & ~WS_MINIMIZEBOX;
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
    style_ = owner ? OwnedStyle : Style;
    // An owned window starts over its owner, so that it is born on the
    // owner's monitor, at that monitor's pixel ratio.
    POINT at{CW_USEDEFAULT, CW_USEDEFAULT};
    RECT ownerPlace;
    if (owner && GetWindowRect(owner, &ownerPlace)) at = {ownerPlace.left, ownerPlace.top};
    CreateWindowExW(ExStyle, ClassName, Wide(design.caption).c_str(), style_, at.x, at.y, design.client.width,
                    design.client.height, owner, nullptr, GetModuleHandleW(nullptr), this);
    dpi_ = GetDpiForWindow(hwnd_);
    if (dpi_ == 0) dpi_ = 96;
    dialogFont_ = CreateDialogFont(dpi_);
    loadPictures();
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
    for (HICON icon : icons_)
        if (icon) DestroyIcon(icon);
    if (pointer_) DestroyCursor(pointer_);
}

HCURSOR Win32Window::pointer() const { return pointer_ ? pointer_ : LoadCursorW(nullptr, IDC_HAND); }

void Win32Window::loadPictures()
{
    // The resources hold each picture in several sizes; the one for the
    // window's pixel ratio is taken, not one scaled from the system's.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const int metrics[2] = {SM_CXICON, SM_CXSMICON};
    for (int i = 0; i < 2; ++i) {
        const int size = GetSystemMetricsForDpi(metrics[i], dpi_);
        HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_ORVANE), IMAGE_ICON, size, size, 0));
        if (!icon) continue;
        SendMessageW(hwnd_, WM_SETICON, i == 0 ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        if (icons_[i]) DestroyIcon(icons_[i]);
        icons_[i] = icon;
    }
    const int size = GetSystemMetricsForDpi(SM_CXCURSOR, dpi_);
    HCURSOR pointer = static_cast<HCURSOR>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDC_ORVANE_POINTER), IMAGE_CURSOR, size, size, 0));
    if (!pointer) return;
    // The pointer shown is never one destroyed.
    if (pointer_ && GetCursor() == pointer_) SetCursor(pointer);
    if (pointer_) DestroyCursor(pointer_);
    pointer_ = pointer;
}

FrameEdges Win32Window::edgesAt(UINT dpi) const
{
    RECT outer{0, 0, 0, 0};
    AdjustWindowRectExForDpi(&outer, style_, !menus_.empty(), ExStyle, dpi);
    return {-outer.left, -outer.top, outer.right, outer.bottom};
}

Rect Win32Window::workArea() const
{
    // An owned window is placed on its owner's monitor.
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &info))
        return {0, 0, 1024, 768};
    const RECT& r = info.rcWork;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
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
            playfield_.repaintFromTimer();
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
            SetCursor(playfield_.wantsCustomPointer(at) ? pointer() : LoadCursorW(nullptr, IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_GETDPISCALEDSIZE: {
        // The client area stays its logical size exactly; the frame, caption
        // and menu bar take what they take at the new ratio, which a linear
        // scaling of the whole window would get wrong by a few pixels.
        const int dpi = static_cast<int>(wParam);
        const Size outer = OuterSize({design_.client.width, design_.client.height}, dpi, edgesAt(dpi));
        auto* size = reinterpret_cast<SIZE*>(lParam);
        size->cx = outer.width;
        size->cy = outer.height;
        return TRUE;
    }
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
    case WM_DISPLAYCHANGE: playfield_.readRefreshRate(true); break;
    case WM_MOVE: playfield_.readRefreshRate(false); break;
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
    Size outer = OuterSize({design_.client.width, design_.client.height}, static_cast<int>(dpi_), edgesAt(dpi_));
    // A menu bar that wraps takes more rows than the estimate: measured again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.width, outer.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(hwnd_, &client);
        const int dw = width - client.right, dh = height - client.bottom;
        if (dw == 0 && dh == 0) break;
        outer.width += dw;
        outer.height += dh;
    }
}

void Win32Window::rescale(UINT dpi, const RECT* suggested)
{
    dpi_ = dpi;
    // A font is let go only once no child holds it any more.
    HFONT old = dialogFont_;
    dialogFont_ = CreateDialogFont(dpi);
    for (auto& [child, place] : children_) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_), FALSE);
        SetWindowPos(child, nullptr, Scaled(place.x, dpi), Scaled(place.y, dpi), Scaled(place.w, dpi),
                     Scaled(place.h, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (old) DeleteObject(old);
    loadPictures();
    playfield_.rescale(dpi);
    // The whole suggested rectangle: its size is the one WM_GETDPISCALEDSIZE
    // answered, and its place keeps the pointer on the caption of a window
    // dragged across monitors, which would otherwise slip or bounce back.
    if (suggested)
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    fixSize();
}

// The work area of the monitor the window is on, not the primary monitor's:
// the game centres its windows there.
Size Win32Window::screenSize() const { return LogicalSize(workArea(), static_cast<int>(dpi_)); }

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
    const Point at = PlaceInWorkArea(workArea(), static_cast<int>(dpi_), left, top);
    SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
