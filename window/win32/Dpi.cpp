#include "Dpi.h"

#include "SystemDll.h"
#include "Win32Error.h"

namespace zarnik::win32 {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// A user32 export, or null where this Windows lacks it.
template <typename Fn>
Fn User32Function(const char* name) {
    return DllFunction<Fn>(Checked(GetModuleHandleW(L"user32.dll"), L"GetModuleHandleW(user32)"), name);
}

}  // namespace

UINT Dpi::ForWindow(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow) return Checked(getDpiForWindow(window), L"GetDpiForWindow");

    const HDC screen = Checked(GetDC(nullptr), L"GetDC");
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefault;
}

SIZE Dpi::WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, client.cx, client.cy};
    if (adjustForDpi)
        Checked(adjustForDpi(&rect, style, FALSE, exStyle, dpi), L"AdjustWindowRectExForDpi");
    else
        Checked(AdjustWindowRectEx(&rect, style, FALSE, exStyle), L"AdjustWindowRectEx");
    return {rect.right - rect.left, rect.bottom - rect.top};
}

int Dpi::Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDefault)); }

}  // namespace zarnik::win32
