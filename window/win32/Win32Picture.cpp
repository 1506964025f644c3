#include "Win32Picture.h"

#include "Dpi.h"
#include "Win32Error.h"

namespace zarnik::win32 {

Win32Picture::Win32Picture(HINSTANCE instance, pictures::Id picture) {
    const int id = pictures::kFiles[picture].resource;
    // A DIB section keeps the 24-bit colours exact whatever the screen depth.
    bitmap_ = static_cast<HBITMAP>(
        Checked(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION),
                WideText(L"LoadImageW(bitmap ") << id << L")"));
    BITMAP info{};
    Checked(GetObjectW(bitmap_, sizeof info, &info), L"GetObjectW(bitmap)");
    size_ = {info.bmWidth, info.bmHeight};
}

Win32Picture::~Win32Picture() { DeleteObject(bitmap_); }

SIZE Win32Picture::ScaledSize(UINT dpi) const { return {Dpi::Scale(size_.cx, dpi), Dpi::Scale(size_.cy, dpi)}; }

void Win32Picture::Draw(HDC target, int x, int y, UINT dpi) const {
    const HDC source = Checked(CreateCompatibleDC(target), L"CreateCompatibleDC");
    const HGDIOBJ old = Checked(SelectObject(source, bitmap_), L"SelectObject(bitmap)");
    const SIZE scaled = ScaledSize(dpi);
    BOOL drawn;
    if (scaled.cx == size_.cx && scaled.cy == size_.cy) {
        drawn = BitBlt(target, x, y, size_.cx, size_.cy, source, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(target, COLORONCOLOR);
        drawn = StretchBlt(target, x, y, scaled.cx, scaled.cy, source, 0, 0, size_.cx, size_.cy, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
    Checked(drawn, L"BitBlt/StretchBlt");
}

}  // namespace zarnik::win32
