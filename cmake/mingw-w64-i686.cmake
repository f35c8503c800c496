# Cross-compiling for 32-bit Windows with Debian's mingw-w64, on Linux.
#
# The -posix compilers: GoogleTest needs std::mutex and std::condition_variable, which the
# -win32 thread model lacks. Everything is linked statically (libgcc, libstdc++ and
# winpthread), so the exes need no DLL beyond the system's. The tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(FATHOMLIST_WINE wine)
if(FATHOMLIST_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${FATHOMLIST_WINE})
endif()
