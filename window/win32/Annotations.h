// What screen readers learn about a cell beyond its window text (its name):
// a turned cell is "pressed", and the layout's description says which side
// shows. Windows' own accessible object for a button knows neither, so both
// are laid over it by dynamic annotation (oleacc's IAccPropServices), the
// way Windows documents for owner-drawn controls. COM starts on the first
// accessibility request (WM_GETOBJECT), so a player without a screen reader
// never pays for it. Wine 8's oleacc accepts the calls but stores nothing.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <array>

#include "Toolkit.h"

namespace zarnik::win32 {

class Annotations {
public:
    Annotations() = default;
    ~Annotations();
    Annotations(const Annotations&) = delete;
    Annotations& operator=(const Annotations&) = delete;

    // Records the state of `button`, one of the cells (kept for its life),
    // and annotates it once started; a change of state is announced as a
    // WinEvent.
    void Set(HWND button, bool pressed, const wchar_t* description);

    // For every WM_GETOBJECT: starts COM and annotates every button so far.
    void Start();

private:
    struct Entry {
        HWND button;
        bool pressed;
        const wchar_t* description;
    };
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    void Annotate(const Entry& entry) const;
    void Forget(HWND button);

    Entry* Find(HWND button);

    std::array<Entry, kCells> entries_{};  // one for each cell; unused while its button is null
    bool started_ = false;
    bool comStarted_ = false;
    void(WINAPI* uninitialize_)() = nullptr;  // CoUninitialize
    IAccPropServices* services_ = nullptr;
};

}  // namespace zarnik::win32
