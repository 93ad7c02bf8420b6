#!/usr/bin/env bash
# Unpacks Debian's source package of Google Benchmark, at the version of the installed
# libbenchmark-dev and with Debian's patches, into DEST (default /usr/local/src/benchmark),
# as Debian's googletest package leaves GoogleTest's sources in /usr/src/googletest. The
# benchmarks build it in Release: Debian's own build keeps the library's internal checks on,
# and every program linked with it then warns "Library was built as DEBUG".
# apt runs with a source list and state of its own, so the machine's configuration stays as
# it is. Needs dpkg-dev (dpkg-source) and root, or write access to DEST's parent.
set -euo pipefail
dest=${1:-/usr/local/src/benchmark}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/debian_archive.sh"
. /etc/os-release
suite=$VERSION_CODENAME
version=$(dpkg-query -W -f='${source:Version}' libbenchmark-dev)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/unpack"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
  "$(debian_mirror "$suite") $suite main" >"$work/sources.list"
apt_private() {
  apt-get -q -o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/nonexistent \
    -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" \
    -o APT::Sandbox::User=root "$@"
}
apt_private update >/dev/null
(cd "$work/unpack" && apt_private source "benchmark=$version" >/dev/null)

unpacked=$(find "$work/unpack" -mindepth 1 -maxdepth 1 -type d -name 'benchmark-*')
rm -rf "$dest"
mkdir -p "$(dirname "$dest")"
mv "$unpacked" "$dest"
echo "Google Benchmark $version sources in $dest"
