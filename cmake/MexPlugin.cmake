# add_mex_plugin(NAME HELP file SOURCES...): a host plug-in NAME.mexa64 in dist/mexa64 that
# exports only mexFunction, needs only libmx/libmex beside the C runtime, and carries no
# RPATH. Its help file is copied beside it.
include(PluginDist)

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
  copy_plugin_help(${name}_mexa64_help "${PLUGIN_HELP}" "${DIST_DIR}/mexa64")

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
    shipped_flags(gnu flags)
    list(JOIN flags " " flags)
    add_custom_command(OUTPUT "${out}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${DIST_DIR}/octave"
      COMMAND ${CMAKE_COMMAND} -E env "CXXFLAGS=-O2 -std=c++17 -fPIC ${flags}"
              ${MKOCTFILE} --mex -I${PROJECT_SOURCE_DIR} -o "${out}" ${PLUGIN_SOURCES}
      DEPENDS ${PLUGIN_SOURCES} ${headers} "${SHIPPED_FLAGS_FILE}"
      WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
      COMMENT "Building ${name}.mex with mkoctfile"
      VERBATIM)
    add_custom_target(${name}_octave ALL DEPENDS "${out}")
    copy_plugin_help(${name}_octave_help "${PLUGIN_HELP}" "${DIST_DIR}/octave")
  endif()
endfunction()
