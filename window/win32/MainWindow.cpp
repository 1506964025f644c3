#include "MainWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "Dpi.h"
#include "Pictures.h"
#include "Win32Error.h"

namespace zarnik::win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZarnikForm1";
// A fixed frame: no sizing border and no maximise box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

// Control ids stay clear of IDOK and IDCANCEL, which IsDialogMessageW sends
// for Enter and Escape when nothing else claims them.
constexpr int kFirstCellId = 100;  // Command1(k) is kFirstCellId + k
constexpr int kCommand2Id = 200;
constexpr int kLabel1Id = 201;
constexpr int kPicture1Id = 202;
constexpr int kPicture2Id = 203;

bool IsCellId(int id) { return id >= kFirstCellId && id < kFirstCellId + kCells; }

// A held key repeats its key-down (the previous key state is set in lParam).
constexpr LPARAM kKeyWasDown = 1 << 30;

// A key still held from the move that cleared the board repeats into the
// message box, whose dialog manager would close it at the first repeat of
// Enter; the box waits for a fresh press instead. A message box passes each
// message of its modal loop to this hook first (MSGF_DIALOGBOX), and one the
// hook claims goes no further.
LRESULT CALLBACK DropRepeatedKeys(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX) {
        const MSG& message = *reinterpret_cast<const MSG*>(lParam);
        if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && (message.lParam & kKeyWasDown))
            return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance)
    : instance_(instance),
      backdrop_(instance, pictures::BackdropImage),
      resetFace_(instance, pictures::ResetFaceImage),
      tileStart_(instance, pictures::TileStart),
      tileTurned_(instance, pictures::TileTurned),
      startDescription_(Widen(layout::kStartDescription)),
      turnedDescription_(Widen(layout::kTurnedDescription)) {}

