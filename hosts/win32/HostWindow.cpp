#include "hosts/win32/HostWindow.h"

#include "hosts/win32/WindowObject.h"
#include "platform/core/Exception.h"
#include "platform/gfx/DevicePainter.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <vector>
#include <windowsx.h>

namespace dd {
namespace {

// The pixels painted at a time: a full-screen exposure goes in strips.
constexpr std::size_t kStripBytes = 1 << 20;

void RegisterWindowClass(const std::wstring& name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = name.c_str();
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    // No background brush: the window paints every pixel itself.
    ::RegisterClassW(&windowClass);
}

// The update region's rectangles, each painted on its own: their bounding box may be most of
// the screen.
std::vector<RECT> UpdateRectangles(HWND window) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    std::vector<RECT> rectangles;
    if (::GetUpdateRgn(window, region, FALSE) > NULLREGION) {
        const DWORD size = ::GetRegionData(region, 0, nullptr);
        std::vector<std::byte> bytes(size);
        auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
        if (size && ::GetRegionData(region, size, data)) {
            const auto* first = reinterpret_cast<const RECT*>(data->Buffer);
            rectangles.assign(first, first + data->rdh.nCount);
        }
    }
    ::DeleteObject(region);
    return rectangles;
}

} // namespace

HostWindow::HostWindow(const std::string& className, const std::string& title,
                       const Bitmap* surface, const SurfacePlacement& placement, SaverInput& input)
    : surface_(surface), placement_(placement), input_(input), field_(surface != nullptr) {
    const std::wstring wideClass = Widen(className);
    RegisterWindowClass(wideClass, &HostWindow::Procedure);
    window_ = ::CreateWindowExW(WS_EX_TOPMOST, wideClass.c_str(), Widen(title).c_str(), WS_POPUP, 0,
                                0, 0, 0, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    if (!window_)
        throw Exception("Windows refused the saver's window");
}

HostWindow::~HostWindow() {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
}

void HostWindow::Cover(const TMonitor& monitor) {
    const TRect& area = monitor.area;
    ::SetWindowPos(window_, HWND_TOPMOST, area.Left, area.Top, area.Width(), area.Height(),
                   field_ ? SWP_SHOWWINDOW : SWP_SHOWWINDOW | SWP_NOACTIVATE);
    // Shown again, perhaps over another area: all of it is drawn again.
    ::InvalidateRect(window_, nullptr, FALSE);
    if (field_)
        TakeKeyboard();
}

void HostWindow::TakeKeyboard() {
    ::SetForegroundWindow(window_);
    ::SetFocus(window_);
}

void HostWindow::Present(const TRect& area) {
    const TRect device = placement_.ToDevice(area);
    const RECT shown{device.Left, device.Top, device.Right, device.Bottom};
    ::InvalidateRect(window_, &shown, FALSE);
}

void HostWindow::Paint() {
    const std::vector<RECT> areas = UpdateRectangles(window_);
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window_, &paint);
    for (const RECT& area : areas)
        PaintArea(dc, area);
    ::EndPaint(window_, &paint);
}

void HostWindow::PaintArea(HDC dc, const RECT& area) {
    const TRect device{area.left, area.top, area.right, area.bottom};
    const int width = device.Width();
    const int stripRows = StripRows(width, kStripBytes);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biWidth = width;
    std::vector<std::uint32_t> pixels;
    for (int top = device.Top; top < device.Bottom; top += stripRows) {
        const int rows = std::min(stripRows, device.Bottom - top);
        pixels.resize(static_cast<std::size_t>(width) * rows);
        // A DIB's pixel is a 0x00RRGGBB word.
        PaintDeviceArea(surface_, placement_, {device.Left, top, device.Right, top + rows},
                        {pixels.data(), width, ChannelOrder::BlueFirst});
        info.bmiHeader.biHeight = -rows; // top-down rows
        ::SetDIBitsToDevice(dc, device.Left, top, static_cast<DWORD>(width),
                            static_cast<DWORD>(rows), 0, 0, 0, static_cast<UINT>(rows),
                            pixels.data(), &info, DIB_RGB_COLORS);
    }
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowObject<HostWindow>(window, message, lParam);
    if (!self)
        return ::DefWindowProcW(window, message, wParam, lParam);
    if (!self->window_)
        self->window_ = window; // messages of CreateWindowEx itself
    return self->Handle(message, wParam, lParam);
}

LRESULT HostWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // every pixel is painted: nothing is erased
    case WM_PAINT:
        Paint();
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        input_.KeyDown(static_cast<int>(wParam));
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        input_.KeyUp(static_cast<int>(wParam));
        return 0;
    case WM_CHAR:
        if (wParam < 128)
            input_.Character(static_cast<char>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        input_.Clicked(*this, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE:
        input_.PointerMoved(*this, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_DISPLAYCHANGE:
        // Every top-level window hears of it; the field's window, which the saver never closes
        // while it arranges its windows, passes it on, and touches nothing of itself after.
        if (field_)
            input_.MonitorsChanged();
        return 0;
    case WM_SYSCHAR:
        return 0; // Alt with a letter: no menu to look for, so no beep
    case WM_MOUSEACTIVATE:
        // A click on a cover must not take the keyboard from the saver or its prompt.
        return field_ ? MA_ACTIVATE : MA_NOACTIVATE;
    case WM_SYSCOMMAND:
        if (input_.SystemCommand(static_cast<unsigned>(wParam)))
            return 1;
        break;
    case WM_CLOSE:
        if (!input_.CloseRequested())
            return 0;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace dd
