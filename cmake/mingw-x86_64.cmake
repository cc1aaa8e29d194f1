# The 64-bit Windows build: the test build for kernels that run no 32-bit
# programs, where only a 64-bit Wine runs.  What ships stays 32-bit.
set(CORVANE_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
