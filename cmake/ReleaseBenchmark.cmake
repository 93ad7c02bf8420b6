# Google Benchmark for the benchmark programs, built once per build tree in Release from
# Debian's source package (scripts/fetch-benchmark-source.sh puts it in
# /usr/local/src/benchmark): Debian's own build of the library keeps its internal checks on,
# and every program linked with it warns "Library was built as DEBUG". The library is built
# and installed into the build tree when the tree is configured, so that find_package takes
# it; `make bench-compare` hands the same installed library to the earlier commit's tree
# (BENCHMARK_CONFIG_DIR, and benchmark_DIR for trees older than this file), so that both
# sides of a comparison link the very same file.
set(BENCHMARK_SOURCE_DIR "/usr/local/src/benchmark" CACHE PATH
    "Google Benchmark's sources, from Debian's source package")
set(release_benchmark "${CMAKE_BINARY_DIR}/google-benchmark")
set(release_benchmark_config "${release_benchmark}/install/lib/cmake/benchmark")
set(BENCHMARK_CONFIG_DIR "${release_benchmark_config}" CACHE PATH
    "Where the benchmarks find Google Benchmark's CMake package")

if(BENCHMARK_CONFIG_DIR STREQUAL release_benchmark_config
   AND NOT EXISTS "${release_benchmark_config}/benchmarkConfig.cmake")
  if(NOT EXISTS "${BENCHMARK_SOURCE_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "No Google Benchmark sources in ${BENCHMARK_SOURCE_DIR}: run make deps")
  endif()
  file(STRINGS "${BENCHMARK_SOURCE_DIR}/CMakeLists.txt" project_line
       REGEX "^project *\\(benchmark VERSION [0-9.]+")
  string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+" benchmark_version "${project_line}")
  message(STATUS "Building Google Benchmark ${benchmark_version} in Release")
  file(MAKE_DIRECTORY "${release_benchmark}")
  include(ProcessorCount)
  ProcessorCount(jobs)
  if(jobs EQUAL 0)
    set(jobs 1)
  endif()
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${BENCHMARK_SOURCE_DIR}" -B "${release_benchmark}/build"
            -G "${CMAKE_GENERATOR}" -DCMAKE_BUILD_TYPE=Release
            "-DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}"
            "-DCMAKE_INSTALL_PREFIX=${release_benchmark}/install"
            -DCMAKE_INSTALL_LIBDIR=lib "-DGIT_VERSION=${benchmark_version}"
            -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF
            -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_INSTALL_DOCS=OFF
    OUTPUT_FILE "${release_benchmark}/configure.log" ERROR_FILE "${release_benchmark}/configure.log"
    RESULT_VARIABLE failed)
  if(NOT failed)
    execute_process(
      COMMAND "${CMAKE_COMMAND}" --build "${release_benchmark}/build" --target install
              --parallel ${jobs}
      OUTPUT_FILE "${release_benchmark}/build.log" ERROR_FILE "${release_benchmark}/build.log"
      RESULT_VARIABLE failed)
  endif()
  if(failed)
    message(FATAL_ERROR "Building Google Benchmark failed: see ${release_benchmark}/*.log")
  endif()
endif()

# Never the system's library, even where an earlier configuration cached it.
set(benchmark_DIR "${BENCHMARK_CONFIG_DIR}" CACHE PATH "" FORCE)
find_package(benchmark REQUIRED)
