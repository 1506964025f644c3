// Form1 as a Win32 window: the 5 x 5 cell buttons, the new-game button, the
// hidden counter label and the two hidden picture holders over the
// backdrop. It carries out the toolkit operations and hands the window's
// clicks to the event handlers; it knows nothing of the game's rules.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <type_traits>

#include "Annotations.h"
#include "Announcer.h"
#include "Layout.h"
#include "PictureButton.h"
#include "Toolkit.h"
#include "Win32Error.h"
#include "Win32Picture.h"

namespace zarnik::win32 {

class MainWindow final : public Toolkit {
public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls, still hidden.
    void Create();

    // Clicks go to `events` while the returned object lives; declared after
    // `events`, it goes first, so no click reaches a handler that is gone.
    class Connection {
    public:
        explicit Connection(MainWindow& window) : window_(window) {}
        ~Connection() { window_.events_ = nullptr; }
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;

    private:
        MainWindow& window_;
    };
    [[nodiscard]] Connection ConnectEvents(FormEvents& events);

    // Centres the window on the work area of its monitor and shows it, with
    // the focus on the first cell.
    void Show(int showCommand);

    // Runs until the window is closed; returns the process exit code.
    int RunMessageLoop();

    void SetCellFaceColour(CellIndex cell, Colour colour) override;
    void SetCellPicture(CellIndex cell, const Picture& picture) override;
    void SetLabelCaption(std::string_view text) override;
    void Announce(std::string_view phrase) override;
    const Picture& HolderPicture(Holder holder) override;
    void ShowMessage(std::string_view prompt, std::string_view title) override;
    [[noreturn]] void Fatal(std::string_view what) override;

private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnCreate();
    void OnCommand(int id, int code);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnPaint();
    void OnActivate(WPARAM state);
    void OnSetFocus();
    LRESULT OnGetDefId();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    bool OnArrowKey(HWND control, WPARAM key);

    void RegisterWindowClass();
    HWND CreateStatic(int id, const wchar_t* text, DWORD style, const layout::TwipRect& twips);
    void CreateFonts();
    void PlaceControls();
    RECT Pixels(const layout::TwipRect& twips) const;
    SIZE WindowSize() const;
    PictureButton& Cell(CellIndex cell);
    HWND TabStop(int index) const;  // in the layout's tab numbering

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    FormEvents* events_ = nullptr;
    UINT dpi_ = 96;

    Win32Picture backdrop_;
    Win32Picture resetFace_;
    Win32Picture tileStart_;   // held by Picture1
    Win32Picture tileTurned_;  // held by Picture2

    std::array<PictureButton, kCells> cells_;
    PictureButton command2_;
    HWND label1_ = nullptr;
    HWND picture1_ = nullptr;
    HWND picture2_ = nullptr;
    HWND lastFocus_ = nullptr;  // restored when the window is activated again

    Font cellFont_;
    Font labelFont_;

    Annotations annotations_;
    Announcer announcer_;
    const WideText startDescription_;
    const WideText turnedDescription_;
};

}  // namespace zarnik::win32
