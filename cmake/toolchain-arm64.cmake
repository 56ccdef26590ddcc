# 64-bit ARM (arm64, aarch64): Raspberry Pi 3, 4, 5 and Zero 2 W with a 64-bit
# system. cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-arm64.cmake
#   -DBRISEL_SYSROOT=DIR, with DIR made by scripts/arm-sysroot arm64 DIR.
set(brisel_deb_arch arm64)
set(brisel_triplet aarch64-linux-gnu)
set(brisel_processor aarch64)
set(brisel_qemu qemu-aarch64-static)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
