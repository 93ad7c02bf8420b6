# Flags for code that ships inside the plug-ins. Results must not depend on the compiler,
# its optimisation level or the instruction set: no contraction into fused multiply-add,
# no fast-math, baseline x86-64 (faster paths are chosen at run time).
set(SHIPPED_FLAGS_FILE "${PROJECT_SOURCE_DIR}/cmake/shipped_flags.txt")
set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             "${SHIPPED_FLAGS_FILE}")

# shipped_flags(FAMILY OUT): the flags of one compiler family (gnu or msvc), as a list.
function(shipped_flags family out)
  file(STRINGS "${SHIPPED_FLAGS_FILE}" line REGEX "^${family}:")
  if(NOT line)
    message(FATAL_ERROR "${SHIPPED_FLAGS_FILE} has no line for ${family}")
  endif()
  string(REGEX REPLACE "^${family}: *" "" line "${line}")
  separate_arguments(line NATIVE_COMMAND "${line}")
  set(${out} ${line} PARENT_SCOPE)
endfunction()

if(MSVC)
  shipped_flags(msvc SHIPPED_COMPILE_FLAGS)
else()
  shipped_flags(gnu SHIPPED_COMPILE_FLAGS)
endif()

function(ship_code_flags target)
  target_compile_options(${target} PRIVATE ${SHIPPED_COMPILE_FLAGS})
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|amd64")
      target_compile_options(${target} PRIVATE -march=x86-64 -mtune=generic)
    endif()
  endif()
endfunction()

# Tests compute their expected values with the same arithmetic as the shipped code. They keep
# the default visibility: the stand-in host exports its functions through it.
set(TEST_COMPILE_FLAGS ${SHIPPED_COMPILE_FLAGS})
list(FILTER TEST_COMPILE_FLAGS EXCLUDE REGEX "visibility")

function(test_code_flags target)
  target_compile_options(${target} PRIVATE ${TEST_COMPILE_FLAGS})
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  endif()
endfunction()
