// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_playfield.h"

#include <dwmapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "platform/label_fit.h"
#include "platform/win32/win32_gdiplus.h"
#include "platform/win32/win32_ids.h"

namespace orvane::win32 {

namespace {

LONGLONG Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Ratio(UINT dpi) { return dpi / 96.0; }

int ButtonsOf(WPARAM keys)
{
    return (keys & MK_LBUTTON ? 1 : 0) + (keys & MK_RBUTTON ? 2 : 0) + (keys & MK_MBUTTON ? 4 : 0);
}

int ShiftOf(WPARAM keys)
{
    return (keys & MK_SHIFT ? 1 : 0) + (keys & MK_CONTROL ? 2 : 0) + (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

bool Contains(const Rect& r, double x, double y) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; }

Gdiplus::Color GdiplusColour(Colour colour)
{
    return Gdiplus::Color(255, static_cast<BYTE>(colour & 0xFF), static_cast<BYTE>((colour >> 8) & 0xFF),
                          static_cast<BYTE>((colour >> 16) & 0xFF));
}

// A memory DC holding a top-down 32-bit bitmap of the given size, all
// zeros; returns its pixels.
void* MakeBitmapDc(HDC& dc, HBITMAP& bitmap, HGDIOBJ& old, int width, int height)
{
    if (!dc) dc = CreateCompatibleDC(nullptr);
    if (bitmap) {
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = -std::max(height, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
    return bits;
}

void FreeBitmapDc(HDC& dc, HBITMAP& bitmap, HGDIOBJ old)
{
    if (dc && bitmap) SelectObject(dc, old);
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    dc = nullptr;
    bitmap = nullptr;
}

} // namespace

void PostClick(HWND hwnd, const std::function<void()>& handler)
{
    PostMessageW(hwnd, WM_ORVANE_CLICK, 0, reinterpret_cast<LPARAM>(&handler));
}

// --- Panel ---

void Win32Frame::setVisible(bool visible)
{
    if (visible == visible_) return;
    visible_ = visible;
    field_.stale(design_.place);
}

// --- Label ---

Win32Label::Win32Label(Playfield& field, const LabelDesign& design, Win32Frame* frame)
    : field_(field), design_(design), frame_(frame), colour_(design.foreColour), visible_(design.visible)
{
    rescale(field.dpi());
    setCaption(design.caption);
}

Win32Label::~Win32Label()
{
    if (font_) DeleteObject(font_);
}

void Win32Label::setCaption(const std::string& caption)
{
    caption_ = caption;
    text_ = Wide(caption);
    fitText();
}

void Win32Label::setVisible(bool visible)
{
    if (visible == visible_) return;
    visible_ = visible;
    field_.stale(place());
}

void Win32Label::setForeColour(Colour colour)
{
    colour_ = colour;
    field_.stale(place());
}

void Win32Label::rescale(UINT dpi)
{
    if (font_) DeleteObject(font_);
    dpi_ = dpi;
    font_ = CreateGameFont(design_.font, dpi);
    fitText();
}

Rect Win32Label::place() const
{
    if (!frame_) return fitted_;
    const Rect& panel = frame_->design().place;
    return Rect{panel.x + fitted_.x, panel.y + fitted_.y, fitted_.w, fitted_.h};
}

void Win32Label::fitText()
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_);
    RECT need{0, 0, 0, 0};
    if (!text_.empty())
        DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &need, DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, old);
    DeleteDC(dc);
    const double ratio = Ratio(dpi_);
    Size text{static_cast<int>(std::ceil(need.right / ratio)) + LabelTextInset(design_.place),
              static_cast<int>(std::ceil(need.bottom / ratio))};
    Size room = frame_ ? Size{frame_->design().place.w, frame_->design().place.h} : field_.logicalSize();
    const Rect before = place();
    fitted_ = FitLabel(design_.place, text, room);
    field_.stale(before);
    field_.stale(place());
}

void Win32Label::paint(HDC dc, UINT dpi) const
{
    if (!shown() || text_.empty()) return;
    const int saved = SaveDC(dc);
    if (frame_) {
        const Rect& panel = frame_->design().place;
        IntersectClipRect(dc, Scaled(panel.x, dpi), Scaled(panel.y, dpi), Scaled(panel.x + panel.w, dpi),
                          Scaled(panel.y + panel.h, dpi));
    }
    const Rect at = place();
    RECT r{Scaled(at.x + LabelTextInset(design_.place), dpi), Scaled(at.y, dpi), Scaled(at.x + at.w, dpi), Scaled(at.y + at.h, dpi)};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourRef(colour_));
    SelectObject(dc, font_);
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &r, DT_LEFT | DT_TOP | DT_NOPREFIX);
    RestoreDC(dc, saved);
}

