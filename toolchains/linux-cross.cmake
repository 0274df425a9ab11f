# Shared by the Linux cross toolchains: Debian's cross g++ for
# TARNEL_CROSS_TRIPLE, linked statically, run under TARNEL_QEMU (qemu-user)
# where it is set; GeographicLib from build-deps/geographiclib-TARNEL_PLATFORM
# (toolchains/build-geographiclib.sh).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${TARNEL_CROSS_TRIPLE}-g++)
set(CMAKE_C_COMPILER ${TARNEL_CROSS_TRIPLE}-gcc)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TARNEL_QEMU})
set(CMAKE_FIND_ROOT_PATH /usr/${TARNEL_CROSS_TRIPLE} ${CMAKE_CURRENT_LIST_DIR}/../build-deps/geographiclib-${TARNEL_PLATFORM})
# No fused multiply-add, in GeographicLib too: the same bytes as x86-64.
set(CMAKE_CXX_FLAGS_INIT "${TARNEL_FLOAT_FLAGS} -ffp-contract=off")
set(CMAKE_C_FLAGS_INIT "${TARNEL_FLOAT_FLAGS} -ffp-contract=off")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
