# Cross-building the Windows programs on Debian with MinGW-w64.
#   MT_MINGW_ARCH: i686 (32-bit, runs on every Windows) or x86_64.
# The -posix compilers are required: their C++ runtime has std::thread and std::mutex,
# which GoogleTest needs. Everything links statically, so the programs import only the
# DLLs that come with Windows.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT MT_MINGW_ARCH)
  set(MT_MINGW_ARCH i686)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${MT_MINGW_ARCH})
set(MT_MINGW_TRIPLE ${MT_MINGW_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${MT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MT_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# Release programs ship without their symbol tables: half the size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# Test programs run under Wine, in a prefix of the build tree's own that the test run
# makes fresh (tests/support/wine/prefix-setup).
if(MT_MINGW_ARCH STREQUAL "i686")
  set(MT_WINE_LOADER /usr/lib/wine/wine)
else()
  set(MT_WINE_LOADER /usr/lib/wine/wine64)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../tests/support/wine/run-under-wine;${CMAKE_BINARY_DIR}/wineprefix;${MT_WINE_LOADER})
