#include "PictureButton.h"

#include <commctrl.h>

#include "Dpi.h"
#include "Layout.h"
#include "Win32Error.h"

namespace zarnik::win32 {
namespace {

void DrawFocusRing(HDC dc, RECT bounds, UINT dpi) {
    const int inset = Dpi::Scale(layout::kFocusRingInset, dpi), width = Dpi::Scale(layout::kFocusRingWidth, dpi);
    InflateRect(&bounds, -inset, -inset);
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    const bool drawn = PatBlt(dc, bounds.left, bounds.top, w, width, BLACKNESS) &&
                       PatBlt(dc, bounds.left, bounds.bottom - width, w, width, BLACKNESS) &&
                       PatBlt(dc, bounds.left, bounds.top, width, h, BLACKNESS) &&
                       PatBlt(dc, bounds.right - width, bounds.top, width, h, BLACKNESS);
    Checked(drawn, L"PatBlt(focus ring)");
}

}  // namespace

void PictureButton::Create(HWND parent, int id, HINSTANCE instance, const wchar_t* name, const RECT& bounds) {
    // WS_CLIPSIBLINGS: neighbouring cells overlap by one pixel line, and the
    // earlier-created button should keep it instead of whichever paints last.
    // The text is never painted; it names the button to screen readers.
    hwnd_ = Checked(
        CreateWindowExW(0, WC_BUTTONW, name, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_OWNERDRAW,
                        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr),
        L"CreateWindowExW(button)");
    Checked(SetWindowSubclass(hwnd_, SubclassProc, 0, 0), L"SetWindowSubclass");
}

void PictureButton::MoveTo(const RECT& bounds) {
    Checked(SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE),
            L"SetWindowPos(button)");
}

void PictureButton::SetFaceColour(COLORREF colour) {
    face_ = colour;
    Invalidate();
}

void PictureButton::SetPicture(const Win32Picture& picture) {
    picture_ = &picture;
    Invalidate();
}

void PictureButton::Invalidate() const { Checked(InvalidateRect(hwnd_, nullptr, FALSE), L"InvalidateRect(button)"); }

void PictureButton::Draw(const DRAWITEMSTRUCT& item, UINT dpi) const {
    const HDC dc = item.hDC;
    RECT bounds = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;

    Checked(SetDCBrushColor(dc, face_) != CLR_INVALID, L"SetDCBrushColor");
    const auto faceBrush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    Checked(FillRect(dc, &bounds, faceBrush), L"FillRect(button face)");

    RECT inner = bounds;
    InflateRect(&inner, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    if (picture_) {
        const SIZE size = picture_->ScaledSize(dpi);
        const int offset = pressed ? 1 : 0;
        // Centred on the whole button, as in the other programs; the new-game
        // face's lettering then keeps a pixel's gap to the focus ring.
        const int x = bounds.left + (bounds.right - bounds.left - size.cx) / 2 + offset;
        const int y = bounds.top + (bounds.bottom - bounds.top - size.cy) / 2 + offset;
        // The new-game face is a pixel wider than the space inside the edge;
        // clip it rather than paint over the edge.
        const int saved = Checked(SaveDC(dc), L"SaveDC");
        Checked(IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom) != ERROR, L"IntersectClipRect");
        picture_->Draw(dc, x, y, dpi);
        Checked(RestoreDC(dc, saved), L"RestoreDC");
    }
    Checked(DrawEdge(dc, &bounds, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT), L"DrawEdge");

    // Whenever the button has the focus, even before the keyboard is first
    // used (when Windows would hide a focus rectangle).
    if (item.itemState & ODS_FOCUS) DrawFocusRing(dc, bounds, dpi);
}

LRESULT CALLBACK PictureButton::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR) {
    switch (message) {
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button reports a fast second click as a double
        // click and not as a click; here every click is a move.
        return DefSubclassProc(hwnd, WM_LBUTTONDOWN, wParam, lParam);
    case WM_NCDESTROY: RemoveWindowSubclass(hwnd, SubclassProc, id); break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace zarnik::win32
