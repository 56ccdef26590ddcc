# Cross build for a Debian architecture with Debian's cross compiler
# (crossbuild-essential-<arch>) against a sysroot that scripts/arm-sysroot
# made: the target's libraries, headers, pkg-config and CMake files. The
# compiler keeps its own C library; the sysroot's copy of it, with libusb and
# toml++, is what qemu-user loads the target's programs with, so that ctest,
# gtest_discover_tests and the bash completion's generator run them there.
# The including file sets brisel_deb_arch, brisel_triplet, brisel_processor
# and brisel_qemu.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${brisel_processor})
set(CMAKE_LIBRARY_ARCHITECTURE ${brisel_triplet})
set(CMAKE_C_COMPILER ${brisel_triplet}-gcc)
set(CMAKE_CXX_COMPILER ${brisel_triplet}-g++)
# The Architecture of the Debian packages.
set(BRISEL_DEB_ARCHITECTURE ${brisel_deb_arch})

set(BRISEL_SYSROOT "$ENV{BRISEL_SYSROOT}" CACHE PATH
    "Sysroot of the target's libraries (scripts/arm-sysroot ${brisel_deb_arch} DIR)")
# Test compilations read this file again and need the same sysroot.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRISEL_SYSROOT)
if(NOT IS_DIRECTORY "${BRISEL_SYSROOT}/usr/lib/${brisel_triplet}")
  message(FATAL_ERROR "No ${brisel_deb_arch} sysroot in '${BRISEL_SYSROOT}': make one with "
          "scripts/arm-sysroot ${brisel_deb_arch} DIR and pass -DBRISEL_SYSROOT=DIR")
endif()

# Libraries, headers and CMake packages come from the sysroot only; the
# programs run during the build (pkg-config, gzip) from the machine.
set(CMAKE_FIND_ROOT_PATH ${BRISEL_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The compiler searches its own headers, not the machine's /usr/include.
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${BRISEL_SYSROOT}/usr/include)
# Shared libraries' own dependencies are looked up in the sysroot at link time.
string(CONCAT rpath_link "-Wl,-rpath-link,${BRISEL_SYSROOT}/lib/${brisel_triplet}"
              ":${BRISEL_SYSROOT}/usr/lib/${brisel_triplet}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${rpath_link}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${rpath_link}")

# pkg-config reads the target's .pc files and puts the sysroot before their paths.
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${BRISEL_SYSROOT})
set(ENV{PKG_CONFIG_LIBDIR}
    "${BRISEL_SYSROOT}/usr/lib/${brisel_triplet}/pkgconfig:${BRISEL_SYSROOT}/usr/share/pkgconfig")
unset(ENV{PKG_CONFIG_PATH})

# binfmt_misc may not be set up (a container, CI): qemu is called by name.
find_program(BRISEL_QEMU ${brisel_qemu} NO_CMAKE_FIND_ROOT_PATH)
if(NOT BRISEL_QEMU)
  message(FATAL_ERROR "${brisel_qemu} not found (Debian package qemu-user-static): "
          "the ${brisel_deb_arch} programs cannot run during the build and the tests")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${BRISEL_QEMU} -L ${BRISEL_SYSROOT})
