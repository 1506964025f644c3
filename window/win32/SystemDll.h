// Exports of system DLLs looked up at run time: those newer than Windows 7,
// and those not worth loading before the window shows.
#pragma once

#include <windows.h>

namespace zarnik::win32 {

// `name` from `dll`, or null where either is missing.
template <typename Fn>
Fn DllFunction(HMODULE dll, const char* name) {
    if (!dll) return nullptr;
    // Through void(*)() so that GCC accepts the change of function type.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(dll, name)));
}

}  // namespace zarnik::win32
