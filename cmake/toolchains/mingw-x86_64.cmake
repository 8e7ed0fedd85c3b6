# Cross build for 64-bit Windows with MinGW-w64 (Debian's g++-mingw-w64-x86-64). Used for the
# smoke run under 64-bit Wine, which can run where 32-bit code cannot.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(rolvi_mingw_triplet x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
