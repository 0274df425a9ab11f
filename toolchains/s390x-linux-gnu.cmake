# Cross build for s390x Linux (big-endian) with Debian's
# g++-s390x-linux-gnu, run under qemu-s390x-static.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(TARNEL_CROSS_TRIPLE s390x-linux-gnu)
set(TARNEL_PLATFORM s390x)
set(TARNEL_QEMU qemu-s390x-static)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
