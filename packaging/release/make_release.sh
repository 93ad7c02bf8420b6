#!/usr/bin/env bash
# Packs what `make dist` left in DIST_DIR into one archive per host in DIST_DIR/release,
# named with the version from the Octave package's DESCRIPTION, and lists their SHA-256
# sums in SHA256SUMS. Usage: make_release.sh DIST_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
dist=$(cd "$1" && pwd)

field() { sed -n "s/^$1: *//p" "$root/packaging/octave/DESCRIPTION"; }
name=$(field Name)
version=$(field Version)
# Every file dated by the release, so the same build gives the same archives.
stamp="$(field Date) 00:00:00 UTC"

out="$dist/release"
rm -rf "$out"
mkdir -p "$out"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Stages FOLDER with the plug-ins of SUFFIX, their help files, the licence and the
# install note for HOST; EXAMPLE is a path to the folder as a sed replacement.
stage_plugins() {
  local folder=$1 suffix=$2 host=$3 example=$4
  mkdir "$stage/$folder"
  for fn in paretomask rowdist; do
    cp "$dist/$suffix/$fn.$suffix" "$dist/$suffix/$fn.m" "$stage/$folder/"
  done
  cp "$root/LICENSE" "$stage/$folder/"
  sed -e "s/@NAME@/$name/g" -e "s/@VERSION@/$version/g" -e "s/@HOST@/$host/g" \
    -e "s/@SUFFIX@/.$suffix/g" -e "s/@EXAMPLE_PATH@/$example/g" \
    "$here/INSTALL.txt" >"$stage/$folder/INSTALL.txt"
  touch -d "$stamp" "$stage/$folder" "$stage/$folder"/*
}

linux="$name-$version-linux-x64"
stage_plugins "$linux" mexa64 "MATLAB on 64-bit Linux" "\/home\/me\/$linux"
tar -C "$stage" --sort=name --owner=0 --group=0 --numeric-owner \
  -czf "$out/$linux.tar.gz" "$linux"

windows="$name-$version-windows-x64"
stage_plugins "$windows" mexw64 "MATLAB on 64-bit Windows" "C:\\\\Users\\\\me\\\\$windows"
(cd "$stage" && cmake -E tar cf "$out/$windows.zip" --format=zip --mtime="$stamp" \
  $(find "$windows" -type f | LC_ALL=C sort))

# Octave builds its package from source on installation: the archive is the package.
cp "$dist/$name-$version-octave.tar.gz" "$out/"

(cd "$out" && sha256sum -- *.tar.gz *.zip >SHA256SUMS)
ls -1 "$out"
