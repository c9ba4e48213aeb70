# Cross build for 64-bit Windows with MinGW-w64 (posix threads flavour). The program is
# linked statically, so the .exe needs no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix) # GoogleTest's project() enables C
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
include(${CMAKE_CURRENT_LIST_DIR}/Needs.cmake)
need_program(CROSS_CXX "The Windows build" ${CMAKE_CXX_COMPILER})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No link time stamp in the .exe, so that two builds of one commit are the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
