#include "Win32Error.h"

#include "AppInfo.h"

namespace zarnik::win32 {

void FatalError(std::wstring_view message) {
    const std::wstring text(message);
    // No owner: the main window may be the thing that failed, and an owned
    // box would vanish with it. MB_TASKMODAL still blocks its input.
    MessageBoxW(nullptr, text.c_str(), L"" ZARNIK_TITLE, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(kFatalExitCode);
}

void FatalLastError(std::wstring_view call) {
    const DWORD code = GetLastError();
    std::wstring text(call);
    text += L" failed: ";
    wchar_t* system = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&system), 0, nullptr);
    if (length != 0) {
        std::wstring_view view(system, length);
        while (!view.empty() && (view.back() == L'\n' || view.back() == L'\r' || view.back() == L' '))
            view.remove_suffix(1);
        text += view;
        LocalFree(system);
    } else {
        // GDI calls such as CreateFontW fail without setting an error code.
        text += L"error " + Widen(std::to_string(code));
    }
    FatalError(text);
}

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0) FatalLastError(L"MultiByteToWideChar");
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length) !=
        length)
        FatalLastError(L"MultiByteToWideChar");
    return wide;
}

}  // namespace zarnik::win32
