# Shared by the MinGW-w64 toolchain files: Debian's cross compilers, the
# target's own libraries, and fully static programs, so that nothing but DLLs
# that Windows itself ships is needed to run them.
set(CMAKE_SYSTEM_NAME Windows)

# The compilers' thread model. posix (the default) has std::thread and
# std::mutex, which GoogleTest needs, but links winpthread into every
# program, and with it a need for Windows Vista. win32 links no thread
# library; the program itself uses no threads (README, "Windows versions").
set(DORVANE_MINGW_THREADS posix CACHE STRING "MinGW-w64 thread model of the compilers: posix or win32")
set_property(CACHE DORVANE_MINGW_THREADS PROPERTY STRINGS posix win32)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DORVANE_MINGW_THREADS DORVANE_MINGW_TRIPLE)

set(CMAKE_C_COMPILER ${DORVANE_MINGW_TRIPLE}-gcc-${DORVANE_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${DORVANE_MINGW_TRIPLE}-g++-${DORVANE_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${DORVANE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DORVANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread linked in; release programs with
# unreferenced sections dropped, and stripped. (The win32 preset optimises
# for size; -ffunction-sections made the i686 program larger, not smaller.)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s -Wl,--gc-sections")
