# The Windows target: the runtime and its programs cross-built with mingw-w64
# (cmake/toolchains/mingw-*.cmake). scripts/windows.sh configures and builds it.
#
# - The libraries come from the prefix that scripts/windows-deps.sh fills once
#   (MORVANE_WINDOWS_PREFIX), all of them static.
# - runtime/platform/win32/ takes the place of runtime/platform/posix/.
# - Programs link statically, the C++ runtime included, so no MinGW DLL has
#   to lie beside them.
# - Media are packed by a shoebox built for the machine that builds
#   (MORVANE_HOST_SHOEBOX): the Windows one cannot run in a build step.

if(NOT MORVANE_WINDOWS_PREFIX OR NOT EXISTS ${MORVANE_WINDOWS_PREFIX}/.complete-1)
  message(FATAL_ERROR "No Windows libraries in '${MORVANE_WINDOWS_PREFIX}': run scripts/windows-deps.sh")
endif()
set(ENV{PKG_CONFIG_LIBDIR} ${MORVANE_WINDOWS_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

find_package(PkgConfig REQUIRED)
find_package(SDL2 REQUIRED CONFIG)
find_package(SDL2_mixer REQUIRED CONFIG)
pkg_check_modules(LZO2 REQUIRED IMPORTED_TARGET lzo2)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(OpenGL REQUIRED)

# The libraries under the names the desktop build's package look-ups give them.
# SDL's static targets carry the system libraries SDL needs; its main()
# redirection is not used: the runtime's entry is a plain main, which MinGW
# calls in console and window programs alike.
add_library(PkgConfig::SDL2 INTERFACE IMPORTED GLOBAL)
target_link_libraries(PkgConfig::SDL2 INTERFACE SDL2::SDL2-static)
add_library(PkgConfig::SDL2_MIXER INTERFACE IMPORTED GLOBAL)
target_link_libraries(PkgConfig::SDL2_MIXER INTERFACE SDL2_mixer::SDL2_mixer-static)
add_compile_definitions(SDL_MAIN_HANDLED NOMINMAX WIN32_LEAN_AND_MEAN)
add_link_options(-static)
# Besides OpenGL: timeBeginPeriod (winmm), CommandLineToArgvW (shell32),
# file security (advapi32).
set(MORVANE_SYSTEM_LIBRARIES winmm shell32 advapi32)

set(MORVANE_HOST_SHOEBOX "" CACHE FILEPATH "The shoebox tool built for the building machine")
if(NOT MORVANE_HOST_SHOEBOX)
  message(FATAL_ERROR "Set MORVANE_HOST_SHOEBOX to a shoebox built for this machine (scripts/windows.sh does)")
endif()
