// Starts Zarnik.exe as a shortcut set to "maximised" would, then plays it as
// a keyboard and screen-reader user does: finds its buttons by their names
// through oleacc, presses through oleacc (or clicks where oleacc cannot),
// follows the flips through the state-change events, and holds Enter down.
// (The keyboard and the board on the screen are tests/window/play.sh's part.)
//   AccProbe.exe ZARNIK_EXE CELL BOARD
// BOARD is the reference board after pressing CELL in a new game (25 letters,
// x for turned). Prints each fault and exits 1, or exits 0.
#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Layout.h"

namespace {

namespace layout = zarnik::layout;
constexpr int kButtons = layout::kCommand2TabIndex + 1;
int failures = 0;

// `button` in tab numbering: the cells 0 to 24, then the new-game button.
bool Check(bool ok, const char* what, int button = -1) {
    if (!ok) std::printf(button < 0 ? "FAIL: %s\n" : "FAIL: %s (button %d)\n", what, button), ++failures;
    return ok;
}

std::wstring Widen(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const int size = static_cast<int>(utf8.size());
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size)));
    return wide;
}
std::wstring ButtonName(int button) {
    if (button == layout::kCommand2TabIndex) return Widen(layout::kCommand2Name);
    return Widen(layout::CellName(static_cast<zarnik::CellIndex>(button)));
}

const VARIANT kSelf = [] {
    VARIANT v{};
    V_VT(&v) = VT_I4, V_I4(&v) = CHILDID_SELF;
    return v;
}();

// The standard accessible object of a window, as a screen reader gets it.
struct Accessible {
    explicit Accessible(HWND hwnd) {
        AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
    }
    ~Accessible() {
        if (object) object->Release();
    }
    std::wstring Name() const {
        BSTR name = nullptr;
        if (!object || object->get_accName(kSelf, &name) != S_OK || !name) return {};
        std::wstring result(name, SysStringLen(name));
        SysFreeString(name);
        return result;
    }
    LONG State() const {
        VARIANT state{};
        if (!object || object->get_accState(kSelf, &state) != S_OK || V_VT(&state) != VT_I4) return -1;
        return V_I4(&state);
    }
    IAccessible* object = nullptr;
};

std::vector<HWND> changed;  // windows that announced a state change, in order
void CALLBACK OnStateChange(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) changed.push_back(hwnd);
}

// Runs this thread's messages for up to `ms` milliseconds, until `done`.
template <typename Done>
bool PumpUntil(DWORD ms, Done done) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(20)) {
        for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
        if (done()) return true;
    }
    return false;
}

// Whether oleacc here keeps annotations at all (Wine 8's returns E_NOTIMPL).
bool AnnotationsWork() {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services))))
        return false;
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    // Any VT_I4 serves as a state here.
    const bool works = SUCCEEDED(services->SetHwndProp(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_STATE, kSelf));
    DestroyWindow(window);
    services->Release();
    return works;
}

void Key(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

struct Game {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    HWND buttons[kButtons]{};  // found by name

    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(process.dwThreadId, &info) ? info.hwndFocus : nullptr;
    }
    // Presses through oleacc where it can (Wine's cannot), else clicks.
    void Press(int button) const {
        const Accessible accessible(buttons[button]);
        if (!accessible.object || FAILED(accessible.object->accDoDefaultAction(kSelf)))
            SendMessageW(buttons[button], BM_CLICK, 0, 0);
    }
    // After `act`, the cells turned on `board` must each announce one flip.
    template <typename Act>
    void ExpectFlips(const char* what, const std::string& board, Act act) const {
        changed.clear();
        act();
        const auto flips = static_cast<std::size_t>(std::ranges::count(board, 'x'));
        PumpUntil(2000, [&] { return changed.size() >= flips; });
        PumpUntil(300, [] { return false; });  // and then no more
        std::string seen(25, 'o');
        for (HWND hwnd : changed) {
            const auto it = std::ranges::find(buttons, buttons + 25, hwnd);
            if (it != buttons + 25) seen[static_cast<std::size_t>(it - buttons)] = 'x';
        }
        Check(seen == board && changed.size() == flips, what);
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return std::printf("usage: AccProbe.exe ZARNIK_EXE CELL BOARD\n"), 2;
    const int cell = _wtoi(argv[2]);
    std::string board;
    for (const wchar_t* c = argv[3]; *c; ++c) board += static_cast<char>(*c);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    Game game;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &game.process))
        return std::printf("FAIL: cannot start %ls\n", argv[1]), 1;
    const std::wstring caption = Widen(layout::kCaption);
    PumpUntil(20000, [&] {
        game.window = FindWindowW(nullptr, caption.c_str());
        return game.window && IsWindowVisible(game.window);
    });
    if (!game.window) return std::printf("FAIL: no window titled %ls\n", caption.c_str()), 1;

    // Started maximised, the fixed window still opens as itself.
    RECT client{};
    GetClientRect(game.window, &client);
    const HDC screen = GetDC(nullptr);
    const auto size = layout::ToPixels(layout::kClient, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    Check(!IsZoomed(game.window) && client.right == size.width && client.bottom == size.height,
          "a maximised start changed the window");

    for (HWND child = GetWindow(game.window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring name = Accessible(child).Name();
        for (int k = 0; k < kButtons; ++k)
            if (name == ButtonName(k)) game.buttons[k] = child;
    }
    bool named = true;
    for (int k = 0; k < kButtons; ++k) named &= Check(game.buttons[k] != nullptr, "no button of this name", k);
    if (!named) return 1;

    const bool annotated = AnnotationsWork();
    if (!annotated) std::printf("note: this oleacc keeps no annotations; pressed states are not read back\n");
    auto expectStates = [&](bool turned) {
        for (int k = 0; k < 25; ++k) {
            const LONG state = Accessible(game.buttons[k]).State();
            Check(state != -1 && (state & STATE_SYSTEM_FOCUSABLE), "not a focusable button", k);
            if (annotated)
                Check(((state & STATE_SYSTEM_PRESSED) != 0) == (turned && board[k] == 'x'), "wrong pressed state", k);
        }
    };
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr,
                                               OnStateChange, game.process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    expectStates(false);
    game.ExpectFlips("a press did not flip the reference's cells", board, [&] { game.Press(cell); });
    Check(Accessible(game.buttons[cell]).Name() == ButtonName(cell), "the name changed with the press", cell);
    expectStates(true);

    // A held Enter presses once: four key-downs, one key-up.
    SetForegroundWindow(game.window);
    Check(PumpUntil(2000, [&] { return game.Focus() == game.buttons[cell]; }), "not focused by the press", cell);
    game.ExpectFlips("a held Enter did not press exactly once", board, [] {
        for (int i = 0; i < 4; ++i) Key(VK_RETURN, true);
        Key(VK_RETURN, false);
    });
    expectStates(false);

    game.ExpectFlips("a second press did not flip the same cells", board, [&] { game.Press(cell); });
    game.ExpectFlips("the new-game button did not undo the press", board,
                     [&] { game.Press(layout::kCommand2TabIndex); });

    UnhookWinEvent(hook);
    PostMessageW(game.window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    Check(WaitForSingleObject(game.process.hProcess, 10000) == WAIT_OBJECT_0 &&
              GetExitCodeProcess(game.process.hProcess, &code) && code == 0,
          "Zarnik did not close with exit code 0");
    if (!failures)
        std::printf("ok: names, flips, %s, held Enter, new game\n",
                    annotated ? "pressed states" : "no pressed states (not kept here)");
    return failures ? 1 : 0;
}
