# What a Windows build (cmake/toolchain-windows-x86_64.cmake) takes from the
# machine instead of pkg-config and the target's packages: toml++ and
# nlohmann-json are header-only and are used from the machine's headers,
# GoogleTest is built from its sources (libgtest-dev), and libusb-win32's
# libusb0.dll is loaded at run time (device/usb_library_windows.cpp), so
# nothing links to it.
set(brisel_host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(dir toml++ nlohmann)
  if(NOT IS_DIRECTORY /usr/include/${dir})
    message(FATAL_ERROR "/usr/include/${dir} is missing (Debian packages libtomlplusplus-dev, nlohmann-json3-dev)")
  endif()
  file(MAKE_DIRECTORY ${brisel_host_headers})
  file(CREATE_LINK /usr/include/${dir} ${brisel_host_headers}/${dir} SYMBOLIC)
endforeach()
add_library(PkgConfig::TOMLPP INTERFACE IMPORTED)
set_target_properties(PkgConfig::TOMLPP PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${brisel_host_headers}
                                                   INTERFACE_COMPILE_DEFINITIONS TOML_HEADER_ONLY=1)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${brisel_host_headers})
add_library(PkgConfig::LIBUSB INTERFACE IMPORTED)

# Windows 7's API and later; text as UTF-8 in char strings, wide at the
# system's edges.
add_compile_definitions(_WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)

if(BRISEL_BUILD_TESTS)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  # googletest names its targets GTest::gtest and GTest::gtest_main itself.
endif()

# Every program runs under Wine in a prefix of the build folder's own, made
# on the first run, without Wine's Mono and Gecko and without its messages.
set(BRISEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env WINEPREFIX=${BRISEL_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
    ${BRISEL_WINE})
