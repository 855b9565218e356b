# Cross-build for Windows with Debian's mingw-w64 compilers (posix thread model,
# so std::thread and std::mutex work), i686.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MORVANE_MINGW_HOST i686-w64-mingw32)
set(CMAKE_C_COMPILER ${MORVANE_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVANE_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${MORVANE_MINGW_HOST}-windres)
set(CMAKE_AR ${MORVANE_MINGW_HOST}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${MORVANE_MINGW_HOST}-ranlib CACHE FILEPATH "")
# The libraries built by scripts/windows-deps.sh live in their own prefix
# (MORVANE_WINDOWS_PREFIX, a cache variable or the environment).
if(NOT MORVANE_WINDOWS_PREFIX AND DEFINED ENV{MORVANE_WINDOWS_PREFIX})
  set(MORVANE_WINDOWS_PREFIX $ENV{MORVANE_WINDOWS_PREFIX})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MORVANE_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${MORVANE_MINGW_HOST} ${MORVANE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# SSE2 arithmetic, not x87: the path search relies on exact float evaluation.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
