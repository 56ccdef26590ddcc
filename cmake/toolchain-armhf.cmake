# 32-bit ARM with hardware floating point (armhf): ARMv7 and later, that is a
# Raspberry Pi 2 or later with a 32-bit system. Not the Pi Zero or Pi 1
# (ARMv6): Debian's armhf programs stop there with an illegal instruction.
# cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-armhf.cmake
#   -DBRISEL_SYSROOT=DIR, with DIR made by scripts/arm-sysroot armhf DIR.
set(brisel_deb_arch armhf)
set(brisel_triplet arm-linux-gnueabihf)
set(brisel_processor armv7l)
set(brisel_qemu qemu-arm-static)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
