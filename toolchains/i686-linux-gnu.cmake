# Cross build for i686 Linux (32-bit, no 128-bit integers) with Debian's
# g++-i686-linux-gnu, run under qemu-i386-static.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARNEL_CROSS_TRIPLE i686-linux-gnu)
set(TARNEL_QEMU qemu-i386-static)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
