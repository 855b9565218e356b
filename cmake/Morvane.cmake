# morvane_program(NAME SOURCES... [MEDIA FILES-OR-FOLDERS...])
#
# An executable on the runtime's process entry: the sources define the
# program's applyGameSettings and gameMain (runtime/app/program.h).
#
# MEDIA names the program's data files (folders are walked recursively): they
# are packed into NAME.sbx with the shoebox tool and appended to the executable
# after every link, so the program carries its media in its own file. The
# runtime looks every name that is not on disk up in that archive, until the
# program names another one with setArchive.
#
# Works inside the runtime's own tree and after find_package(Morvane), which
# provides the targets Morvane::runtime, Morvane::entry and Morvane::shoebox.
# A cross build names the building machine's shoebox in MORVANE_HOST_SHOEBOX.
function(morvane_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "MEDIA")
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE Morvane::entry Morvane::runtime)
  if(MINGW)
    # The C++ runtime and the threads library linked in: no MinGW DLL has to
    # lie beside the program.
    target_link_options(${name} PRIVATE -static)
  endif()
  if(NOT arg_MEDIA)
    return()
  endif()

  set(media_files)
  foreach(item IN LISTS arg_MEDIA)
    get_filename_component(item ${item} ABSOLUTE)
    if(IS_DIRECTORY ${item})
      file(GLOB_RECURSE found CONFIGURE_DEPENDS LIST_DIRECTORIES false ${item}/*)
      list(APPEND media_files ${found})
    else()
      list(APPEND media_files ${item})
    endif()
  endforeach()
  list(FILTER media_files EXCLUDE REGEX "\\.sbx$")
  if(NOT media_files)
    message(FATAL_ERROR "morvane_program(${name}): MEDIA names no files")
  endif()

  # A change of a media file relinks the program, which appends afresh. A
  # cross build packs with a shoebox of the building machine.
  set(archive ${CMAKE_CURRENT_BINARY_DIR}/${name}.sbx)
  if(MORVANE_HOST_SHOEBOX)
    set(packer ${MORVANE_HOST_SHOEBOX})
  else()
    set(packer Morvane::shoebox)
  endif()
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${media_files})
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E rm -f ${archive}
    COMMAND ${packer} pack ${archive} ${media_files}
    COMMAND ${packer} append $<TARGET_FILE:${name}> ${archive}
    VERBATIM)
endfunction()

# morvane_replay_test(NAME PROGRAM RECORDING)
#
# A test that replays RECORDING (made with MORVANE_RECORD, and
# MORVANE_RECORD_FRAMES for frame hashes) with the program target PROGRAM, as
# fast as it draws. It passes when the run comes out as recorded; it fails
# with status 66 when a frame or a read differs, and with 65 when the
# recording is refused (another program, another build, a damaged file). The
# program opens its window, so the tests need a display (xvfb-run -a ctest).
# The replay's log, which names the first frame that differs, is the folder
# NAME's ErrorLog.txt in the build folder. A browser build adds no test.
function(morvane_replay_test name program recording)
  # A browser build's program runs in a page, not from a test command; a
  # cross build's runs on its own system (scripts/test-windows.sh).
  if(EMSCRIPTEN OR CMAKE_CROSSCOMPILING)
    return()
  endif()
  get_filename_component(recording ${recording} ABSOLUTE)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${name})
  file(MAKE_DIRECTORY ${folder})
  add_test(NAME ${name} COMMAND $<TARGET_FILE:${program}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 ENVIRONMENT
    "MORVANE_REPLAY=${recording};MORVANE_NO_FRAME_HOLD=1;MORVANE_NO_MESSAGEBOX=1;SDL_AUDIODRIVER=dummy;TMPDIR=${folder}/")
endfunction()
