# Sourced by the scripts that fetch from the Debian archive. debian_mirror SUITE prints the
# archive apt uses here for SUITE, from a deb822 or a one-line sources file.
debian_mirror() {
  local mirror=""
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    mirror=$(awk '$1 == "URIs:" { print $2; exit }' /etc/apt/sources.list.d/debian.sources)
  fi
  if [ -z "$mirror" ] && [ -f /etc/apt/sources.list ]; then
    mirror=$(awk -v s="$1" '$1 == "deb" && $3 == s { print $2; exit }' /etc/apt/sources.list)
  fi
  echo "${mirror:-http://deb.debian.org/debian}"
}
