// An owner-drawn push button that shows a picture centred on a face of a
// given colour, with a raised edge, a sunken edge and offset picture while
// pressed, and a ring over it all while it has the focus. The window owns
// the buttons; each button only points at its picture.
#pragma once

#include <windows.h>

#include "Win32Picture.h"

namespace zarnik::win32 {

class PictureButton {
public:
    // Creates the child window: control `id` of `parent` named `name` at
    // `bounds`, a tab stop, shown. Buttons take their tab order from the
    // order of creation.
    void Create(HWND parent, int id, HINSTANCE instance, const wchar_t* name, const RECT& bounds);

    HWND hwnd() const { return hwnd_; }
    void MoveTo(const RECT& bounds);

    void SetFaceColour(COLORREF colour);
    void SetPicture(const Win32Picture& picture);

    // Paints the button for WM_DRAWITEM at the window's `dpi`.
    void Draw(const DRAWITEMSTRUCT& item, UINT dpi) const;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    void Invalidate() const;

    HWND hwnd_ = nullptr;
    COLORREF face_ = GetSysColor(COLOR_BTNFACE);
    const Win32Picture* picture_ = nullptr;
};

}  // namespace zarnik::win32