MainWindow::~MainWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void MainWindow::Create() {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    Checked(InitCommonControlsEx(&controls), L"InitCommonControlsEx");
    RegisterWindowClass();
    // Placed and sized in Show, once the window's DPI is known.
    Checked(CreateWindowExW(kExStyle, kClassName, Widen(layout::kCaption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            0, 0, nullptr, nullptr, instance_, this),
            L"CreateWindowExW(Form1)");
}

MainWindow::Connection MainWindow::ConnectEvents(FormEvents& events) {
    events_ = &events;
    return Connection(*this);
}

void MainWindow::Show(int showCommand) {
    const SIZE size = WindowSize();
    const HMONITOR monitor = MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    Checked(GetMonitorInfoW(monitor, &info), L"GetMonitorInfoW");
    const RECT& work = info.rcWork;
    // On a work area smaller than the window, keep the title bar reachable.
    const int x = std::max(work.left, work.left + (work.right - work.left - size.cx) / 2);
    const int y = std::max(work.top, work.top + (work.bottom - work.top - size.cy) / 2);
    Checked(SetWindowPos(hwnd_, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE),
            L"SetWindowPos(Form1)");
    // As a shortcut or launcher asks, minimised included; but a fixed window
    // has no maximised form and opens as itself. Windows applies the
    // launcher's show state to a program's first window whatever the program
    // asks for, so the maximised start is undone after the fact.
    ShowWindow(hwnd_, showCommand);  // returns the previous visibility, not an error
    if (IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    Checked(UpdateWindow(hwnd_), L"UpdateWindow");
}

int MainWindow::RunMessageLoop() {
    MSG message{};
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0) return static_cast<int>(message.wParam);
        if (result == -1) FatalLastError(L"GetMessageW");
        if (message.message == WM_KEYDOWN && hwnd_ && IsChild(hwnd_, message.hwnd)) {
            // The dialog manager would click for each repeat of a held
            // Enter; Space clicks once, on its key-up.
            if (message.wParam == VK_RETURN && (message.lParam & kKeyWasDown)) continue;
            if (OnArrowKey(message.hwnd, message.wParam)) continue;
        }
        // Tab order, Space and Enter on the buttons, as in a dialog box.
        if (hwnd_ && IsDialogMessageW(hwnd_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MainWindow::SetCellFaceColour(CellIndex cell, Colour colour) {
    Cell(cell).SetFaceColour(RequireColour(*this, colour));  // COLORREF is 0x00BBGGRR too
}

void MainWindow::SetCellPicture(CellIndex cell, const Picture& picture) {
    PictureButton& button = Cell(cell);
    // Every picture handed out by HolderPicture is one of ours.
    button.SetPicture(static_cast<const Win32Picture&>(picture));
    // A cell showing the turned tile reads as pressed to a screen reader.
    const bool turned = &picture == &tileTurned_;
    annotations_.Set(button.hwnd(), turned, (turned ? turnedDescription_ : startDescription_).c_str());
}

void MainWindow::SetLabelCaption(std::string_view text) {
    Checked(SetWindowTextW(label1_, Widen(text).c_str()), L"SetWindowTextW(Label1)");
}

void MainWindow::Announce(std::string_view phrase) { announcer_.Say(hwnd_, Widen(phrase)); }

const Picture& MainWindow::HolderPicture(Holder holder) {
    switch (holder) {
    case Holder::Picture1: return tileStart_;
    case Holder::Picture2: return tileTurned_;
    }
    Fatal("unknown picture holder");
}

void MainWindow::ShowMessage(std::string_view prompt, std::string_view title) {
    // For the box's life only: the main window's own loop meets repeats itself.
    const HHOOK hook =
        Checked(SetWindowsHookExW(WH_MSGFILTER, DropRepeatedKeys, nullptr, GetCurrentThreadId()), L"SetWindowsHookExW");
    if (MessageBoxW(hwnd_, Widen(prompt).c_str(), Widen(title).c_str(), MB_OK) == 0) FatalLastError(L"MessageBoxW");
    UnhookWindowsHookEx(hook);  // fails only for a hook that is gone already
}

void MainWindow::Fatal(std::string_view what) { FatalError(Widen(what)); }

PictureButton& MainWindow::Cell(CellIndex cell) { return cells_[static_cast<std::size_t>(RequireCell(*this, cell))]; }

HWND MainWindow::TabStop(int index) const {
    if (index == layout::kCommand2TabIndex) return command2_.hwnd();
    return cells_[static_cast<std::size_t>(index)].hwnd();
}

void MainWindow::RegisterWindowClass() {
    auto icon = [this](int width, int height) {
        return static_cast<HICON>(
            Checked(LoadImageW(instance_, MAKEINTRESOURCEW(pictures::kFiles[pictures::AppIcon].resource), IMAGE_ICON,
                               width, height, LR_SHARED),
                    L"LoadImageW(icon)"));
    };
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = icon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    windowClass.hIconSm = icon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    windowClass.hCursor = Checked(LoadCursorW(nullptr, IDC_ARROW), L"LoadCursorW");
    windowClass.lpszClassName = kClassName;  // no background brush: the backdrop covers it all
    Checked(RegisterClassExW(&windowClass), L"RegisterClassExW");
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers the whole client area
    case WM_PAINT: OnPaint(); return 0;
    case WM_ACTIVATE: OnActivate(wParam); break;  // DefWindowProc then focuses the window
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case DM_GETDEFID: return OnGetDefId();
    case WM_GETOBJECT: annotations_.Start(); break;  // then the standard object
    case WM_DPICHANGED: OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::OnCreate() {
    dpi_ = Dpi::ForWindow(hwnd_);
    // Each control is created in its place: under Wine every later move is
    // a server round trip, which shows in the start-up time. Creation order
    // is tab order: the cells by index, then the new-game button.
    for (std::size_t k = 0; k < cells_.size(); ++k) {
        const auto cell = static_cast<CellIndex>(k);
        cells_[k].Create(hwnd_, kFirstCellId + cell, instance_, Widen(layout::CellName(cell)).c_str(),
                         Pixels(layout::Command1(cell)));
    }
    command2_.Create(hwnd_, kCommand2Id, instance_, Widen(layout::kCommand2Name).c_str(), Pixels(layout::kCommand2));
    command2_.SetPicture(resetFace_);
    label1_ = CreateStatic(kLabel1Id, Widen(layout::kLabel1Caption).c_str(), SS_LEFT, layout::kLabel1);
    // SS_CENTERIMAGE keeps the holders at their layout size when they take
    // their bitmaps.
    picture1_ = CreateStatic(kPicture1Id, L"", SS_BITMAP | SS_CENTERIMAGE, layout::kPicture1);
    picture2_ = CreateStatic(kPicture2Id, L"", SS_BITMAP | SS_CENTERIMAGE, layout::kPicture2);
    SendMessageW(picture1_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(tileStart_.handle()));
    SendMessageW(picture2_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(tileTurned_.handle()));
    CreateFonts();
    lastFocus_ = cells_[0].hwnd();
}

HWND MainWindow::CreateStatic(int id, const wchar_t* text, DWORD style, const layout::TwipRect& twips) {
    const RECT bounds = Pixels(twips);
    // Never shown: no WS_VISIBLE, no tab stop.
    return Checked(CreateWindowExW(0, WC_STATICW, text, WS_CHILD | style, bounds.left, bounds.top,
                                   bounds.right - bounds.left, bounds.bottom - bounds.top, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr),
                   L"CreateWindowExW(static)");
}

void MainWindow::OnCommand(int id, int code) {
    if (code != BN_CLICKED || !events_) return;
    if (IsCellId(id))
        events_->Command1_Click(static_cast<CellIndex>(id - kFirstCellId));
    else if (id == kCommand2Id)
        events_->Command2_Click();
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    if (IsCellId(id))
        cells_[static_cast<std::size_t>(id - kFirstCellId)].Draw(item, dpi_);
    else if (id == kCommand2Id)
        command2_.Draw(item, dpi_);
}

void MainWindow::OnPaint() {
    PAINTSTRUCT paint;
    const HDC dc = Checked(BeginPaint(hwnd_, &paint), L"BeginPaint");
    // From the top-left corner at its own size; it is larger than the client
    // area, so the right and bottom edges are simply cut off.
    backdrop_.Draw(dc, 0, 0, dpi_);
    EndPaint(hwnd_, &paint);
}

void MainWindow::OnActivate(WPARAM state) {
    if (LOWORD(state) != WA_INACTIVE) return;
    const HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
}

void MainWindow::OnSetFocus() {
    if (lastFocus_) SetFocus(lastFocus_);
}

LRESULT MainWindow::OnGetDefId() {
    // Owner-drawn buttons are never the dialog default, so IsDialogMessageW
    // asks here where Enter goes: to the focused button, as Space does.
    const HWND focus = GetFocus();
    if (!focus || GetParent(focus) != hwnd_) return 0;
    const int id = GetDlgCtrlID(focus);
    if (!IsCellId(id) && id != kCommand2Id) return 0;
    return MAKELRESULT(id, DC_HASDEFID);
}

bool MainWindow::OnArrowKey(HWND control, WPARAM key) {
    using layout::Arrow;
    Arrow arrow;
    switch (key) {
    case VK_LEFT: arrow = Arrow::Left; break;
    case VK_RIGHT: arrow = Arrow::Right; break;
    case VK_UP: arrow = Arrow::Up; break;
    case VK_DOWN: arrow = Arrow::Down; break;
    default: return false;
    }
    for (int from = 0; from <= layout::kCommand2TabIndex; ++from) {
        if (TabStop(from) != control) continue;
        SetFocus(TabStop(layout::ArrowTarget(from, arrow)));
        return true;
    }
    return false;
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    CreateFonts();
    // Windows' suggested position, but our own size: the client area must be
    // exactly the layout's at the new DPI.
    const SIZE size = WindowSize();
    Checked(
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE),
        L"SetWindowPos(Form1)");
    PlaceControls();
    Checked(RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN), L"RedrawWindow");
}

void MainWindow::CreateFonts() {
    auto create = [this](const layout::FontSpec& spec) {
        return Font(Checked(CreateFontW(-MulDiv(spec.points, static_cast<int>(dpi_), 72), 0, 0, 0, FW_NORMAL, FALSE,
                                        FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Widen(spec.face).c_str()),
                            L"CreateFontW"));
    };
    Font cellFont = create(layout::kCellFont);
    Font labelFont = create(layout::kLabelFont);
    // Hand the controls the new fonts before the old ones are deleted.
    for (const PictureButton& cell : cells_)
        SendMessageW(cell.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(cellFont.get()), FALSE);
    SendMessageW(label1_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont.get()), FALSE);
    cellFont_ = std::move(cellFont);
    labelFont_ = std::move(labelFont);
}

void MainWindow::PlaceControls() {
    for (std::size_t k = 0; k < cells_.size(); ++k)
        cells_[k].MoveTo(Pixels(layout::Command1(static_cast<CellIndex>(k))));
    command2_.MoveTo(Pixels(layout::kCommand2));
    const std::pair<HWND, layout::TwipRect> hidden[] = {
        {label1_, layout::kLabel1}, {picture1_, layout::kPicture1}, {picture2_, layout::kPicture2}};
    for (const auto& [control, twips] : hidden) {
        const RECT bounds = Pixels(twips);
        Checked(SetWindowPos(control, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                             bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE),
                L"SetWindowPos(static)");
    }
}

RECT MainWindow::Pixels(const layout::TwipRect& twips) const {
    const layout::PixelRect r = layout::ToPixels(twips, static_cast<int>(dpi_));
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

SIZE MainWindow::WindowSize() const {
    const layout::PixelSize client = layout::ToPixels(layout::kClient, static_cast<int>(dpi_));
    return Dpi::WindowSizeForClient({client.width, client.height}, kStyle, kExStyle, dpi_);
}

}  // namespace zarnik::win32
