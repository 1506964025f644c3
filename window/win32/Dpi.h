// DPI queries that work from Windows 7 up. The per-window calls arrived in
// Windows 10 1607, so they are looked up in user32 at run time (importing
// them would stop the program loading on older systems); without them the
// system DPI stands in, and WM_DPICHANGED still reports monitor changes.
#pragma once

#include <windows.h>

namespace zarnik::win32 {

class Dpi {
public:
    static constexpr UINT kDefault = USER_DEFAULT_SCREEN_DPI;  // 96

    // The DPI `window` is drawn at.
    static UINT ForWindow(HWND window);

    // Outer size of a window with `style`/`exStyle` and no menu whose client
    // area is `client` pixels, with the frame metrics of `dpi`.
    static SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

    // A length given in pixels at 96 DPI, at `dpi`, rounded to nearest.
    static int Scale(int pixels, UINT dpi);
};

}  // namespace zarnik::win32
