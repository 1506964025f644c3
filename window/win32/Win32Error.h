// Fatal errors of the Windows program. A failed platform call is never
// retried or worked around: it is reported in a message box and the process
// ends with kFatalExitCode.
#pragma once

#include <windows.h>

#include <string_view>

#include "Text.h"

namespace zarnik::win32 {

// UTF-16 text for the W calls, null-terminated (see Text.h for why it is
// not a std::wstring).
using WideText = BasicText<wchar_t, 255>;

// Shows `message` in an error box and ends the process.
[[noreturn]] void FatalError(std::wstring_view message);

// Reports "<call> failed: <the system's text for GetLastError()>".
[[noreturn]] void FatalLastError(std::wstring_view call);

// Passes `result` through; a null handle, FALSE or zero is fatal, naming `call`.
template <typename T>
T Checked(T result, std::wstring_view call) {
    if (!result) FatalLastError(call);
    return result;
}

// UTF-8 (the toolkit interface's encoding) to UTF-16; invalid input, or
// more than a WideText holds, is fatal.
WideText Widen(std::string_view utf8);

}  // namespace zarnik::win32
