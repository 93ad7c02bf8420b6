#!/bin/sh
# Checks common/no_contraction.h: every kernel source includes it; with Clang, whose default
# contracts within an expression, it keeps a multiply and an add apart; and each compiler that
# defines _MSC_VER (MSVC, clang-cl, Intel's) is given the form of the pragma it accepts.
# Usage: check-no-contraction.sh CLANGXX SOURCE_ROOT
set -eu
clangxx=$1
root=$2
header="$root/common/no_contraction.h"
status=0

missing=$(find "$root/dominance" "$root/distance" -name '*.cpp' \
  -exec grep -L '^#include "common/no_contraction.h"' {} + || true)
if [ -n "$missing" ]; then
  echo "kernel sources without common/no_contraction.h:" $missing >&2
  status=1
fi

fused() {
  printf 'double multiplyAdd(double a, double b, double c) { return a * b + c; }\n' |
    "$clangxx" -x c++ -O2 -mfma -ffp-contract=on "$@" -S -o - - | grep -c vfmadd || true
}
if [ "$(fused)" -eq 0 ]; then
  echo "the probe is not contracted even without the header: it proves nothing" >&2
  status=1
fi
if [ "$(fused -include "$header")" -ne 0 ]; then
  echo "Clang contracts a multiply-add despite the header" >&2
  status=1
fi

# COMPILER: the macros it defines (the preprocessor here defines __clang__ and __GNUC__), then
# the pragma it must see.
expect_pragma() {
  compiler=$1
  expected=$2
  shift 2
  got=$("$clangxx" -x c++ -E -P -Wno-builtin-macro-redefined "$@" "$header" | grep '#pragma' || true)
  if [ "$got" != "$expected" ]; then
    echo "$compiler: expected '$expected', got '$got'" >&2
    status=1
  fi
}
msvc="-U__clang__ -U__GNUC__ -D_MSC_VER=1929"
expect_pragma "MSVC 2019" "#pragma fp_contract(off)" $msvc
expect_pragma "Intel classic on Windows" "#pragma fp_contract(off)" $msvc -D__INTEL_COMPILER=1910
expect_pragma "clang-cl" "#pragma clang fp contract(off)" -D_MSC_VER=1929
expect_pragma "Intel oneAPI on Windows" "#pragma clang fp contract(off)" -D_MSC_VER=1929 \
  -D__INTEL_LLVM_COMPILER=20230000
expect_pragma "Apple clang" "#pragma clang fp contract(off)" -D__APPLE__
expect_pragma "GCC" "" -U__clang__
exit "$status"
