# Cross-compiling the Windows programs from Debian with MinGW-w64 (the
# posix-threads flavour, whose libstdc++ links statically without a
# winpthread DLL): Zarnik.exe, and the probe and floor that its tests and
# benchmark run beside it, all with the flags below.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
find_program(ZARNIK_MINGW ${CMAKE_CXX_COMPILER})
if(NOT ZARNIK_MINGW)
    message(FATAL_ERROR "MinGW-w64, which Zarnik.exe is built with, is missing: run tools/deps.sh windows")
endif()
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Each exe carries its C++ runtime, so whatever the code touches is shipped.
# Without exceptions and RTTI, and with the code kept away from the
# library's failure paths (see puzzle/Text.h), libstdc++'s unwinder,
# terminate handler and demangler stay out; every failure is a fatal message
# box anyway. One user-interface thread: no locks around function statics.
set(CMAKE_CXX_FLAGS_INIT
    "-fno-exceptions -fno-rtti -fno-threadsafe-statics -ffunction-sections -fdata-sections")
# Every library linked in, no symbols, and no link time in the header, so
# that a build can be reproduced.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s -Wl,--gc-sections -Wl,--no-insert-timestamp")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
