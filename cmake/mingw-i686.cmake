# Cross-compiles the Windows program as 32-bit (i686) with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
