// A bitmap from the executable's resources, owned by whoever holds it (the
// window for the backdrop and the new-game face, the hidden holders for the
// two tiles). Buttons keep plain pointers to it.
#pragma once

#include <windows.h>

#include "Pictures.h"
#include "Toolkit.h"

namespace zarnik::win32 {

class Win32Picture final : public Picture {
public:
    // Loads the built-in `picture`; a missing or unreadable one is fatal.
    Win32Picture(HINSTANCE instance, pictures::Id picture);
    ~Win32Picture();

    HBITMAP handle() const { return bitmap_; }

    // The size at `dpi`: the bitmap's own pixels count as 96 DPI pixels.
    SIZE ScaledSize(UINT dpi) const;

    // Draws the whole picture at `dpi` with its top-left corner at x, y.
    // Scaling repeats pixels (no blending), so the mosaic edges stay sharp.
    void Draw(HDC target, int x, int y, UINT dpi) const;

private:
    HBITMAP bitmap_;
    SIZE size_;
};

}  // namespace zarnik::win32
