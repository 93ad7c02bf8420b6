#!/bin/sh
# Fails unless a built plug-in (Linux ELF or Windows PE) exports only mexFunction and needs
# nothing but the host's libmx and libmex beside system and C runtime libraries; a Linux
# plug-in must also carry no RPATH or RUNPATH. A host loads it wherever it lies, with no
# compiler runtime installed.
# Usage: check-plugin-binary.sh OBJDUMP PLUGIN
set -eu
objdump=$1
plugin=$2

headers=$("$objdump" -p "$plugin")
case "$headers" in
  *"file format pei-x86-64"*)
    # Names in the export table, and the DLL of each import descriptor.
    exports=$(printf '%s\n' "$headers" |
      sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p')
    needed=$(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p')
    allowed='^(libmx\.dll|libmex\.dll|kernel32\.dll|ntdll\.dll|msvcrt\.dll|ucrtbase\.dll|api-ms-win-.*\.dll)$'
    search_paths=""
    ;;
  *"file format elf64-x86-64"*)
    # Defined dynamic symbols: every line of the table not marked *UND*.
    exports=$("$objdump" -T "$plugin" |
      awk '/^[0-9a-f]+ / && !/\*UND\*/ { print $NF }')
    needed=$(printf '%s\n' "$headers" | awk '$1 == "NEEDED" { print $2 }')
    allowed='^(libmx\.so|libmex\.so|libc\.so\.6|libm\.so\.6|libmvec\.so\.1|libpthread\.so\.0|libdl\.so\.2|librt\.so\.1|ld-linux-x86-64\.so\.2)$'
    search_paths=$(printf '%s\n' "$headers" | awk '$1 == "RPATH" || $1 == "RUNPATH" { print $1 " " $2 }')
    ;;
  *)
    echo "$plugin: not an x86-64 ELF or PE file" >&2
    exit 1
    ;;
esac

status=0
for name in $exports; do
  if [ "$name" != mexFunction ]; then
    echo "$plugin exports $name" >&2
    status=1
  fi
done
if ! printf '%s\n' "$exports" | grep -qx mexFunction; then
  echo "$plugin does not export mexFunction" >&2
  status=1
fi
for library in $needed; do
  if ! printf '%s\n' "$library" | grep -Eiq "$allowed"; then
    echo "$plugin needs $library" >&2
    status=1
  fi
done
if [ -n "$search_paths" ]; then
  echo "$plugin carries a library search path: $search_paths" >&2
  status=1
fi
exit "$status"
