# Cross toolchain: 32-bit Windows (x86) with Debian's MinGW-w64. This is the
# build the host mail client loads.
set(_mingw_arch i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
