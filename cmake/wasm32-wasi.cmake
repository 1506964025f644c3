# Building the browser front end: clang's wasm32 target with Debian's
# wasi-libc and libc++ for wasm32, which come prebuilt. The module is a
# reactor (no main): the page calls its exports and supplies its imports.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)

set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
find_program(ZARNIK_CLANG ${CMAKE_CXX_COMPILER})
# CMake archives with llvm-ar where it finds one: GNU ar writes no symbol
# index for wasm objects, and wasm-ld 14 (Debian 12) links no archive without.
find_program(ZARNIK_LLVM_AR llvm-ar)
if(NOT ZARNIK_CLANG OR NOT ZARNIK_LLVM_AR OR NOT EXISTS /usr/lib/wasm32-wasi/libc++.a)
    message(FATAL_ERROR "clang, llvm-ar, wasi-libc and libc++ for wasm32, which the site is built with, are missing: "
                        "run tools/deps.sh web")
endif()
# The compiler check cannot run what it links; a static library proves enough.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# Without exceptions (libc++ for wasm32 has none) and without RTTI, and the
# code keeps away from the library's failure paths (see puzzle/Text.h): those
# print to stderr, which would have the module import WASI's file calls, and
# the page supplies its own imports only.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -fno-rtti")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor -Wl,--gc-sections -Wl,--strip-all")
