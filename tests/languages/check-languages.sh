#!/usr/bin/env bash
# The tools in every language: check and the doctor on a few fixtures, each
# language chosen with --language. Each output must name its verdict in the
# language's own words (the catalogue's verdict line, read from words/), with
# no placeholder left unfilled, no English word in a verdict line, and within
# the console budget; and --language en under a German locale must print what
# the English baselines pin, byte for byte.
# Usage: check-languages.sh <pellimore> <Pellimore.asi or a version such as 1.0.0> [runner...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
words=$(cd "$here/../../words" && pwd)
checks=$(cd "$here/../tool_output/check" && pwd)
source "$here/../doctor/game_folders.sh"
source "$here/../output_budget.sh"
source "$here/../../scripts/languages.sh"
run() { "${runner[@]}" "$tool" "$@" 2>&1 | tr -d '\r'; }
passed=0; failed=0
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

# A catalogue's message by key, as the tools print it (\n not used in these).
message() { sed -n "s/^$2 = //p" "$words/$1.txt"; }
# How a language's verdict lines start: each verdict message up to its first colon ("Ergebnis:"), which a wrapped
# line keeps.
verdict_pattern() {
  grep -E '^(check\.verdict|doctor\.verdict|check\.problem|check\.double_click\.(not_in_game_folder|no_settings))' \
    "$words/$1.txt" | sed 's/^[^=]* = //; s/:.*/:/; s/[][\\.*^$/()?+|{}]/\\&/g' | sort -u | paste -sd'|'
}
# Words that give away an English verdict; none of them is a word in the other languages ("points" is French,
# "file" Italian, so those two are not among them).
english_words='\b(the|game|loads|result|everything|cannot|until|marked|nothing|stops|written|works)\b'

# Game folders the doctor looks at: complete, and one with a point marked FIX.
game complete; hook complete; plugin complete/Pellimore.asi; cp "$sample" complete/
game quarantined; hook quarantined; cp "$sample" quarantined/
fixtures=("check:$checks/silent_mistakes.ini" "check:$checks/keypad.ini" "check:$checks/missing_key.ini"
          "check:$checks/utf16.ini" "doctor:complete" "doctor:quarantined")

tested=0
for language in $(translated_languages); do
  tested=$((tested + 1))
  pattern=$(verdict_pattern "$language")
  for fixture in "${fixtures[@]}"; do
    command=${fixture%%:*}; target=${fixture#*:}
    output=$(run --language "$language" "$command" "$target")
    name="$language $command $(basename "$target")"
    grep -qE '\{[a-z_]+\}' <<<"$output" && fail "$name: a placeholder is left unfilled" && continue
    grep -qE '\b(check|doctor|repair|page|tool|move)\.[a-z_]+\.' <<<"$output" && fail "$name: a message key shows" && continue
    within_budget "$name" "$output" "$pattern" || { failed=$((failed + 1)); continue; }
    verdicts=$(grep -E "^($pattern)" <<<"$output")
    grep -qiE "$english_words" <<<"$verdicts" && fail "$name: English in the verdict: $verdicts" && continue
    passed=$((passed + 1))
  done
  # One known line, word for word: the doctor's verdict on a complete folder.
  expected=$(message "$language" doctor.verdict.fine)
  if run --language "$language" doctor complete | grep -qxF "$expected"; then passed=$((passed + 1));
  else fail "$language: the doctor does not say \"$expected\""; fi
done

# English stays English, byte for byte, whatever the locale says (key names follow the keyboard, held to a US one here).
for fixture in "${fixtures[@]}"; do
  command=${fixture%%:*}; target=${fixture#*:}
  english=$(PELLIMORE_LANGUAGE= LANG= LANGUAGE= LC_ALL= run "$command" "$target")
  chosen=$(LANG=de_DE.UTF-8 LANGUAGE=de PELLIMORE_KEYBOARD=en run --language en "$command" "$target")
  if [ "$english" = "$chosen" ]; then passed=$((passed + 1)); else fail "--language en $command $target differs"; fi
done
# The keyboard is not the language: on AZERTY the shipped keys walk (exit 1, naming both moves and the layout),
# on the other layouts the shipped file stays fine, whatever language speaks.
shipped=$(cd "$here/../../package" && pwd)/Pellimore.ini
azerty=$(PELLIMORE_KEYBOARD=fr run --language fr check "$shipped"); status=$(PELLIMORE_KEYBOARD=fr "$tool" check "$shipped" >/dev/null; echo $?)
if [ "$status" = 1 ] && grep -qE "Plaquer.{1,6}est sur Z \(90\)" <<<"$azerty" && grep -qE "Assommer.{1,6}est sur Q \(81\)" <<<"$azerty" &&
  grep -q "AZERTY" <<<"$azerty"; then passed=$((passed + 1)); else fail "AZERTY: the walking keys are not named: $azerty"; fi
for layout in us de fr-CA fr-CH; do
  if PELLIMORE_KEYBOARD=$layout "$tool" --language fr check "$shipped" >/dev/null; then passed=$((passed + 1));
  else fail "$layout: the shipped file is not fine"; fi
done
# Every catalogue but English was tried above: a language the matrix misses fails here.
catalogues=$(find "$words" -maxdepth 1 -name '*.txt' | wc -l)
if [ "$tested" -eq $((catalogues - 1)) ] && [ "$tested" -ge 7 ]; then passed=$((passed + 1));
else fail "$tested languages tested, but words/ holds $catalogues catalogues"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
