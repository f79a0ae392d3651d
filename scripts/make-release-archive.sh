#!/usr/bin/env bash
# Zips a staged release so that the same commit always gives the same bytes:
# every time in the archive is the commit's (SOURCE_DATE_EPOCH when set), the
# entries are in a fixed order with fixed permissions, and SHA256SUMS.txt
# inside lists every other file, so players and mod sites can check what goes
# into the game.
# Usage: make-release-archive.sh <archive.zip> <staging folder> <source folder>
set -euo pipefail
archive=$(realpath -m "$1") staging=$2 source=$3

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source" log -1 --format=%ct 2>/dev/null || true)}
# Outside a git checkout: the earliest time a zip can hold (1980-01-01).
[ -n "$epoch" ] || epoch=315532800

cd "$staging"
export LC_ALL=C TZ=UTC  # zip stores local times; sort order by bytes
rm -f SHA256SUMS.txt
sums=$(find . -type f | sed 's|^\./||' | sort | xargs -d '\n' sha256sum)
# Windows line ends, like every other text file players open; sha256sum -c reads them too.
printf '%s\n' "$sums" | sed 's/$/\r/' >SHA256SUMS.txt
find . -type d -exec chmod 755 {} +
find . -type f -exec chmod 644 {} +
find . -exec touch -h -d "@$epoch" {} +
rm -f "$archive"
# -X: no owner ids or extra time fields; -D: no folder entries.
find . -type f | sed 's|^\./||' | sort | zip -q -X -D "$archive" -@
