# add_mex_plugin(NAME HELP file SOURCES...) for 64-bit Windows with mingw-w64: a DLL
# NAME.mexw64 in dist/mexw64 that exports only mexFunction and imports only libmx.dll,
# libmex.dll and the system and C runtime DLLs. Its help file is copied beside it.
include(PluginDist)
find_program(MINGW_DLLTOOL NAMES ${CMAKE_DLLTOOL} x86_64-w64-mingw32-dlltool dlltool REQUIRED)

# The plug-ins link against import libraries made from the list of host functions they
# call, so they bind to any libmx.dll/libmex.dll that exports those names, not only to the
# stand-in host built here.
foreach(host_lib mx mex)
  set(def "${PROJECT_SOURCE_DIR}/host/windows/lib${host_lib}.def")
  set(implib "${CMAKE_BINARY_DIR}/host-imports/lib${host_lib}.a")
  add_custom_command(OUTPUT "${implib}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/host-imports"
    COMMAND ${MINGW_DLLTOOL} --input-def "${def}" --dllname lib${host_lib}.dll
            --output-lib "${implib}"
    DEPENDS "${def}"
    COMMENT "Import library for lib${host_lib}.dll"
    VERBATIM)
  add_custom_target(host_${host_lib}_implib DEPENDS "${implib}")
  add_library(host_${host_lib}_imports INTERFACE)
  target_link_libraries(host_${host_lib}_imports INTERFACE "${implib}")
  add_dependencies(host_${host_lib}_imports host_${host_lib}_implib)
endforeach()

function(add_mex_plugin name)
  cmake_parse_arguments(PLUGIN "" "HELP" "SOURCES" ${ARGN})
  add_library(${name}_mexw64 MODULE ${PLUGIN_SOURCES})
  ship_code_flags(${name}_mexw64)
  target_include_directories(${name}_mexw64 PRIVATE
    "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/host/include")
  target_link_libraries(${name}_mexw64 PRIVATE host_mx_imports host_mex_imports)
  # Runtimes linked in, so no libstdc++-6.dll or libgcc_s_seh-1.dll has to sit beside the
  # plug-in; nothing but the dllexport on mexFunction is exported. Stripped: the symbol table
  # and the debug sections of the mingw-w64 startup code are of no use to a host.
  target_link_options(${name}_mexw64 PRIVATE
    -static-libstdc++ -static-libgcc -static -Wl,--exclude-all-symbols -Wl,--no-undefined -s)
  set_target_properties(${name}_mexw64 PROPERTIES
    PREFIX "" OUTPUT_NAME ${name} SUFFIX ".mexw64"
    LIBRARY_OUTPUT_DIRECTORY "${DIST_DIR}/mexw64"
    RUNTIME_OUTPUT_DIRECTORY "${DIST_DIR}/mexw64")
  copy_plugin_help(${name}_mexw64_help "${PLUGIN_HELP}" "${DIST_DIR}/mexw64")
endfunction()
