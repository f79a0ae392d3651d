#!/usr/bin/env bash
# Checks the release archive: exactly the files a player needs (the module and
# its settings at the root, the tools and scenario examples in Pellimore-tools/),
# a module stripped of its debug sections and small enough to be one, a tool
# that needs no DLL but Windows' own, and a checksum list that matches every
# other file.
# Usage: check-package.sh <archive> <scenario examples folder>
set -euo pipefail
archive=$1 scenarios=$2
[ -f "$archive" ] || { echo "FAIL: $archive was not built"; exit 1; }
contents=$(unzip -Z1 "$archive" | grep -v '/$' | sort | tr '\n' ' ')
# Every language the tools speak has its first steps beside README.txt, where the page links them.
languages=$(cd "$(dirname "$0")/../words" && ls ./*.txt | sed 's|^\./||; s|\.txt$||' | grep -vx en)
expected=$( { printf '%s\n' Pellimore.asi Pellimore.ini README.txt CHANGELOG.txt LICENSE.txt SHA256SUMS.txt \
    Pellimore-tools/pellimore.exe Pellimore-tools/doctor.cmd \
    Pellimore-tools/Pellimore-editor.html
  for language in $languages; do echo "README.$language.txt"; done
  for scenario in "$scenarios"/*.scenario; do echo "Pellimore-tools/scenarios/$(basename "$scenario")"; done; } | sort | tr '\n' ' ')
if [ "$contents" != "$expected" ]; then
  echo "FAIL: $archive holds '$contents', expected '$expected'"
  exit 1
fi
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
unzip -q "$archive" -d "$scratch"
listed=$(tr -d '\r' <"$scratch/SHA256SUMS.txt" | cut -c67- | sort | tr '\n' ' ')
others=$(cd "$scratch" && find . -type f ! -name SHA256SUMS.txt | sed 's|^\./||' | sort | tr '\n' ' ')
if [ "$listed" != "$others" ] || ! (cd "$scratch" && sha256sum --quiet -c SHA256SUMS.txt); then
  echo "FAIL: SHA256SUMS.txt lists '$listed' for the files '$others', or a checksum does not match"
  exit 1
fi
size=$(stat -c %s "$scratch/Pellimore.asi")
if [ "$size" -gt $((1024 * 1024)) ]; then
  echo "FAIL: the packaged Pellimore.asi is $size bytes; it must stay within 1 MiB"
  exit 1
fi
if x86_64-w64-mingw32-objdump -h "$scratch/Pellimore.asi" | grep -q '\.debug_'; then
  echo "FAIL: the packaged Pellimore.asi still carries debug sections"
  exit 1
fi
tool_dlls=$(x86_64-w64-mingw32-objdump -p "$scratch/Pellimore-tools/pellimore.exe" | sed -n 's/^\s*DLL Name: //p' | sort -u | tr '\n' ' ')
for dll in $tool_dlls; do
  case "${dll,,}" in
    # Windows' own libraries, on every Windows (ole32 frees the profile folder's path).
    kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll|shell32.dll|ole32.dll) ;;
    *) echo "FAIL: pellimore.exe needs $dll, which players do not have"; exit 1 ;;
  esac
done
# Notepad shows lines only where they end the Windows way; the player sees the version.
for text in README.txt CHANGELOG.txt LICENSE.txt Pellimore.ini SHA256SUMS.txt $(for l in $languages; do echo "README.$l.txt"; done); do
  if grep -q -v $'\r$' "$scratch/$text"; then echo "FAIL: $text has lines without Windows line ends"; exit 1; fi
done
version=$(basename "$archive" .zip); version=${version#Pellimore-}
grep -q "Pellimore $version" "$scratch/README.txt" || { echo "FAIL: README.txt does not name version $version"; exit 1; }
# The tool's file properties show its version, as the module's do.
utf16() { printf '%s' "$1" | sed 's/\./\\./g; s/\\*./&\\x00/g'; }
for binary in Pellimore.asi Pellimore-tools/pellimore.exe; do
  if ! LC_ALL=C grep -q -a -P "$(utf16 ProductVersion)\\x00\\x00$(utf16 "$version")" "$scratch/$binary"; then
    echo "FAIL: $binary carries no version resource for $version"; exit 1
  fi
done
grep -q "MIT" "$scratch/LICENSE.txt" && grep -q "LICENSE.txt" "$scratch/README.txt" ||
  { echo "FAIL: LICENSE.txt is missing its licence, or README.txt does not name it"; exit 1; }
echo "package ok: $contents"
echo "Pellimore.asi: $size bytes, no debug sections; pellimore.exe imports only $tool_dlls; checksums match"
