#!/usr/bin/env bash
# Shows that the release can be rebuilt byte for byte: copies the sources to a
# folder of another name, builds Pellimore.asi and pellimore.exe there again,
# and compares them, and the archive made from them, with the build given.
# (The editor page is taken from the build given: it holds no path or time.)
# Usage: check-reproducible.sh <source folder> <windows build folder> <archive name>
set -euo pipefail
source=$(realpath "$1") build=$(realpath "$2") archive_name=$3
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
copy=$work/another/place/for/the/sources
mkdir -p "$copy"

# The files git would commit, as they are now in the work tree.
(cd "$source" && git ls-files -z -co --exclude-standard |
  while IFS= read -r -d '' file; do [ -f "$file" ] && printf '%s\0' "$file"; done |
  tar --null -T - -cf -) | tar -xf - -C "$copy"

echo "rebuilding Pellimore.asi and pellimore.exe in $copy"
(cd "$copy" && cmake --preset windows -DPELLIMORE_TESTS=OFF >/dev/null &&
  cmake --build --preset windows --target Pellimore pellimore >/dev/null)

failures=0
for file in Pellimore.asi pellimore.exe; do
  if cmp -s "$build/$file" "$copy/build/windows/$file"; then
    echo "same: $file $(sha256sum <"$build/$file" | cut -c1-64)"
  else
    echo "FAIL: $file differs between $build and a rebuild in $copy"
    failures=$((failures + 1))
  fi
done

# The archive again, from the rebuilt files, with times and permissions of its own.
staging=$work/staging
cp -r "$build/package-staging" "$staging"
cp "$copy/build/windows/Pellimore.asi" "$staging/"
cp "$copy/build/windows/pellimore.exe" "$staging/Pellimore-tools/"
touch "$staging"/* && chmod -R go-r "$staging"
SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct) \
  bash "$source/scripts/make-release-archive.sh" "$work/$archive_name" "$staging" "$source"
if cmp -s "$build/$archive_name" "$work/$archive_name"; then
  echo "same: $archive_name $(sha256sum <"$build/$archive_name" | cut -c1-64)"
else
  echo "FAIL: $archive_name differs when made again from the rebuilt files"
  failures=$((failures + 1))
fi
echo "$((3 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
