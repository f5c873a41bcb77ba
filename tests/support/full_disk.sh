#!/bin/sh
# full_disk.sh [--free BYTES] [--fsize] -- COMMAND [ARG...]
#
# Runs COMMAND with a file system that is full, for tests of what a failing
# write leaves behind. In a private mount namespace (unshare -m as root, else
# unshare -rm) a tmpfs of 64 KiB is mounted and filled by the hidden file
# .filler until the device refuses more, then BYTES (rounded up to whole pages,
# default 0) are freed again. A second, read-only tmpfs holds one file,
# kept.txt, reading "kept\n". Both vanish with the namespace.
#
# Where no namespace or tmpfs can be made, the folder is an ordinary one and
# the tests impose the file size limit (RLIMIT_FSIZE, SIGXFSZ ignored) of BYTES
# around the writes they make fail; the read-only folder is then one without
# write permission, when the user is not root (whom permissions do not stop).
# --fsize takes the fallback even where a namespace could be made.
#
# COMMAND sees:
#   FULL_DISK_DIR    the full folder
#   FULL_DISK_FREE   BYTES
#   FULL_DISK_MODE   tmpfs, or fsize for the fallback
#   READ_ONLY_DIR    the read-only folder; empty when there is none
# The first line printed says which ran. The exit status is COMMAND's.
set -eu

page=4096
free=0
fsize=
if [ "${1-}" = --inside ]; then
  # In the namespace: $2 the folder, $3 the bytes to leave free.
  root=$2
  free=$3
  shift 4
  mount -t tmpfs -o size=64k,mode=0777 vortane-full "$root/full"
  mount -t tmpfs -o size=16k,mode=0777 vortane-read-only "$root/read-only"
  printf 'kept\n' >"$root/read-only/kept.txt"
  mount -o remount,bind,ro "$root/read-only"
  cat /dev/zero >"$root/full/.filler" 2>/dev/null || true
  if [ "$free" -gt 0 ]; then
    size=$(wc -c <"$root/full/.filler")
    truncate -s $((size - free)) "$root/full/.filler"
  fi
  echo "full disk: a 64 KiB tmpfs at $root/full with $free bytes free; read-only tmpfs at $root/read-only"
  FULL_DISK_DIR=$root/full FULL_DISK_FREE=$free FULL_DISK_MODE=tmpfs READ_ONLY_DIR=$root/read-only
  export FULL_DISK_DIR FULL_DISK_FREE FULL_DISK_MODE READ_ONLY_DIR
  exec "$@"
fi

while [ $# -gt 0 ]; do
  case $1 in
    --free) free=$(( ($2 + page - 1) / page * page )); shift 2 ;;
    --fsize) fsize=1; shift ;;
    --) shift; break ;;
    *) echo "full_disk.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: full_disk.sh [--free BYTES] [--fsize] -- COMMAND [ARG...]" >&2; exit 2; }

root=$(mktemp -d "${TMPDIR:-/tmp}/vortane-full-disk-XXXXXX")
mkdir "$root/full" "$root/read-only"
cleanup() {
  chmod -R u+w "$root" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The namespace that can mount here: as root without a user namespace, else
# with one that maps the user to root.
for flags in -m -rm; do
  [ -n "$fsize" ] && break
  [ "$flags" = -m ] && [ "$(id -u)" != 0 ] && continue
  if unshare $flags sh -c "mount -t tmpfs -o size=4k probe '$root/full'" 2>/dev/null; then
    status=0
    unshare $flags sh "$0" --inside "$root" "$free" -- "$@" || status=$?
    exit $status
  fi
done

why="no mount namespace or tmpfs could be made here"
[ -n "$fsize" ] && why="--fsize asked for it"
echo "full disk: the file size limit (RLIMIT_FSIZE) of $free bytes stands in for it in $root/full: $why"
read_only=
if [ "$(id -u)" != 0 ]; then
  printf 'kept\n' >"$root/read-only/kept.txt"
  chmod a-w "$root/read-only"
  read_only=$root/read-only
fi
status=0
FULL_DISK_DIR=$root/full FULL_DISK_FREE=$free FULL_DISK_MODE=fsize READ_ONLY_DIR=$read_only "$@" || status=$?
exit $status
