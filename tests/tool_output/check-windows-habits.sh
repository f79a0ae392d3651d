#!/usr/bin/env bash
# pellimore.exe's Windows habits, under wine: a settings file dropped onto it
# is checked; double-clicked with no argument it checks the game folder's
# Pellimore.ini (the folder above the tool, or its own) and says which file it
# read or where it looked; paths with letters outside ASCII work; --version
# matches the module's version; with its input not a console it never waits.
# doctor.cmd, double-clicked in the tools folder, looks at the game folder above.
# Usage: check-windows-habits.sh <pellimore.exe> <version> <wine runner...>
set -uo pipefail
tool=$(realpath "$1"); version=$2; shift 2
runner=("$@")
sample=$(realpath "$(dirname "$0")/../../package/Pellimore.ini")
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../baseline_compare.sh"
source "$(dirname "$0")/../output_budget.sh"

expect() {  # expect NAME EXIT_STATUS PATTERN OUTPUT STATUS
  cases=$((cases + 1))
  if [ "$5" != "$2" ] || ! grep -q -- "$3" <<<"$4"; then
    echo "FAIL: $1: exit $5 (expected $2), output:"; sed 's/^/  /' <<<"$4"
    failures=$((failures + 1))
  fi
}
# What a double-click shows keeps the console budget too.
expect_budget() {  # expect_budget NAME OUTPUT
  cases=$((cases + 1))
  within_budget "$1" "$2" || failures=$((failures + 1))
}
run() { (cd "$1" && shift && "${runner[@]}" "$@" 2>&1 | tr -d '\r'; exit "${PIPESTATUS[0]}"); }

mkdir -p "$work/Jeux é/Pellimore-tools" "$work/empty/Pellimore-tools"
touch "$work/Jeux é/RDR2.exe"
cp "$sample" "$work/Jeux é/"
cp "$tool" "$(dirname "$sample")/doctor.cmd" "$work/Jeux é/Pellimore-tools/"
cp "$tool" "$work/empty/Pellimore-tools/"
# "Extract All" as Windows proposes it: the release in a folder of its own inside the game folder.
release="$work/Jeux é/Pellimore-$version"
mkdir -p "$release/Pellimore-tools"
cp "$sample" "$release/"; printf 'MZ' >"$release/Pellimore.asi"
cp "$tool" "$(dirname "$sample")/doctor.cmd" "$release/Pellimore-tools/"

output=$(run "$work" "$tool" "Jeux é/Pellimore.ini"); status=$?
expect "a file dropped onto the tool is checked, non-ASCII path" 0 "Result: fine" "$output" $status
output=$(run "$work" "$tool" "Jeux é"); status=$?
expect "a folder dropped onto the tool gets the doctor" 2 "ok     RDR2.exe: this is the game folder" "$output" $status
output=$(run "$work" "Jeux é/Pellimore-tools/pellimore.exe"); status=$?
expect "double-clicked: the game folder's file" 0 "checking .*Jeux é.*Pellimore.ini, the file the game reads" \
  "$output" $status
expect_budget "double-clicked: the game folder's file" "$output"
output=$(run "$work" "empty/Pellimore-tools/pellimore.exe"); status=$?
expect "double-clicked outside the game folder: never fine" 2 "pellimore.exe is not inside the game folder" \
  "$output" $status
expect_budget "double-clicked outside the game folder: never fine" "$output"
output=$(run "$work" "Jeux é/Pellimore-$version/Pellimore-tools/pellimore.exe"); status=$?
expect "double-clicked in a release extracted into its own folder: what to move where" 2 \
  "Pellimore.asi is in Pellimore-$version\\\\, a folder inside the game folder" "$output" $status
expect_budget "double-clicked in a release extracted into its own folder: what to move where" "$output"
output=$(run "$work" cmd /c 'Jeux é\Pellimore-tools\doctor.cmd'); status=$?
expect "doctor.cmd: the game folder above the tools" 2 "ok     RDR2.exe: this is the game folder" "$output" $status
expect_budget "doctor.cmd: the game folder above the tools" "$output"
output=$(run "$work" cmd /c "Jeux é\\Pellimore-$version\\Pellimore-tools\\doctor.cmd"); status=$?
expect "doctor.cmd in a release extracted into its own folder finds the game two folders up" 2 \
  "move Pellimore.asi and Pellimore.ini from Pellimore-$version into the game folder" "$output" $status
output=$(run "$work" "$tool" "Jeux é/Pellimore.ini" "Jeux é/Pellimore-$version/Pellimore.ini"); status=$?
expect "two files dropped at once: each is checked" 0 "Pellimore-$version.Pellimore.ini" "$output" $status
[ "$(grep -c '^Result: fine' <<<"$output")" -eq 4 ] || { echo "FAIL: two files dropped: not two verdicts each"; failures=$((failures + 1)); }
# Notepad's Pellimore.ini.txt where the game wants Pellimore.ini: the double-click names it.
mkdir -p "$work/txt/Pellimore-tools"; touch "$work/txt/RDR2.exe"; cp "$sample" "$work/txt/Pellimore.ini.txt"
cp "$tool" "$work/txt/Pellimore-tools/"
output=$(run "$work" "txt/Pellimore-tools/pellimore.exe"); status=$?
expect "double-clicked with only a Pellimore.ini.txt: it is named" 1 "Pellimore.ini.txt is not Pellimore.ini" \
  "$output" $status
expect_budget "double-clicked with only a Pellimore.ini.txt" "$output"
output=$(run "$work" "$tool" --version); status=$?
expect "--version" 0 "^pellimore $version$" "$output" $status
output=$(run "$work" "$tool" check --nonsense); status=$?
expect "a bad option: a clear error, exit 2" 2 "unknown option '--nonsense'" "$output" $status
output=$(run "$work" "$tool" doctor --help); status=$?
expect "help for each command" 0 "usage: pellimore doctor" "$output" $status

finish_comparisons
