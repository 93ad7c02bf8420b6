# Flags for code that ships inside the plug-ins. Results must not depend on the compiler,
# its optimisation level or the instruction set: no contraction into fused multiply-add,
# no fast-math, baseline x86-64 (faster paths are chosen at run time).
function(ship_code_flags target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /fp:precise)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror
      -ffp-contract=off -fno-fast-math -fvisibility=hidden)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|amd64")
      target_compile_options(${target} PRIVATE -march=x86-64 -mtune=generic)
    endif()
  endif()
endfunction()

function(test_code_flags target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -ffp-contract=off)
endfunction()
