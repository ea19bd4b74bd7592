# Cross toolchain: 64-bit Windows (x64) with Debian's MinGW-w64. It runs under
# 64-bit Wine, also on machines that do not execute 32-bit programs.
set(_mingw_arch x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
