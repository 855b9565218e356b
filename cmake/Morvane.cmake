# morvane_program(NAME SOURCES...): an executable on the runtime's process entry.
function(morvane_program name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE morvane_entry morvane)
endfunction()
