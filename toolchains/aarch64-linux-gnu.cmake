# Cross build for aarch64 Linux (little-endian, 128-bit long double) with Debian's
# g++-aarch64-linux-gnu, run under qemu-aarch64-static.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(TARNEL_CROSS_TRIPLE aarch64-linux-gnu)
set(TARNEL_PLATFORM aarch64)
set(TARNEL_QEMU qemu-aarch64-static)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
