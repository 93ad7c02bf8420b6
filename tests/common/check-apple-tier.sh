#!/bin/sh
# Compiles the tier detection for an Intel Mac and fails if the object needs libgcc's
# processor probe (__cpu_model, __cpu_indicator_init), which Apple's runtime lacks: a plug-in
# built from it there would not link. Apple's SDK is not needed: clang's own freestanding
# headers and a minimal <cstdint> suffice.
# Usage: check-apple-tier.sh CLANGXX LLVM_NM SOURCE_ROOT
set -eu
clangxx=$1
nm=$2
root=$3
object=$(mktemp)
trap 'rm -f "$object"' EXIT
"$clangxx" -target x86_64-apple-macos10.13 -ffreestanding -nostdinc++ \
  -isystem "$root/tests/common/apple_headers" -I "$root" -std=c++17 -O2 \
  -c "$root/common/tier.cpp" -o "$object"
undefined=$("$nm" -u "$object")
if printf '%s\n' "$undefined" | grep -q cpu_; then
  echo "tier detection for Apple needs:" $undefined >&2
  exit 1
fi
