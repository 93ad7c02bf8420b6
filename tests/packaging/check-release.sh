#!/usr/bin/env bash
# Checks the archives that `make release` left in DIST_DIR/release: exactly the three
# archives and SHA256SUMS, which must match them; each plug-in archive holds exactly the
# plug-ins as built, the help files and licence of this checkout and an install note for
# this version; the Octave archive is the package as built, with the licence as COPYING.
# Usage: check-release.sh ROOT DIST_DIR
set -euo pipefail
root=$(cd "$1" && pwd)
dist=$(cd "$2" && pwd)
release="$dist/release"
field() { sed -n "s/^$1: *//p" "$root/packaging/octave/DESCRIPTION"; }
name=$(field Name)
version=$(field Version)

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
same() { cmp -s "$1" "$2" || fail "$3"; }
listing() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

if [ ! -d "$release" ]; then
  echo "FAILED: no $release: run make release first"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

octave="$name-$version-octave.tar.gz"
expected=$(printf '%s\n' SHA256SUMS "$name-$version-linux-x64.tar.gz" "$octave" \
  "$name-$version-windows-x64.zip" | LC_ALL=C sort)
[ "$(listing "$release")" = "$expected" ] ||
  fail "the release folder holds: $(listing "$release" | tr '\n' ' ')"
[ "$(wc -l <"$release/SHA256SUMS")" -eq 3 ] || fail "SHA256SUMS does not list three archives"
(cd "$release" && sha256sum --quiet --strict -c SHA256SUMS) || fail "SHA256SUMS does not match"

# ARCHIVE SUFFIX HOST: the plug-ins of one host.
check_plugins() {
  local archive=$1 suffix=$2 folder="$name-$version-$3"
  mkdir "$work/$3"
  (cd "$work/$3" && cmake -E tar xf "$release/$archive")
  local got="$work/$3/$folder"
  [ "$(listing "$work/$3")" = "$(printf '%s\n' "$folder/INSTALL.txt" "$folder/LICENSE" \
    "$folder/paretomask.m" "$folder/paretomask.$suffix" "$folder/rowdist.m" \
    "$folder/rowdist.$suffix")" ] || fail "$archive holds: $(listing "$work/$3" | tr '\n' ' ')"
  for fn in paretomask rowdist; do
    same "$got/$fn.$suffix" "$dist/$suffix/$fn.$suffix" "$archive: $fn.$suffix is not the one built"
    same "$got/$fn.m" "$root/$fn/$fn.m" "$archive: $fn.m is not this checkout's help file"
  done
  same "$got/LICENSE" "$root/LICENSE" "$archive: LICENSE differs"
  for text in "$name $version" "addpath('" "help paretomask" ".$suffix files"; do
    grep -qF "$text" "$got/INSTALL.txt" || fail "$archive: the install note lacks '$text'"
  done
  ! grep -q '@[A-Z_]*@' "$got/INSTALL.txt" || fail "$archive: a placeholder is left in the note"
}
check_plugins "$name-$version-linux-x64.tar.gz" mexa64 linux-x64
check_plugins "$name-$version-windows-x64.zip" mexw64 windows-x64

# The package as pkg install takes it: its own files, the help files, and under src/ the
# sources of this checkout in their folders beside the package's Makefile.
same "$release/$octave" "$dist/$octave" "$octave is not the package as built"
mkdir "$work/octave"
(cd "$work/octave" && cmake -E tar xf "$release/$octave")
package="$work/octave/$name-$version"
[ "$(listing "$work/octave" | grep -v "^$name-$version/src/")" = "$(printf '%s\n' \
  "$name-$version/COPYING" "$name-$version/DESCRIPTION" "$name-$version/INDEX" \
  "$name-$version/INSTALL" "$name-$version/inst/paretomask.m" "$name-$version/inst/rowdist.m")" ] ||
  fail "$octave holds: $(listing "$work/octave" | grep -v /src/ | tr '\n' ' ')"
same "$package/COPYING" "$root/LICENSE" "$octave: COPYING is not LICENSE"
same "$package/DESCRIPTION" "$root/packaging/octave/DESCRIPTION" "$octave: DESCRIPTION differs"
for fn in paretomask rowdist; do
  same "$package/inst/$fn.m" "$root/$fn/$fn.m" "$octave: $fn.m is not this checkout's help file"
done
same "$package/src/Makefile" "$root/packaging/octave/src/Makefile" "$octave: src/Makefile differs"
while read -r file; do
  [ "$file" = Makefile ] && continue
  same "$package/src/$file" "$root/$file" "$octave: src/$file is not this checkout's"
done < <(listing "$package/src")
grep -qF "pkg install $octave" "$package/INSTALL" || fail "$octave: the note names another archive"

echo "release archives of $name $version: $failures failed"
[ "$failures" -eq 0 ]
