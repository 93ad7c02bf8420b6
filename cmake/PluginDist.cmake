# What every plug-in build shares: where built plug-ins go, and their help files beside them.
set(DIST_DIR "${PROJECT_SOURCE_DIR}/dist" CACHE PATH "Where built plug-ins go")

# Copies `help` into `folder` under target `target`: its own rule, so an edit to the help
# file alone still reaches dist/.
function(copy_plugin_help target help folder)
  get_filename_component(help_name "${help}" NAME)
  add_custom_command(OUTPUT "${folder}/${help_name}"
    COMMAND ${CMAKE_COMMAND} -E copy "${help}" "${folder}/${help_name}"
    DEPENDS "${help}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS "${folder}/${help_name}")
endfunction()
