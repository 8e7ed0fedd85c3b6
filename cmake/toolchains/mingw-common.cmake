# What both MinGW-w64 cross builds share; the including toolchain file sets rolvi_mingw_triplet
# and CMAKE_SYSTEM_PROCESSOR first. Everything is linked statically, so the program needs no
# DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${rolvi_mingw_triplet}-gcc)
set(CMAKE_CXX_COMPILER ${rolvi_mingw_triplet}-g++)
set(CMAKE_RC_COMPILER ${rolvi_mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${rolvi_mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Release programs carry no symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
