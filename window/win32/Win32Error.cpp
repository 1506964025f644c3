#include "Win32Error.h"

#include "AppInfo.h"
#include "Toolkit.h"

namespace zarnik::win32 {

void FatalError(std::wstring_view message) {
    // No owner: the main window may be the thing that failed, and an owned
    // box would vanish with it. MB_TASKMODAL still blocks its input.
    MessageBoxW(nullptr, WideText(message).c_str(), L"" ZARNIK_TITLE, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(kFatalExitCode));
}

void FatalLastError(std::wstring_view call) {
    const DWORD code = GetLastError();
    WideText text(call);
    text << L" failed: ";
    wchar_t system[128];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, system,
                                  static_cast<DWORD>(std::size(system)), nullptr);
    while (length > 0 && (system[length - 1] == L'\n' || system[length - 1] == L'\r' || system[length - 1] == L' '))
        --length;
    // GDI calls such as CreateFontW fail without setting an error code.
    if (length == 0) text << L"error " << code;
    FatalError(text << std::wstring_view(system, length));
}

WideText Widen(std::string_view utf8) {
    wchar_t wide[256];
    const int length = utf8.empty() ? 0
                                    : MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                                          static_cast<int>(utf8.size()), wide, 255);
    if (length <= 0 && !utf8.empty()) FatalLastError(L"MultiByteToWideChar");
    return WideText(std::wstring_view(wide, static_cast<std::size_t>(length)));
}

}  // namespace zarnik::win32
