# Cross-compiling for Windows with Debian's mingw-w64 (the posix thread model,
# which C++ threads and mutexes need). Included by the two architecture files,
# which set QUELLAN_MINGW_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 10)
set(CMAKE_C_COMPILER ${QUELLAN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUELLAN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUELLAN_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${QUELLAN_MINGW_TRIPLET}-gcc-ar-posix)
set(CMAKE_RANLIB ${QUELLAN_MINGW_TRIPLET}-gcc-ranlib-posix)

# Find libraries and headers only in the target's trees: mingw's own and the
# prefixes of CMAKE_PREFIX_PATH (the libraries built for Windows); programs
# on the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${QUELLAN_MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes (libgcc, libstdc++, winpthread) go into every program
# and DLL, so the result imports only Windows' own DLLs. Plug-in modules link
# with the module flags, hence all three.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
