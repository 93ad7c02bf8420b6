#!/usr/bin/env bash
# Every archive name the README gives carries the version in the Octave package's
# DESCRIPTION, the one place it is written. Usage: check-readme-version.sh ROOT
set -euo pipefail
root=$1
version=$(sed -n 's/^Version: *//p' "$root/packaging/octave/DESCRIPTION")
names=$(grep -o 'rowtools-[0-9][0-9A-Za-z.]*[0-9]' "$root/README.md" || true)
if [ -z "$names" ]; then
  echo "FAILED: the README names no archive with a version"
  exit 1
fi
stale=$(printf '%s\n' "$names" | grep -vx "rowtools-$version" || true)
if [ -n "$stale" ]; then
  echo "FAILED: the README names $(echo $stale) but the version is $version"
  exit 1
fi
echo "README: $(printf '%s\n' "$names" | wc -l) archive names, all of version $version"