// --- The ball ---

Win32Shape::Win32Shape(Playfield& field, const ShapeDesign& design)
    : field_(field), design_(design.place), left_(design.place.x), top_(design.place.y), visible_(design.visible)
{
}

Win32Shape::~Win32Shape() { FreeBitmapDc(spriteDc_, sprite_, spriteOld_); }

void Win32Shape::render(UINT dpi)
{
    // Drawn once, smoothed and with an alpha channel, and from then on only
    // blended at the ball's place: smoothing it anew every frame would cost
    // the main loop a tenth of its passes under Wine.
    const double ratio = Ratio(dpi);
    const int w = std::max(design_.w, 0), h = std::max(design_.h, 0);
    spriteSize_ = {static_cast<int>(std::ceil(w * ratio)) + 2, static_cast<int>(std::ceil(h * ratio)) + 2};
    void* bits = MakeBitmapDc(spriteDc_, sprite_, spriteOld_, spriteSize_.width, spriteSize_.height);
    Gdiplus::Bitmap target(spriteSize_.width, spriteSize_.height, spriteSize_.width * 4, PixelFormat32bppPARGB,
                           static_cast<BYTE*>(bits));
    Gdiplus::Graphics graphics(&target);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    // Light with a dark rim: the ball shows on any picture.
    Gdiplus::SolidBrush fill(Gdiplus::Color(255, 255, 255, 200));
    Gdiplus::Pen rim(Gdiplus::Color(255, 40, 40, 40), static_cast<Gdiplus::REAL>(ratio));
    const auto at = static_cast<Gdiplus::REAL>(1 + 0.5 * ratio);
    const auto width = static_cast<Gdiplus::REAL>(std::max(w - 1, 0) * ratio);
    const auto height = static_cast<Gdiplus::REAL>(std::max(h - 1, 0) * ratio);
    graphics.FillEllipse(&fill, at, at, width, height);
    graphics.DrawEllipse(&rim, at, at, width, height);
}

void Win32Shape::moveTo(double left, double top)
{
    left_ = TameCoordinate(left);
    top_ = TameCoordinate(top);
    field_.shapeChanged();
}

void Win32Shape::setVisible(bool visible)
{
    visible_ = visible;
    field_.shapeChanged();
}

// --- The playfield ---

Playfield::Playfield(Window& window, const WindowDesign& design)
    : window_(window), background_(design.background), foreground_(design.foreground),
      size_{std::max(design.client.width, 0), std::max(design.client.height, 0)}
{
}

Playfield::~Playfield()
{
    if (picture_) DeleteObject(picture_);
    FreeBitmapDc(composedDc_, composed_, composedOld_);
    FreeBitmapDc(backDc_, back_, backOld_);
}

void Playfield::attach(HWND hwnd, UINT dpi)
{
    hwnd_ = hwnd;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerSecond_ = std::max<LONGLONG>(frequency.QuadPart, 1);
    readRefreshRate(true);
    rescale(dpi);
}

