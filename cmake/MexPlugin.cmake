# add_mex_plugin(NAME HELP file SOURCES...): a host plug-in NAME.mexa64 in dist/mexa64 that
# exports only mexFunction, needs only libmx/libmex beside the C runtime, and carries no
# RPATH. Its help file is copied beside it.
set(DIST_DIR "${PROJECT_SOURCE_DIR}/dist" CACHE PATH "Where built plug-ins go")

function(add_mex_plugin name)
  cmake_parse_arguments(PLUGIN "" "HELP" "SOURCES" ${ARGN})
  add_library(${name}_mexa64 MODULE ${PLUGIN_SOURCES})
  ship_code_flags(${name}_mexa64)
  target_include_directories(${name}_mexa64 PRIVATE
    "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/host/include")
  target_link_libraries(${name}_mexa64 PRIVATE mx mex)
  target_link_options(${name}_mexa64 PRIVATE
    -static-libstdc++ -static-libgcc
    "-Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/mex_exports.map"
    -Wl,--no-undefined -Wl,--as-needed)
  set_target_properties(${name}_mexa64 PROPERTIES
    PREFIX "" OUTPUT_NAME ${name} SUFFIX ".mexa64"
    LIBRARY_OUTPUT_DIRECTORY "${DIST_DIR}/mexa64"
    SKIP_BUILD_RPATH TRUE INSTALL_RPATH "")
  # Its own rule, so an edit to the help file alone still reaches dist/.
  get_filename_component(help_name "${PLUGIN_HELP}" NAME)
  add_custom_command(OUTPUT "${DIST_DIR}/mexa64/${help_name}"
    COMMAND ${CMAKE_COMMAND} -E copy "${PLUGIN_HELP}" "${DIST_DIR}/mexa64/${help_name}"
    DEPENDS "${PLUGIN_HELP}" VERBATIM)
  add_custom_target(${name}_mexa64_help ALL DEPENDS "${DIST_DIR}/mexa64/${help_name}")

  # The same sources through Octave's own build tool, against Octave's own header.
  if(MKOCTFILE)
    set(out "${DIST_DIR}/octave/${name}.mex")
    # mkoctfile tracks no includes: rebuild when any header beside a source changes.
    set(header_globs "${PROJECT_SOURCE_DIR}/host/gateway/*.h")
    foreach(source ${PLUGIN_SOURCES})
      get_filename_component(dir "${source}" DIRECTORY)
      list(APPEND header_globs "${dir}/*.h")
    endforeach()
    file(GLOB headers CONFIGURE_DEPENDS ${header_globs})
    add_custom_command(OUTPUT "${out}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${DIST_DIR}/octave"
      COMMAND ${CMAKE_COMMAND} -E env "CXXFLAGS=-O2 -std=c++17 -ffp-contract=off -fPIC -fvisibility=hidden"
              ${MKOCTFILE} --mex -I${PROJECT_SOURCE_DIR} -o "${out}" ${PLUGIN_SOURCES}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different "${PLUGIN_HELP}" "${DIST_DIR}/octave/"
      DEPENDS ${PLUGIN_SOURCES} ${headers} "${PLUGIN_HELP}"
      WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
      COMMENT "Building ${name}.mex with mkoctfile"
      VERBATIM)
    add_custom_target(${name}_octave ALL DEPENDS "${out}")
  endif()
endfunction()
