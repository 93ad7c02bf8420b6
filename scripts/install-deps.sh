#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the demo need and is missing.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_file() { [ -e "$1" ]; }

have_cmd cmake || need+=(cmake)
have_cmd g++ || need+=(g++)
have_cmd make || need+=(make)
have_file /usr/include/gtest/gtest.h || need+=(libgtest-dev)
have_file /usr/src/googletest/CMakeLists.txt || need+=(googletest)
have_file /usr/include/benchmark/benchmark.h || need+=(libbenchmark-dev)
# dpkg-source, which unpacks Debian's source package of Google Benchmark (below).
have_cmd dpkg-source || need+=(dpkg-dev)
have_cmd octave-cli || need+=(octave)
have_cmd mkoctfile || need+=(liboctave-dev)
have_cmd x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64)
have_cmd x86_64-w64-mingw32-dlltool || need+=(binutils-mingw-w64-x86-64)
have_cmd gendef || need+=(mingw-w64-tools)
have_file /usr/lib/wine/wine64 || need+=(wine64)
have_cmd clang++ || need+=(clang)
have_cmd clang-format || need+=(clang-format)
ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ||
  need+=(libclang-rt-14-dev)
# Debian's own Python, which the peer benchmark uses, whatever python3 comes first on PATH.
/usr/bin/python3 -c 'import scipy' >/dev/null 2>&1 || need+=(python3-scipy)
have_cmd gnuplot || need+=(gnuplot-nox)
# Octave lays out the demo picture's text with this font and writes PNG through
# Ghostscript; both are only recommendations of Octave's package.
have_file /usr/share/fonts/opentype/freefont/FreeSans.otf || need+=(fonts-freefont-otf)
have_cmd gs || need+=(ghostscript)
# parcellfun, for the test of flags computed in chunks.
ls -d /usr/lib/*/octave/packages/parallel-* >/dev/null 2>&1 || need+=(octave-parallel)
# A fresh Debian root for `make fresh-check`.
have_cmd debootstrap || need+=(debootstrap)
have_cmd objdump || need+=(binutils)
# llvm-nm reads the object that the Intel Mac check compiles with clang.
have_file /usr/lib/llvm-14/bin/llvm-nm || need+=(llvm-14)
have_cmd aarch64-linux-gnu-g++ || need+=(g++-aarch64-linux-gnu)
have_cmd qemu-aarch64 || need+=(qemu-user)

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${need[@]}"
fi

# The benchmarks build Google Benchmark in Release from Debian's source package.
benchmark_source=/usr/local/src/benchmark
if [ ! -f "$benchmark_source/CMakeLists.txt" ]; then
  $sudo "$(dirname "$0")/fetch-benchmark-source.sh" "$benchmark_source"
fi
