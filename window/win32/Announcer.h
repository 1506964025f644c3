// Says a short phrase to screen readers without moving the focus: UI
// Automation's notification event, which Windows has from Windows 10 1709
// on and Narrator and NVDA speak. Looked up at run time, so the program
// still starts on older systems, where the phrase goes unsaid; and only
// raised while some client listens.
#pragma once

#include <windows.h>

#include <string_view>

namespace zarnik::win32 {

class Announcer {
public:
    // Announces on behalf of `window`.
    void Say(HWND window, std::wstring_view phrase) const;
};

}  // namespace zarnik::win32
