# The 64-bit Windows build of the same source: what the tests run where the machine
# cannot run Wine's 32-bit half.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