namespace {

// The composition's timing: its refresh period and the moment of its last
// vertical blank, in performance-counter ticks. Looked up at run time: a
// system without the desktop window manager has no dwmapi.dll.
std::optional<DWM_TIMING_INFO> CompositionTiming()
{
    static const auto get = [] {
        HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
        return dwm ? reinterpret_cast<decltype(&DwmGetCompositionTimingInfo)>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetCompositionTimingInfo")))
                   : nullptr;
    }();
    DWM_TIMING_INFO timing{};
    timing.cbSize = sizeof(timing);
    // Since Windows 8.1 the window must be null: the timing is the composition's.
    if (!get || FAILED(get(nullptr, &timing)) || timing.qpcRefreshPeriod == 0) return std::nullopt;
    return timing;
}

// The refresh rate the monitor's current mode gives; 0 where it does not
// (0 and 1 stand for the hardware's default).
double MonitorRate(HMONITOR monitor)
{
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!monitor || !GetMonitorInfoW(monitor, &info) ||
        !EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode) || mode.dmDisplayFrequency <= 1)
        return 0;
    return mode.dmDisplayFrequency;
}

} // namespace

void Playfield::readRefreshRate(bool monitorMayHaveChanged)
{
    HMONITOR monitor = MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST);
    if (!monitorMayHaveChanged && monitor == monitor_) return;
    monitor_ = monitor;
    const double monitorRate = MonitorRate(monitor);
    const double rate = RefreshRate(monitorRate);
    // The composition's timing gives the period exactly and the phase of
    // the frames too, but it is the composition's, of the main monitor: on a
    // monitor of another rate, or a rate forced for a bench, it does not
    // apply.
    if (rate == monitorRate) {
        if (std::optional<DWM_TIMING_INFO> timing = CompositionTiming()) {
            const double compositionRate = static_cast<double>(ticksPerSecond_) / timing->qpcRefreshPeriod;
            if (monitorRate == 0 || std::abs(compositionRate - monitorRate) < 1) {
                frameClock_.setPeriod(static_cast<FrameClock::Ticks>(timing->qpcRefreshPeriod),
                                  static_cast<FrameClock::Ticks>(timing->qpcVBlank));
                return;
            }
        }
    }
    frameClock_.setPeriod(FrameClock::periodOf(rate, ticksPerSecond_));
}

LONGLONG Playfield::repaintWhenDue(LONGLONG now)
{
    // With nothing to paint the yield looks again a millisecond later, so
    // that the first change after a pause waits no longer for its frame.
    if (!repaintPending_) return now + ticksPerSecond_ / 1000;
    if (frameClock_.due(now)) repaintStale();
    return frameClock_.next();
}

void Playfield::repaintFromTimer()
{
    // The timer runs on while the ball moves: setting and killing it every
    // frame costs more than its ticks. A tick with nothing to do ends it.
    if (!repaintPending_) {
        KillTimer(hwnd_, RepaintTimerId);
        timerRunning_ = false;
        return;
    }
    if (frameClock_.due(Now())) repaintStale();
}

void Playfield::rescale(UINT dpi)
{
    dpi_ = dpi;
    const int w = Scaled(size_.width, dpi), h = Scaled(size_.height, dpi);
    MakeBitmapDc(composedDc_, composed_, composedOld_, w, h);
    MakeBitmapDc(backDc_, back_, backOld_, w, h);
    compose();
    for (auto& label : labels_) label->rescale(dpi);
    for (auto& shape : shapes_) shape->render(dpi);
    allStale_ = true;
    scheduleRepaint();
}

Frame& Playfield::addFrame(const FrameDesign& design)
{
    frames_.push_back(std::make_unique<Win32Frame>(*this, design));
    stale(design.place);
    return *frames_.back();
}

Label& Playfield::addLabel(const LabelDesign& design)
{
    Win32Frame* frame = nullptr;
    for (auto& f : frames_)
        if (f.get() == design.parent) frame = f.get();
    labels_.push_back(std::make_unique<Win32Label>(*this, design, frame));
    return *labels_.back();
}

