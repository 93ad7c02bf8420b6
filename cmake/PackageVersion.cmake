# PACKAGE_NAME and PACKAGE_VERSION, read from the Octave package's DESCRIPTION: the one
# place the version is written. A change to it configures again.
set(package_description "${PROJECT_SOURCE_DIR}/packaging/octave/DESCRIPTION")
file(STRINGS "${package_description}" name_field REGEX "^Name:")
file(STRINGS "${package_description}" version_field REGEX "^Version:")
string(REGEX REPLACE "^Name: *" "" PACKAGE_NAME "${name_field}")
string(REGEX REPLACE "^Version: *" "" PACKAGE_VERSION "${version_field}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${package_description}")
