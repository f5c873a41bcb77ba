#!/usr/bin/env bash
# Downloads the files of one of Debian's source packages (its .dsc, the
# original tarball and Debian's changes) into a folder, through a deb-src
# entry of its own for this one call, without touching the system's lists:
#   scripts/debian-source.sh NAME DIR
# The entry names the archive and release the system uses; files already
# downloaded whole are kept.
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1
apt_dir=$(realpath -m "$2")
scripts/install-deps.sh source
mkdir -p "$apt_dir/lists/partial"
archive=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
[ -n "$archive" ] || archive=$(sed -n 's/^deb \+\(http[^ ]*\) .*/\1/p' /etc/apt/sources.list 2>/dev/null | head -1)
[ -n "$archive" ] || archive=http://deb.debian.org/debian
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
echo "deb-src $archive $suite main" > "$apt_dir/sources.list"
apt_options=(-o "Dir::Etc::sourcelist=$apt_dir/sources.list" -o Dir::Etc::sourceparts=- -o "Dir::State::Lists=$apt_dir/lists")
apt-get "${apt_options[@]}" update -qq
(cd "$apt_dir" && apt-get "${apt_options[@]}" source --download-only -qq "$name" 2>/dev/null)
