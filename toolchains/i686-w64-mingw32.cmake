# Cross build of TARNEL.exe for 32-bit Windows with Debian's MinGW-w64 for
# i686, linked statically; it starts on every Windows from 7 SP1 (6.1) on,
# 32-bit and 64-bit alike, with a processor that has SSE2. Doubles in SSE2
# registers, as on every other target, not in the x87's wider ones; no fused
# multiply-add. Large-address-aware: 4 GiB of address space on 64-bit
# Windows. The extended arithmetic takes the software path, as on every
# Windows build (CMakeLists.txt).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)  # the posix thread model: GoogleTest needs std::mutex
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
# The oldest Windows it runs on, in the PE header and for the headers: 6.1.
set(TARNEL_WINDOWS_VERSION_FLAGS
    "-Wl,--major-os-version,6,--minor-os-version,1,--major-subsystem-version,6,--minor-subsystem-version,1")
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--large-address-aware ${TARNEL_WINDOWS_VERSION_FLAGS}")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine32.sh)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32 ${CMAKE_CURRENT_LIST_DIR}/../build-deps/geographiclib-windows32)
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -ffp-contract=off -D_WIN32_WINNT=0x0601")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -ffp-contract=off -D_WIN32_WINNT=0x0601")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
