# Cross-compiles the Windows program as 64-bit (x86_64) with Debian's mingw-w64.
# Used where 32-bit programs cannot run (the end-to-end rig then drives a 64-bit build).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