ImageArea& Playfield::addImageArea(const ImageAreaDesign& design)
{
    areas_.push_back(std::make_unique<Win32ImageArea>(design));
    return *areas_.back();
}

Shape& Playfield::addShape(const ShapeDesign& design)
{
    shapes_.push_back(std::make_unique<Win32Shape>(*this, design));
    shapes_.back()->render(dpi_);
    shapeChanged();
    return *shapes_.back();
}

bool Playfield::setPicture(const std::string& path)
{
    if (picture_) DeleteObject(picture_);
    picture_ = nullptr;
    pictureSize_ = {};
    {
        // GIF, JPEG, PNG, BMP and TIFF; the file is let go as soon as it is read.
        Gdiplus::Bitmap bitmap(Wide(path).c_str());
        HBITMAP converted = nullptr;
        if (bitmap.GetLastStatus() == Gdiplus::Ok &&
            bitmap.GetHBITMAP(GdiplusColour(background_), &converted) == Gdiplus::Ok) {
            picture_ = converted;
            pictureSize_ = {static_cast<int>(bitmap.GetWidth()), static_cast<int>(bitmap.GetHeight())};
        }
    }
    // A new picture starts with no line work: the old level's lines do not
    // belong on it.
    lines_.clear();
    compose();
    return picture_ != nullptr;
}

void Playfield::clearPicture()
{
    if (picture_) DeleteObject(picture_);
    picture_ = nullptr;
    lines_.clear();
    compose();
}

