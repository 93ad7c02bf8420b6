#!/bin/sh
# Fails if a built plug-in's machine code could make results depend on the compiler or
# crash on some hosts:
# - any fused multiply-add (x86 or arm64): the shipped code never asks for one, so one can
#   only come from a compiler contracting a multiply and an add, which changes results;
# - in a Windows plug-in, any aligned move of a 32- or 64-byte register to or from the
#   stack: Windows aligns the stack to 16 bytes only, so such a move faults at random.
# Usage: check-plugin-code.sh OBJDUMP PLUGIN...
set -eu
objdump=$1
shift

status=0
for plugin in "$@"; do
  code=$("$objdump" -d --no-show-raw-insn "$plugin")
  fused=$(printf '%s\n' "$code" |
    grep -Ec '[[:space:]](vfn?m(add|sub)[a-z0-9]*|fn?m(add|sub)|fml[as])[[:space:]]' || true)
  if [ "$fused" -ne 0 ]; then
    echo "$plugin holds $fused fused multiply-add instructions" >&2
    status=1
  fi
  case "$code" in
    *"file format pei-x86-64"*)
      aligned=$(printf '%s\n' "$code" |
        grep -E '[[:space:]]vmov(ap[sd]|dqa(32|64)?)[[:space:]]' |
        grep -E '%[yz]mm' | grep -E '\(%r[sb]p' || true)
      if [ -n "$aligned" ]; then
        echo "$plugin moves wide registers to or from the stack with aligned moves:" >&2
        printf '%s\n' "$aligned" | head -n 5 >&2
        status=1
      fi
      ;;
  esac
done
exit "$status"
