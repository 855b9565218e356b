# cpack -G DEB (run in the build folder): two Debian packages from the two
# install components.
#   quadrivolant      the game: one executable carrying its media, desktop entry, icons
#   libmorvane-dev    the runtime for programmers: static libraries, headers,
#                     CMake and pkg-config files, the shoebox tool, guide and example
set(MORVANE_PACKAGE_MAINTAINER "Morvane developers <morvane@example.org>"
  CACHE STRING "Maintainer field of the Debian packages")

set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VENDOR "Morvane developers")
set(CPACK_PACKAGE_VERSION ${MORVANE_VERSION})
# The install step runs with DESTDIR and the real prefix, so that files written
# at install time (the pkg-config files) name /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL game dev)
set(CPACK_DEB_COMPONENT_INSTALL ON)
# The tool and the static libraries lose their debug sections (see
# cmake/Install.cmake); the game is stripped before its media are appended, and
# is installed as a plain file that nothing strips again.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MORVANE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_GAME_PACKAGE_NAME quadrivolant)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_GAME_DESCRIPTION "picture puzzle on a 3 by 3 grid of rotating rows and columns
Quadrivolant cuts a picture into nine tiles and shuffles them on a 3 by 3
grid. Arrows around the grid turn a row or a column by one place; the tile
that leaves at one edge comes back at the other. Every deal can be solved.

Fifteen pictures, falling blocks, confetti, television static and looping
music. The game is played with the mouse alone and carries all its media
in its executable.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libmorvane-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
  "libsdl2-dev, libsdl2-mixer-dev, liblzo2-dev, libpng-dev, libjpeg-dev, zlib1g-dev, libgl-dev, pkgconf | pkg-config")
set(CPACK_DEBIAN_DEV_PACKAGE_SUGGESTS "cmake")
set(CPACK_DEBIAN_DEV_DESCRIPTION "runtime of the Morvane BASIC dialect - development files
Morvane is the runtime programs of the Morvane BASIC dialect are linked
with: it owns the process and offers a window with an OpenGL context,
numbered sprite slots filled from PNG, JPEG and BMP files, immediate 2D
drawing, music and sound samples, mouse and keyboard, text values,
bounds-checked arrays, runtime errors and a frame loop held at a steady
rate. Data files travel in compressed shoebox archives, which may be
appended to the program's own executable.

This package holds the static libraries, the C++ headers, the CMake
package (find_package(Morvane)), the pkg-config files, the shoebox archive
tool, a guide and an example program.")

include(CPack)
cpack_add_component(game DISPLAY_NAME "Quadrivolant")
cpack_add_component(dev DISPLAY_NAME "Morvane development files")
