#!/usr/bin/env bash
# Tries the project as a newcomer would: `make demo`, then `make test`, in a fresh
# minimal Debian 12 root (debootstrap from the Debian archive this machine uses, with
# only make added) holding the committed tree, HEAD. Needs root. The root is made in
# build-fresh/ and removed at the end, pass or fail. Its mounts live in a private mount
# namespace, so they can never show outside it or outlive it, and nothing is removed
# while anything is mounted below the root.
set -euo pipefail
repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
work="$repo/build-fresh"
root="$work/root"
suite=bookworm

if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-check: needs root (debootstrap, chroot and mount)" >&2
  exit 1
fi
. "$repo/scripts/debian_archive.sh"
mirror=$(debian_mirror "$suite")

mounted_below() { awk -v r="$1/" 'index($5, r) == 1 { print $5 }' /proc/self/mountinfo; }

# Removes the root, refusing while anything is mounted below it; --one-file-system
# keeps rm on the root's own file system even then.
remove_root() {
  [ -e "$work" ] || return 0
  if [ -n "$(mounted_below "$work")" ]; then
    echo "fresh-check: still mounted below $work, not removing it:" >&2
    mounted_below "$work" >&2
    return 1
  fi
  rm -rf --one-file-system "$work"
}

remove_root
trap remove_root EXIT
mkdir -p "$work"

echo "fresh-check: debootstrap $suite from $mirror into $root"
debootstrap --variant=minbase --include=make "$suite" "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  {
    tail -n 20 "$work/debootstrap.log" >&2
    exit 1
  }
# The same Debian suites as this machine (updates and security too), where it lists them apart.
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
  rm -f "$root/etc/apt/sources.list"
fi

mkdir "$root/src"
git -C "$repo" archive --format=tar HEAD | tar -x -C "$root/src"
echo "fresh-check: $(git -C "$repo" rev-parse --short HEAD) copied in; make demo, then make test"

# What a newcomer does. The demo is the first thing they run: it must also end without any
# line that starts with "error:", which Octave can print after the script has succeeded.
cat >"$root/newcomer.sh" <<'STEPS'
set -euo pipefail
cd /src
make demo 2>&1 | tee /tmp/demo.log
if grep -n '^error:' /tmp/demo.log >&2; then
  echo 'fresh-check: make demo printed the lines above, starting with "error:"' >&2
  exit 1
fi
make test
STEPS

# Octave and Wine need /proc, /sys and a shared-memory folder; the minimal root has its
# own device nodes. Everything mounted here goes with the namespace at the latest.
status=0
unshare --mount --propagation private bash -euc '
  root=$1
  trap "umount $root/dev/shm $root/sys $root/proc 2>/dev/null || true" EXIT
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount -t tmpfs tmpfs "$root/dev/shm"
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash /newcomer.sh
' fresh-check "$root" || status=$?

if [ "$status" -eq 0 ]; then
  echo "fresh-check: make demo and make test passed in a fresh $suite root"
else
  echo "fresh-check: FAILED (exit status $status)" >&2
fi
exit "$status"
