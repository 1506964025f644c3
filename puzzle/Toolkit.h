// The operations the program asks of a window toolkit, and the events a
// front end delivers back. Nothing here names a toolkit type: each front end
// implements Toolkit once, and the puzzle and the event handlers are written
// against it alone.
#pragma once

#include <cstdint>
#include <string_view>

namespace zarnik {

// 0x00BBGGRR, as the window toolkit of the original platform takes it.
using Colour = std::uint32_t;
inline constexpr Colour kWhite = 0x00FFFFFF;
inline constexpr Colour kRed = 0x000000FF;

// The same colour as 0x00RRGGBB, as Qt and CSS take it.
constexpr std::uint32_t ToRgb(Colour colour) {
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

// The grid, and the index of a cell button on it: 0 to kCells - 1,
// row-major, index = kColumns x row + column, row 0 at the top.
using CellIndex = std::int16_t;
inline constexpr CellIndex kColumns = 5;
inline constexpr CellIndex kRows = 5;
inline constexpr CellIndex kCells = kColumns * kRows;

// The program's exit code when it ends on a fatal error (Toolkit::Fatal, or
// no display to start on), the same on every platform.
inline constexpr int kFatalExitCode = 1;

// A picture owned by a holder for the life of the window. Callers only pass
// references around; a front end knows its own concrete pictures and may
// downcast. Never copied, never deleted through this type by a caller.
class Picture {
public:
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

protected:
    Picture() = default;
    ~Picture() = default;
};

// The two hidden picture holders of the window.
enum class Holder : std::uint8_t { Picture1, Picture2 };

class Toolkit {
public:
    virtual ~Toolkit() = default;

    // Paints the face of cell button `cell` around its picture in `colour`.
    // Precondition: RequireCell. Repaints at the toolkit's convenience.
    virtual void SetCellFaceColour(CellIndex cell, Colour colour) = 0;

    // Makes cell button `cell` show `picture` centred on its face. The button
    // keeps a reference only: `picture` must come from HolderPicture, whose
    // holder outlives every button. Precondition: RequireCell.
    virtual void SetCellPicture(CellIndex cell, const Picture& picture) = 0;

    // Sets the caption of the hidden counter label. `text` is UTF-8 and is
    // copied; the label is never shown.
    virtual void SetLabelCaption(std::string_view text) = 0;

    // Says `phrase` (UTF-8, one line, copied) to screen readers, the focus
    // staying where it is; the event handlers call it once a click's refresh
    // pass is over, before any message. Where no screen reader listens, or
    // the platform has no way to speak up, nothing is said.
    virtual void Announce(std::string_view phrase) = 0;

    // The picture held by `holder`: the same object on every call, alive as
    // long as the window.
    virtual const Picture& HolderPicture(Holder holder) = 0;

    // Shows a modal message box with `prompt`, `title` (both UTF-8), one OK
    // button and no icon; the main window takes no input until the player
    // presses OK or closes the box. Returns then, or at once where the
    // platform cannot wait (a browser page): callers do nothing after it
    // that should follow the player's answer.
    virtual void ShowMessage(std::string_view prompt, std::string_view title) = 0;

    // Reports `what` (UTF-8, one line) as a fatal error of the program and
    // ends it with a non-zero exit code. Called for a failed platform
    // operation or a failed range or overflow check; never returns.
    [[noreturn]] virtual void Fatal(std::string_view what) = 0;
};

// The checks every toolkit makes of what it is asked to show: each returns
// what it was given, or reports the fault through `toolkit.Fatal`.
CellIndex RequireCell(Toolkit& toolkit, CellIndex cell);  // 0 to kCells - 1
Colour RequireColour(Toolkit& toolkit, Colour colour);    // no bits above 0x00FFFFFF

// The window's three events, as a front end delivers them: once the window
// and its controls exist, Form_Load before the window is first shown, then
// clicks one at a time on the user-interface thread. A click comes from the
// mouse or from Space/Enter on the focused button.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void Form_Load() = 0;
    virtual void Command1_Click(CellIndex Index) = 0;
    virtual void Command2_Click() = 0;
};

}  // namespace zarnik
