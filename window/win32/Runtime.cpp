// The C++ runtime's failure paths, for a program built without exceptions
// (see the toolchain file). libstdc++'s own operator new and its __throw_*
// helpers throw, and linking either brings back the unwinder, the terminate
// handler and its demangler; no library offers the non-throwing kind, so
// these few lines report the failure as every other fatal error is reported.
// Should the library start calling a helper missing here, its own file is
// linked in and the duplicate definitions stop the link.
#include <cstdlib>
#include <new>
#include <string>

#include "Win32Error.h"

using zarnik::win32::FatalError;
using zarnik::win32::Widen;

void* operator new(std::size_t size) {
    if (void* block = std::malloc(size ? size : 1)) return block;
    FatalError(L"Out of memory.");
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace std {
void __throw_length_error(const char* what) { FatalError(Widen(what)); }
void __throw_logic_error(const char* what) { FatalError(Widen(what)); }
void __throw_bad_alloc() { FatalError(L"Out of memory."); }
void __throw_bad_array_new_length() { FatalError(L"Out of memory."); }
}  // namespace std
