#!/usr/bin/env bash
# pellimore.exe in each language under wine, the language coming from the
# locale as it comes from Windows' display language for a player: the
# double-clicked check and doctor.cmd print one known line of the language's
# catalogue, word for word, with no English in their verdict lines; a Russian
# "да" piped to the doctor's question is a yes; in a console (wine under a
# pseudo-terminal) set to code page 437, Cyrillic arrives intact and the code
# page is left as it was; and --language en under a German locale prints the
# English run byte for byte.
# Usage: check-wine-languages.sh <pellimore.exe> <version> <wine runner...>
set -uo pipefail
tool=$(realpath "$1"); version=$2; shift 2
runner=("$@")
here=$(cd "$(dirname "$0")" && pwd)
words=$(cd "$here/../../words" && pwd)
sample=$(realpath "$here/../../package/Pellimore.ini")
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
source "$here/../baseline_compare.sh"
source "$here/../output_budget.sh"
source "$here/../../scripts/languages.sh"

message() { sed -n "s/^$2 = //p" "$words/$1.txt"; }
run() { (cd "$work" && "${runner[@]}" "$@" 2>&1 | tr -d '\r'); }
english_words='\b(the|game|loads|result|everything|cannot|until|marked|nothing|stops|written|works)\b'
# expect_line NAME LINE OUTPUT: the output holds that line, whole.
expect_line() {
  cases=$((cases + 1))
  grep -qxF -- "$2" <<<"$3" && return
  echo "FAIL: $1: no line \"$2\" in:"; sed 's/^/  /' <<<"$3"; failures=$((failures + 1))
}
# expect_no_english NAME LINE...: verdict lines with no English word in them.
expect_no_english() {
  cases=$((cases + 1))
  grep -qiE "$english_words" <<<"$2" || return
  echo "FAIL: $1: English in \"$2\""; failures=$((failures + 1))
}

# A game folder with the shipped settings and the tools, and no hook: check says fine, the doctor says FIX.
game="$work/Jeu é"
mkdir -p "$game/Pellimore-tools"; touch "$game/RDR2.exe"; cp "$sample" "$game/"
cp "$tool" "$here/../../package/doctor.cmd" "$game/Pellimore-tools/"

for language in $(translated_languages); do
  locale=$(locale_of "$language")
  fine=$(message "$language" check.verdict.fine)
  output=$(LANG=$locale.UTF-8 run "$game/Pellimore-tools/pellimore.exe")
  expect_line "$locale: double-clicked check" "$fine" "$output"
  expect_no_english "$locale: double-clicked check" "$fine"
  cases=$((cases + 1)); within_budget "$locale: double-clicked check" "$output" "${fine%%:*}:" || failures=$((failures + 1))
  fails=$(message "$language" doctor.verdict.fails)
  output=$(LANG=$locale.UTF-8 run cmd /c 'Jeu é\Pellimore-tools\doctor.cmd')
  expect_line "$locale: doctor.cmd" "$fails" "$output"
  expect_no_english "$locale: doctor.cmd" "$fails"
  cases=$((cases + 1)); within_budget "$locale: doctor.cmd" "$output" "${fails%%:*}:" || failures=$((failures + 1))
done

# A Russian yes, in Cyrillic, to the doctor's question: the release extracted one folder too deep is moved up.
deep="$work/deep"; mkdir -p "$deep/Pellimore-$version/Pellimore-tools"; touch "$deep/RDR2.exe"
cp "$sample" "$deep/Pellimore-$version/"; printf 'MZ' >"$deep/Pellimore-$version/Pellimore.asi"
output=$(cd "$work" && printf 'да\r\n' | LANG=ru_RU.UTF-8 PELLIMORE_WINE_STDIN=pass "${runner[@]}" "$tool" doctor --ask deep 2>&1 | tr -d '\r')
cases=$((cases + 1))
[ -f "$deep/Pellimore.asi" ] || { echo "FAIL: a Russian да did not make the repair:"; sed 's/^/  /' <<<"$output"; failures=$((failures + 1)); }

# The console: code page 437 set before, Cyrillic intact in between on standard output and on standard
# error (an unknown command named in Cyrillic), 437 still after.
mkdir -p "$work/console/Pellimore-tools"; touch "$work/console/RDR2.exe"; cp "$tool" "$work/console/Pellimore-tools/"
console=$(cd "$work" && LANG=ru_RU.UTF-8 script -qec \
  "$(printf '%q ' "${runner[@]}") cmd /c 'chcp 437 & console\\Pellimore-tools\\pellimore.exe doctor console & console\\Pellimore-tools\\pellimore.exe проверка 2>&1 & chcp'" \
  /dev/null | tr -d '\r' | sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g')
heading=$(message ru doctor.heading)
cases=$((cases + 1))
if ! tr -d '\n' <<<"$console" | grep -qF "${heading:0:40}" || ! grep -qF "'проверка'" <<<"$console" ||
  [ "$(grep -c '437' <<<"$console")" -ne 2 ]; then
  echo "FAIL: the console did not show Cyrillic intact on both streams, or its code page changed:"
  sed 's/^/  /' <<<"$console"
  failures=$((failures + 1))
fi

# English, chosen, is the English run byte for byte (key names held to a US keyboard: they follow the keyboard).
english=$(LANG=C.UTF-8 run "$tool" doctor "Jeu é")
chosen=$(LANG=de_DE.UTF-8 PELLIMORE_KEYBOARD=en run "$tool" --language en doctor "Jeu é")
cases=$((cases + 1))
[ "$english" = "$chosen" ] || { echo "FAIL: --language en differs:"; diff <(echo "$english") <(echo "$chosen"); failures=$((failures + 1)); }

finish_comparisons