void Playfield::compose()
{
    if (!composedDc_) return;
    const int w = Scaled(size_.width, dpi_), h = Scaled(size_.height, dpi_);
    HBRUSH brush = CreateSolidBrush(ColourRef(background_));
    RECT all{0, 0, w, h};
    FillRect(composedDc_, &all, brush);
    DeleteObject(brush);
    if (picture_) {
        HDC source = CreateCompatibleDC(composedDc_);
        HGDIOBJ old = SelectObject(source, picture_);
        // Unscaled in logical pixels: at a higher pixel ratio it is stretched.
        if (dpi_ == 96) {
            BitBlt(composedDc_, 0, 0, pictureSize_.width, pictureSize_.height, source, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(composedDc_, HALFTONE);
            SetBrushOrgEx(composedDc_, 0, 0, nullptr);
            StretchBlt(composedDc_, 0, 0, Scaled(pictureSize_.width, dpi_), Scaled(pictureSize_.height, dpi_), source,
                       0, 0, pictureSize_.width, pictureSize_.height, SRCCOPY);
        }
        SelectObject(source, old);
        DeleteDC(source);
    }
    for (const DrawnLine& line : lines_.lines()) paintLine(line);
    allStale_ = true;
    scheduleRepaint();
}

void Playfield::drawLine(const Line& line)
{
    std::optional<DrawnLine> drawn = lines_.add(line, foreground_);
    if (!drawn) return;
    paintLine(*drawn);
    const double left = std::floor(std::min(drawn->x1, drawn->x2)), top = std::floor(std::min(drawn->y1, drawn->y2));
    const double right = std::ceil(std::max(drawn->x1, drawn->x2)), bottom = std::ceil(std::max(drawn->y1, drawn->y2));
    // Far coordinates are tamed to a hundred thousand pixels: these fit an int.
    stale(Rect{static_cast<int>(left) - 2, static_cast<int>(top) - 2, static_cast<int>(right - left) + 5,
               static_cast<int>(bottom - top) + 5});
}

void Playfield::clearDrawing()
{
    if (lines_.size() == 0) return;
    lines_.clear();
    compose();
}

void Playfield::paintLine(const DrawnLine& line)
{
    if (!composedDc_) return;
    Gdiplus::Graphics graphics(composedDc_);
    const auto ratio = static_cast<Gdiplus::REAL>(Ratio(dpi_));
    if (line.x1 == line.x2 && line.y1 == line.y2) {
        Gdiplus::SolidBrush brush(GdiplusColour(line.colour));
        graphics.FillRectangle(&brush, std::floor(line.x1) * ratio, std::floor(line.y1) * ratio, ratio, ratio);
        return;
    }
    // One logical pixel wide, centred on the pixels' middles, smoothed.
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::Pen pen(GdiplusColour(line.colour), ratio);
    pen.SetLineCap(Gdiplus::LineCapSquare, Gdiplus::LineCapSquare, Gdiplus::DashCapFlat);
    graphics.DrawLine(&pen, (line.x1 + 0.5f) * ratio, (line.y1 + 0.5f) * ratio, (line.x2 + 0.5f) * ratio,
                      (line.y2 + 0.5f) * ratio);
}

RECT Playfield::device(const Rect& r) const
{
    return RECT{Scaled(r.x, dpi_), Scaled(r.y, dpi_), Scaled(r.x + r.w, dpi_), Scaled(r.y + r.h, dpi_)};
}

void Playfield::stale(const Rect& area)
{
    RECT r = device(Rect{area.x - 1, area.y - 1, area.w + 2, area.h + 2});
    UnionRect(&staleArea_, &staleArea_, &r);
    scheduleRepaint();
}

void Playfield::shapeChanged()
{
    shapesStale_ = true;
    scheduleRepaint();
}

void Playfield::scheduleRepaint()
{
    repaintPending_ = true;
    if (timerRunning_ || !hwnd_) return;
    timerRunning_ = true;
    const auto periodMs = static_cast<UINT>(frameClock_.period() * 1000 / ticksPerSecond_);
    SetTimer(hwnd_, RepaintTimerId, std::max<UINT>(periodMs, USER_TIMER_MINIMUM), nullptr);
}

namespace {

RECT BallArea(const Win32Shape& shape, UINT dpi)
{
    const double ratio = Ratio(dpi);
    const LONG left = static_cast<LONG>(std::floor(shape.left() * ratio)) - 1;
    const LONG top = static_cast<LONG>(std::floor(shape.top() * ratio)) - 1;
    return RECT{left, top, left + shape.spriteSize().width, top + shape.spriteSize().height};
}

} // namespace

void Playfield::repaintStale()
{
    repaintPending_ = false;
    RECT stale = staleArea_;
    if (shapesStale_ && !allStale_) {
        for (auto& shape : shapes_) {
            const RECT now = BallArea(*shape, dpi_);
            if (!EqualRect(&now, &shape->stale)) {
                UnionRect(&stale, &stale, &shape->stale);
                UnionRect(&stale, &stale, &now);
            }
        }
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    if (allStale_) stale = client;
    allStale_ = shapesStale_ = false;
    staleArea_ = RECT{};
    // Painted here and now rather than through WM_PAINT, which would cost a
    // trip to the window server for the update region and another to
    // validate it.
    RECT area;
    if (!IntersectRect(&area, &stale, &client) || !IsWindowVisible(hwnd_)) return;
    HDC dc = GetDC(hwnd_);
    paint(dc, area);
    ReleaseDC(hwnd_, dc);
    ++paints_;
}

void Playfield::paint(HDC dc, const RECT& area)
{
    // Most paints are the ball's few pixels: what lies elsewhere is skipped.
    auto touches = [&](const RECT& r) {
        RECT common;
        return IntersectRect(&common, &r, &area) != FALSE;
    };
    const int x = area.left, y = area.top, w = area.right - area.left, h = area.bottom - area.top;
    BitBlt(backDc_, x, y, w, h, composedDc_, x, y, SRCCOPY);
    const int saved = SaveDC(backDc_);
    IntersectClipRect(backDc_, area.left, area.top, area.right, area.bottom);
    for (auto& frame : frames_) {
        const RECT r = device(frame->design().place);
        if (!frame->visible() || !touches(r)) continue;
        HBRUSH brush = CreateSolidBrush(ColourRef(frame->design().background));
        FillRect(backDc_, &r, brush);
        DeleteObject(brush);
    }
    for (auto& label : labels_)
        if (label->shown() && touches(device(label->place()))) label->paint(backDc_, dpi_);
    RestoreDC(backDc_, saved);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    for (auto& shape : shapes_) {
        shape->stale = BallArea(*shape, dpi_);
        if (!shape->visible() || !touches(shape->stale)) continue;
        const Size sprite = shape->spriteSize();
        GdiAlphaBlend(backDc_, shape->stale.left, shape->stale.top, sprite.width, sprite.height, shape->sprite(), 0, 0,
                      sprite.width, sprite.height, blend);
    }

    BitBlt(dc, x, y, w, h, backDc_, x, y, SRCCOPY);
}

std::optional<Playfield::Target> Playfield::targetAt(double x, double y) const
{
    // The latest added lies on top.
    for (auto it = areas_.rbegin(); it != areas_.rend(); ++it) {
        const Win32ImageArea& area = **it;
        if (area.clickable() && Contains(area.design().place, x, y))
            return Target{&area.onClick, &area.onDoubleClick, area.design().place};
    }
    for (auto it = labels_.rbegin(); it != labels_.rend(); ++it) {
        const Win32Label& label = **it;
        if (label.shown() && label.clickable() && Contains(label.place(), x, y))
            return Target{&label.onClick, nullptr, label.place()};
    }
    return std::nullopt;
}

bool Playfield::wantsCustomPointer(POINT device) const
{
    const double x = device.x / Ratio(dpi_), y = device.y / Ratio(dpi_);
    for (auto& area : areas_)
        if (area->visible() && area->design().customPointer && Contains(area->design().place, x, y)) return true;
    for (auto& label : labels_)
        if (label->shown() && label->customPointer() && Contains(label->place(), x, y)) return true;
    return false;
}

MouseEvent Playfield::eventOf(WPARAM wParam, LPARAM lParam, int buttons) const
{
    const double ratio = Ratio(dpi_);
    return MouseEvent{buttons, ShiftOf(wParam), static_cast<float>(GET_X_LPARAM(lParam) / ratio),
                      static_cast<float>(GET_Y_LPARAM(lParam) / ratio)};
}

bool Playfield::mouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    const double ratio = Ratio(dpi_);
    const double x = GET_X_LPARAM(lParam) / ratio, y = GET_Y_LPARAM(lParam) / ratio;
    int button = 0;
    bool down = false;
    switch (message) {
    case WM_MOUSEMOVE:
        if (window_.onMouseMove) window_.onMouseMove(eventOf(wParam, lParam, ButtonsOf(wParam)));
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (std::optional<Target> target = targetAt(x, y)) {
            // The second press of a double click is no click of its own.
            secondPress_ = message == WM_LBUTTONDBLCLK && target->doubleClick && *target->doubleClick;
            if (secondPress_) PostClick(hwnd_, *target->doubleClick);
            pressed_ = target;
            SetCapture(hwnd_);
            return true;
        }
        button = 1, down = true;
        break;
    case WM_LBUTTONUP:
        if (pressed_) {
            Target target = *pressed_;
            pressed_.reset();
            if (!(wParam & (MK_RBUTTON | MK_MBUTTON))) ReleaseCapture();
            if (secondPress_) secondPress_ = false;
            else if (Contains(target.place, x, y) && target.click && *target.click) PostClick(hwnd_, *target.click);
            return true;
        }
        button = 1;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: button = 2, down = true; break;
    case WM_RBUTTONUP: button = 2; break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: button = 4, down = true; break;
    case WM_MBUTTONUP: button = 4; break;
    default: return false;
    }
    // The game keeps getting the mouse when a drag leaves the window.
    if (down) SetCapture(hwnd_);
    else if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && !pressed_) ReleaseCapture();
    const MouseEvent event = eventOf(wParam, lParam, button);
    auto& handler = down ? window_.onMouseDown : window_.onMouseUp;
    if (handler) handler(event);
    return true;
}

} // namespace orvane::win32
