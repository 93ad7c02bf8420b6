#!/usr/bin/env bash
# Assembles the Octave package archive NAME-VERSION-octave.tar.gz (name and version from
# DESCRIPTION) from the sources of this checkout. Usage: make_archive.sh OUT_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)

field() { sed -n "s/^$1: *//p" "$here/DESCRIPTION"; }
name=$(field Name)
version=$(field Version)

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
package="$stage/$name-$version"
mkdir -p "$package/inst" "$package/src"
cp "$here/DESCRIPTION" "$here/INDEX" "$package/"
sed -e "s/@NAME@/$name/g" -e "s/@VERSION@/$version/g" "$here/INSTALL" >"$package/INSTALL"
# A package's licence must be named COPYING; it is the project's own.
cp "$root/LICENSE" "$package/COPYING"
cp "$here/src/Makefile" "$package/src/"
mkdir -p "$package/src/cmake"
cp "$root/cmake/shipped_flags.txt" "$package/src/cmake/"
cp "$root/paretomask/paretomask.m" "$root/rowdist/rowdist.m" "$package/inst/"

# Every C++ source and header of the folders the plug-ins are built from, subfolders
# included, in the same layout, so sources added later are shipped without edits here.
for folder in common dominance distance paretomask rowdist host/gateway; do
  (cd "$root" && find "$folder" -type f \( -name '*.cpp' -o -name '*.h' \)) |
    while read -r file; do
      mkdir -p "$package/src/$(dirname "$file")"
      cp "$root/$file" "$package/src/$file"
    done
done

# Fixed order and ownership, so the same sources give the same archive listing.
tar -C "$stage" --sort=name --owner=0 --group=0 --numeric-owner \
  -czf "$out/$name-$version-octave.tar.gz" "$name-$version"
echo "$out/$name-$version-octave.tar.gz"
