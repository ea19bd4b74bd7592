# What both MinGW-w64 cross toolchains share; the caller sets _mingw_arch
# (i686 or x86_64). The win32-threads flavour is used because Tandrel starts
# no threads and so needs no winpthread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${_mingw_arch})

set(_mingw ${_mingw_arch}-w64-mingw32)
find_program(_mingw_gxx NAMES ${_mingw}-g++-win32 ${_mingw}-g++ REQUIRED)
find_program(_mingw_gcc NAMES ${_mingw}-gcc-win32 ${_mingw}-gcc REQUIRED)
set(CMAKE_C_COMPILER ${_mingw_gcc})
set(CMAKE_CXX_COMPILER ${_mingw_gxx})
set(CMAKE_RC_COMPILER ${_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static runtime: the outputs import system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
