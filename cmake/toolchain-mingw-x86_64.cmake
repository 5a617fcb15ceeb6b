# Cross build for 64-bit Windows with the MinGW-w64 compilers: the posix thread model for the
# tests (GoogleTest needs it), the win32 one for a launcher built as the shipped one is.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(AUTORUN_THREAD_MODEL posix CACHE STRING "The compilers' thread model: posix or win32")
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-${AUTORUN_THREAD_MODEL})
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-${AUTORUN_THREAD_MODEL})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# ctest runs the test programs through tools/wine-test.sh (why: see there).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-test.sh)
