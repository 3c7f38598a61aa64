# quorvan_copy_program_text(<target>)
# Puts data/qrv_e.dat beside the executable of <target> after every link, since the program reads
# its texts from its own folder. The file is also a link dependency, so editing it relinks the
# target and so refreshes the copy.
function(quorvan_copy_program_text target)
  set(program_text ${PROJECT_SOURCE_DIR}/data/qrv_e.dat)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${program_text})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${program_text} $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
