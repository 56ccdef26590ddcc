# 64-bit Windows (x86-64): brisel-ctl.exe and its tests, built with
# mingw-w64's posix-thread compilers (g++-mingw-w64-x86-64-posix) and run
# under Wine (wine64) during the build and the tests.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-windows-x86_64.cmake
#     -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
# The programs are linked -static (libstdc++, libgcc, winpthread), so that
# the .exe needs no DLL beside it. The header-only libraries (toml++,
# nlohmann-json) and GoogleTest's sources are taken from the machine's
# packages: see cmake/windows.cmake.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(brisel_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${brisel_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${brisel_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${brisel_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${brisel_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Wine runs the programs: the build's test discovery and ctest. The Wine
# prefix is the build folder's own (cmake/windows.cmake).
find_program(BRISEL_WINE wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT BRISEL_WINE)
  find_program(BRISEL_WINE wine NO_CMAKE_FIND_ROOT_PATH)
endif()
if(NOT BRISEL_WINE)
  message(FATAL_ERROR "Wine not found (Debian packages wine64 and wine): "
          "the Windows programs cannot run during the build and the tests")
endif()
