#!/bin/sh
# Runs the Octave package's Makefile, unpacked from its archive, the way pkg install does, with
# MKOCTFILE under a folder whose name has a space (as Windows installs do). A stand-in for
# mkoctfile answers -p queries like the real one, except that it can report a MinGW host, and
# records the CXXFLAGS of each plug-in build instead of compiling; it rejects the assembler option
# that makes wide stack moves unaligned when asked to play an old assembler. Checks that every
# build gets the shipped flags, and on MinGW that option or else the baseline tier only.
# Usage: check-package-makefile.sh ARCHIVE
set -eu
archive=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar -C "$work" -xzf "$archive"
src=$(echo "$work"/*/src)
bin="$work/octave bin"
mkdir -p "$bin"
cat > "$bin/mkoctfile" <<'STANDIN'
#!/bin/sh
if [ "$1" = -p ]; then
  if [ "$2" = CANONICAL_HOST_TYPE ] && [ -n "${FAKE_HOST_TYPE:-}" ]; then
    echo "$FAKE_HOST_TYPE"
    exit 0
  fi
  exec mkoctfile "$@"
fi
case " $CXXFLAGS " in
  *" -Wa,-muse-unaligned-vector-move "*)
    if [ -n "${OLD_ASSEMBLER:-}" ]; then exit 1; fi ;;
esac
if [ "$1" = --mex ]; then echo "$CXXFLAGS" >> "$BUILD_LOG"; fi
previous=""
for arg in "$@"; do
  if [ "$previous" = -o ]; then : > "$arg"; fi
  previous=$arg
done
STANDIN
chmod +x "$bin/mkoctfile"
shipped=$(sed -n 's/^gnu: *//p' "$src/cmake/shipped_flags.txt")

status=0
# CASE HOST_TYPE OLD_ASSEMBLER FLAGS_EXPECTED FLAGS_FORBIDDEN
expect_builds() {
  log="$work/$1.log"
  rm -f "$log" "$src"/*.mex
  if ! BUILD_LOG="$log" FAKE_HOST_TYPE=$2 OLD_ASSEMBLER=$3 \
       make -s -C "$src" MKOCTFILE="$bin/mkoctfile" paretomask.mex rowdist.mex >/dev/null; then
    echo "$1: make failed" >&2
    status=1
    return
  fi
  builds=$(wc -l < "$log")
  if [ "$builds" -ne 2 ]; then
    echo "$1: $builds plug-in builds, expected 2" >&2
    status=1
  fi
  while read -r flags; do
    for flag in $shipped $4; do
      case " $flags " in *" $flag "*) ;; *) echo "$1: a build lacks $flag" >&2; status=1 ;; esac
    done
    for flag in $5; do
      case " $flags " in *" $flag "*) echo "$1: a build has $flag" >&2; status=1 ;; esac
    done
  done < "$log"
}
unaligned=-Wa,-muse-unaligned-vector-move
expect_builds linux "" "" "-std=c++17" "$unaligned -DTIER_BASELINE_ONLY"
expect_builds mingw x86_64-w64-mingw32 "" "$unaligned" "-DTIER_BASELINE_ONLY"
expect_builds mingw-old-assembler x86_64-w64-mingw32 1 "-DTIER_BASELINE_ONLY" "$unaligned"
exit "$status"
