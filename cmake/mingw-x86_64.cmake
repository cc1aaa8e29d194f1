# The 64-bit Windows build: the test build for kernels that run no 32-bit
# programs, where only a 64-bit Wine runs.  What ships stays 32-bit.
set(CORVANE_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
# Line tables only: a backtrace still names file and line, and full debug
# information doubled the compile time of every test program.  It ships
# nowhere, so it is optimised lightly: -O1 compiles in three quarters of
# -O2's time (SQLite's amalgamation in three fifths).
set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG" CACHE STRING "")
# The suite builds every target before its package test: packaging need
# not walk all of them again, once per generator (two minutes under load).
# Only the 32-bit release's `package` builds what it installs.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
