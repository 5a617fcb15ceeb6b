# Cross build for 32-bit Windows (the shipped launcher). Its programs run under Wine, which
# runs 32-bit Windows programs once its 32-bit part (wine32) is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
# The tests need the posix thread model (GoogleTest); the launcher that ships is built with
# the win32 one, which links no thread library: the same sources build both ways.
set(AUTORUN_THREAD_MODEL posix CACHE STRING "The compilers' thread model: posix or win32")
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${AUTORUN_THREAD_MODEL})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${AUTORUN_THREAD_MODEL})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# ctest runs the test programs through tools/wine-test.sh (why: see there).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-test.sh)
