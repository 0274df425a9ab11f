# Cross build for i686 Linux (32-bit, no 128-bit integers) with Debian's
# g++-i686-linux-gnu, run natively: the x86-64 kernel runs 32-bit programs,
# and qemu-i386's x87 remainder gives no quotient bits (remquo goes wrong).
# Doubles in SSE registers, as on x86-64, not in the x87's wider ones; the
# program's extended arithmetic still uses the x87 (long double).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARNEL_CROSS_TRIPLE i686-linux-gnu)
set(TARNEL_PLATFORM i686)
set(TARNEL_FLOAT_FLAGS "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
