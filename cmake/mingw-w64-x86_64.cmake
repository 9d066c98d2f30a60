# Cross-compiling for 64-bit Windows with the MinGW-w64 compilers of Debian (package
# g++-mingw-w64-x86-64-posix). Programs run under wine where it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The POSIX thread model: std::thread, std::mutex and sleeps work as on every other system.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no compiler runtime DLLs to find, under wine or on a user's machine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(ORVA_WINE wine)
if(ORVA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVA_WINE})
endif()
