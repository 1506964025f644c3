# The Linux programs are hardened as Debian builds its packages: the flags
# dpkg-buildflags gives with every hardening feature on (fortified libc
# calls, stack protector and clash protection, control-flow protection,
# read-only relocations bound at start-up, position-independent code). The
# optimisation and debug flags stay the build type's.
find_program(ZARNIK_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT ZARNIK_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "dpkg-buildflags, which gives the hardening flags, is missing: run tools/deps.sh linux")
endif()
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                "DEB_${kind}_MAINT_STRIP=-g -O2" ${ZARNIK_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    if(kind STREQUAL LDFLAGS)
        add_link_options(${flags})
    else()
        add_compile_options(${flags})
    endif()
endforeach()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
