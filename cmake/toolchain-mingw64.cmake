# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix).
# Used both to build Qt itself (scripts/windows-deps) and to build Stepwright against that Qt:
#     cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake -DCMAKE_PREFIX_PATH=<qt prefix> ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw x86_64-w64-mingw32)
# The posix thread model: std::thread, std::mutex and Qt's threads need it; the win32 one lacks them.
set(CMAKE_C_COMPILER ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw}-windres)

# The Windows Qt, which lives outside the MinGW sysroot; scripts/windows-deps prints its path.
set(STEPWRIGHT_WINDOWS_QT_PREFIX "" CACHE PATH "Prefix of the MinGW-w64 build of Qt")

# Libraries, headers and CMake packages come only from the MinGW sysroot, the Windows Qt and
# whatever is given in CMAKE_PREFIX_PATH, never from the host's /usr (its Linux Qt would be
# found otherwise). Programs are host programs. A path already inside a root is not re-rooted,
# so listing the prefixes here lets find_package use them as they are.
set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
foreach(_prefix IN LISTS STEPWRIGHT_WINDOWS_QT_PREFIX CMAKE_PREFIX_PATH)
    if(_prefix)
        list(APPEND CMAKE_FIND_ROOT_PATH "${_prefix}")
    endif()
endforeach()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(STEPWRIGHT_WINDOWS_QT_PREFIX)
    list(APPEND CMAKE_PREFIX_PATH "${STEPWRIGHT_WINDOWS_QT_PREFIX}")
endif()
# CMake reads this file again for every language and try_compile; keep the lists from growing.
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
if(CMAKE_PREFIX_PATH)
    list(REMOVE_DUPLICATES CMAKE_PREFIX_PATH)
endif()
