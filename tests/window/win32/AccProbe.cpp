// Starts Zarnik.exe maximised, as a shortcut may, and meets it through oleacc:
// buttons by name, a press's flips by state-change events, a held Enter, a denser
// screen. (The pressed state is an annotation, which Wine's oleacc does not keep.)
//   AccProbe.exe ZARNIK_EXE CELL BOARD   (BOARD: the reference after CELL)
#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Layout.h"
#include "Win32Error.h"

namespace {

namespace layout = zarnik::layout;
using zarnik::win32::Widen;
int failures = 0;

void Check(bool ok, const char* what, int button = -1) {
    if (!ok) std::printf(button < 0 ? "FAIL: %s\n" : "FAIL: %s (button %d)\n", what, button), ++failures;
}

struct Accessible {
    explicit Accessible(HWND hwnd) {
        AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
    }
    ~Accessible() {
        if (object) object->Release();
    }
    std::wstring Name() const {
        BSTR name = nullptr;
        if (!object || object->get_accName(self, &name) != S_OK || !name) return {};
        const std::wstring result(name, SysStringLen(name));
        SysFreeString(name);
        return result;
    }
    IAccessible* object = nullptr;
    VARIANT self = [] {
        VARIANT v{};
        V_VT(&v) = VT_I4, V_I4(&v) = CHILDID_SELF;
        return v;
    }();
};

std::vector<HWND> changed;  // windows that announced a state change, in order
void CALLBACK OnStateChange(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) changed.push_back(hwnd);
}

template <typename Done>
bool PumpUntil(DWORD ms, Done done) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(20)) {
        for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
        if (done()) return true;
    }
    return false;
}

void Key(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD, input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return std::printf("usage: AccProbe.exe ZARNIK_EXE CELL BOARD\n"), 2;
    const int cell = _wtoi(argv[2]);
    const std::string board(argv[3], argv[3] + wcslen(argv[3]));
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SetProcessDPIAware();  // or Wine 10, as Windows, scales the game's pixels to 96 DPI for the probe

    STARTUPINFOW startup{};
    startup.cb = sizeof startup, startup.dwFlags = STARTF_USESHOWWINDOW, startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return std::printf("FAIL: cannot start %ls\n", argv[1]), 1;
    const auto caption = Widen(layout::kCaption);
    HWND window = nullptr;
    PumpUntil(20000, [&] { return (window = FindWindowW(nullptr, caption.c_str())) && IsWindowVisible(window); });
    if (!window) return std::printf("FAIL: no window titled %ls\n", caption.c_str()), 1;

    constexpr int kButtons = layout::kCommand2TabIndex + 1;
    const auto isCell = [](int k) { return k < zarnik::kCells; };
    const auto index = [](int k) { return static_cast<zarnik::CellIndex>(k); };
    HWND buttons[kButtons]{};
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        for (int k = 0; k < kButtons; ++k) {
            const auto name = Widen(isCell(k) ? layout::CellName(index(k)) : zarnik::Text<24>(layout::kCommand2Name));
            if (Accessible(child).Name() == name.view()) buttons[k] = child;
        }
    for (int k = 0; k < kButtons; ++k) Check(buttons[k], "no button of this name", k);
    if (failures) return 1;

    // Every button where the layout puts it at `dpi`, and with `client`, the client area too.
    auto laidOut = [&](int dpi, bool client) {
        RECT area{};
        GetClientRect(window, &area);
        const auto size = layout::ToPixels(layout::kClient, dpi);
        bool ok = !client || (area.right == size.width && area.bottom == size.height);
        for (int k = 0; k < kButtons; ++k) {
            RECT r{};
            GetWindowRect(buttons[k], &r);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
            const auto want = layout::ToPixels(isCell(k) ? layout::Command1(index(k)) : layout::kCommand2, dpi);
            const RECT expected{want.left, want.top, want.left + want.width, want.top + want.height};
            ok = ok && EqualRect(&expected, &r);
        }
        return ok;
    };
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    Check(!IsZoomed(window) && laidOut(dpi, true), "started maximised, the fixed window did not open as itself");

    // After `act`, the cells turned on `board` each announce their flip once
    // (the pressed one may announce its push and release too, as Wine 10's do).
    auto expectFlips = [&](const char* what, int pressed, auto act) {
        changed.clear();
        act();
        int count[zarnik::kCells]{};
        const auto counted = [&] {
            std::ranges::fill(count, 0);
            for (HWND hwnd : changed)
                if (const auto it = std::ranges::find(buttons, buttons + zarnik::kCells, hwnd); isCell(it - buttons))
                    ++count[it - buttons];
            return static_cast<std::size_t>(std::ranges::count_if(count, [](int n) { return n > 0; }));
        };
        PumpUntil(2000, [&] { return counted() >= static_cast<std::size_t>(std::ranges::count(board, 'x')); });
        PumpUntil(300, [] { return false; });
        counted();
        std::string seen;
        bool once = true;
        for (int k = 0; k < zarnik::kCells; ++k) {
            seen += count[k] ? 'x' : 'o';
            once = once && (k == pressed || count[k] <= 1);
        }
        Check(seen == board && once, what);
    };
    // Through oleacc where it can (Wine's cannot), else a click.
    auto press = [&](int k) {
        const Accessible accessible(buttons[k]);
        if (!accessible.object || FAILED(accessible.object->accDoDefaultAction(accessible.self)))
            SendMessageW(buttons[k], BM_CLICK, 0, 0);
    };
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr,
                                               OnStateChange, process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    expectFlips("a press did not flip the reference's cells", cell, [&] { press(cell); });

    // A held Enter presses once: four key-downs, one key-up.
    SetForegroundWindow(window);
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    const auto focused = [&] {
        return GetGUIThreadInfo(process.dwThreadId, &focus) && focus.hwndFocus == buttons[cell];
    };
    Check(PumpUntil(2000, focused), "not focused by the press", cell);
    expectFlips("a held Enter did not press exactly once", cell, [] {
        for (int i = 0; i < 4; ++i) Key(VK_RETURN, true);
        Key(VK_RETURN, false);
    });
    expectFlips("a second press did not flip the same cells", cell, [&] { press(cell); });
    expectFlips("the new-game button did not undo the press", -1, [&] { press(layout::kCommand2TabIndex); });
    UnhookWinEvent(hook);

    // A screen of half as many dots again, which Wine never reports by itself;
    // the suggested rectangle goes in the game's memory, as Windows passes it.
    const int dense = dpi * 3 / 2;
    RECT suggested{};
    GetWindowRect(window, &suggested);
    void* remote = VirtualAllocEx(process.hProcess, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    const bool passed = remote && WriteProcessMemory(process.hProcess, remote, &suggested, sizeof suggested, nullptr);
    Check(passed, "cannot pass the rectangle");
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dense, dense), reinterpret_cast<LPARAM>(remote));
    Check(laidOut(dense, false), "the buttons are not where the layout puts them at the new DPI");

    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    const bool exited = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    Check(exited && GetExitCodeProcess(process.hProcess, &code) && code == 0, "Zarnik did not close with exit code 0");
    if (!failures) std::printf("ok: names, layout, flips, held Enter, new game, a change of DPI\n");
    return failures ? 1 : 0;
}
