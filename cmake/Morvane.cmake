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
function(morvane_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "MEDIA")
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE Morvane::entry Morvane::runtime)
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

  # A change of a media file relinks the program, which appends afresh.
  set(archive ${CMAKE_CURRENT_BINARY_DIR}/${name}.sbx)
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${media_files})
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E rm -f ${archive}
    COMMAND Morvane::shoebox pack ${archive} ${media_files}
    COMMAND Morvane::shoebox append $<TARGET_FILE:${name}> ${archive}
    VERBATIM)
endfunction()
