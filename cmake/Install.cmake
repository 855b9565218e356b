# cmake --install: the runtime for programmers (component "dev") and the game
# (component "game"). Everything lands below the prefix in the usual places:
#   lib/<arch>/libmorvane.a, libmorvane_entry.a      the runtime and its process entry
#   include/morvane/*.h                              programs include "morvane/morvane.h"
#   lib/<arch>/cmake/Morvane/                        find_package(Morvane)
#   lib/<arch>/pkgconfig/morvane.pc, morvane-entry.pc
#   bin/shoebox                                      the archive tool
#   share/doc/libmorvane-dev/                        the guide and the example's sources
#   games/quadrivolant, share/applications, share/icons/hicolor
#   share/man/man6/quadrivolant.6.gz, share/man/man1/shoebox.1.gz
# MORVANE_VERSION, the release, is set beside the runtime's sources.

# Libraries go below the architecture's folder, as Debian keeps them; with a
# prefix outside /usr both CMake and pkg-config look there too.
if(NOT DEFINED CMAKE_INSTALL_LIBDIR AND CMAKE_LIBRARY_ARCHITECTURE)
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries (LIBDIR)")
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(MORVANE_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR})
set(MORVANE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Morvane)
set(MORVANE_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# Inside this tree the headers come from the sources (the runtime's own code
# includes its module headers from the tree's root); installed, only the
# public face below include/morvane/ is there.
set_property(TARGET morvane PROPERTY INTERFACE_INCLUDE_DIRECTORIES
  $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/include> $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}>
  $<INSTALL_INTERFACE:${MORVANE_INCLUDE_DIR}>)

set(morvane_libraries morvane)
if(TARGET morvane_entry)
  list(APPEND morvane_libraries morvane_entry)
endif()
install(TARGETS ${morvane_libraries} EXPORT MorvaneTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
# A stripping install (cmake --install --strip, the packages) keeps the
# libraries' symbols and drops their debug sections.
if(CMAKE_STRIP)
  foreach(library ${morvane_libraries})
    install(CODE "
      if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug --remove-section=.comment
          --enable-deterministic-archives
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:${library}>\")
      endif()"
      COMPONENT dev)
  endforeach()
endif()

# The public face: the one header programs include and the headers it gathers.
install(DIRECTORY include/morvane/ DESTINATION ${MORVANE_INCLUDE_DIR}/morvane COMPONENT dev
  FILES_MATCHING PATTERN "*.h")

# The CMake package: imported targets (the tools add Morvane::shoebox to the
# same export), the dependencies found again, and morvane_program().
install(EXPORT MorvaneTargets NAMESPACE Morvane:: DESTINATION ${MORVANE_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(cmake/MorvaneConfig.cmake.in
  ${CMAKE_BINARY_DIR}/cmake/MorvaneConfig.cmake
  INSTALL_DESTINATION ${MORVANE_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/cmake/MorvaneConfigVersion.cmake
  VERSION ${MORVANE_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES
  ${CMAKE_BINARY_DIR}/cmake/MorvaneConfig.cmake
  ${CMAKE_BINARY_DIR}/cmake/MorvaneConfigVersion.cmake
  cmake/Morvane.cmake
  DESTINATION ${MORVANE_CMAKE_DIR} COMPONENT dev)

# pkg-config files carry the prefix of the install itself (cmake --install
# --prefix, or /usr in the packages), so they are written at install time.
set(MORVANE_PC_PREFIX "@MORVANE_PC_PREFIX@")  # kept for the install step
foreach(pc morvane morvane-entry)
  configure_file(cmake/${pc}.pc.in ${CMAKE_BINARY_DIR}/cmake/${pc}.pc.in @ONLY)
  install(CODE "
    set(MORVANE_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
    set(pc_file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${MORVANE_PKGCONFIG_DIR}/${pc}.pc\")
    message(STATUS \"Installing: \${pc_file}\")
    configure_file(\"${CMAKE_BINARY_DIR}/cmake/${pc}.pc.in\" \"\${pc_file}\" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${pc_file}\")"
    COMPONENT dev)
endforeach()

# The guide and the example sources, for reading and as the start of a program
# of one's own.
set(MORVANE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/libmorvane-dev)
install(FILES docs/runtime.md docs/recording-format.md DESTINATION ${MORVANE_DOC_DIR} COMPONENT dev)
install(DIRECTORY examples/ DESTINATION ${MORVANE_DOC_DIR}/examples COMPONENT dev
  REGEX "/examples/CMakeLists\\.txt$" EXCLUDE)

# Manual pages, compressed as Debian ships them: the game's (section 6) with
# the game, the tool's (section 1) with the development files.
foreach(page quadrivolant.6:game shoebox.1:dev)
  string(REPLACE ":" ";" page ${page})
  list(GET page 0 name)
  list(GET page 1 component)
  string(REGEX REPLACE ".*\\." "" section ${name})
  set(source ${CMAKE_SOURCE_DIR}/packaging/man/${name})
  set(compressed ${CMAKE_BINARY_DIR}/man/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${source} ${compressed}
    DEPENDS ${source} VERBATIM)
  list(APPEND man_pages ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT ${component})
endforeach()
add_custom_target(morvane_man_pages ALL DEPENDS ${man_pages})

# The packages' change log, in each package's documentation folder.
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${CMAKE_SOURCE_DIR}/packaging/changelog ${changelog}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(morvane_changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quadrivolant COMPONENT game)
install(FILES ${changelog} DESTINATION ${MORVANE_DOC_DIR} COMPONENT dev)
