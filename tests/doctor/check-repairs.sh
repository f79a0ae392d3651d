#!/usr/bin/env bash
# The doctor's repairs on game folders as players leave them: each repair
# leaves a folder the doctor calls fine, with every file's bytes present
# exactly once and one Pellimore.asi in the loader's reach; --undo restores the
# folder byte for byte; a failure injected at each step of the plan, and once
# inside the rollback, leaves the folder as it was; an update extracted into a
# folder of its own keeps the player's own Pellimore.ini.
# Usage: check-repairs.sh <pellimore> <Pellimore.asi or a version such as 1.0.0> [runner...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/game_folders.sh"
passed=0; failed=0
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

# A game folder with the hook in place.
game() { mkdir -p "$1" && touch "$1/RDR2.exe" && hook "$1"; }
doctor() { "${runner[@]}" "$tool" doctor "$@" 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }
# An answer piped to the question; under wine, wine.sh passes it on when asked to.
export PELLIMORE_WINE_STDIN=pass
answer_yes() { printf 'y\r\n' | "${runner[@]}" "$tool" doctor --ask "$1" 2>&1 | tr -d '\r'; }

# The folder as files and their bytes, leaving out what the doctor writes of its own (its record and log).
snapshot() {
  (cd "$1" && find . -type d | sort && find . -type f ! -name Pellimore-doctor-record.txt ! -name doctor-repairs.log \
    -print0 | sort -z | xargs -0 -r sha256sum)
}
contents() { (cd "$1" && find . -type f ! -name Pellimore-doctor-record.txt ! -name doctor-repairs.log -print0 |
  xargs -0 -r sha256sum | cut -c1-64 | sort); }

# check_repair NAME HOW: builds the fixture with make_NAME, repairs it (HOW: fix or ask) and checks it all.
check_repair() {
  local name=$1 how=$2 folder original steps step
  folder=$work/$name; "make_$name" "$folder"
  original=$(snapshot "$folder")
  steps=$(doctor --dry-run "$folder" | grep -cE '^  (move|rename) ')
  [ "$steps" -gt 0 ] || { fail "$name: the doctor plans no repair"; return; }
  for step in $(seq 1 "$steps"); do
    local broken=$work/$name-fails-at-$step; rm -rf "$broken"; cp -a "$folder" "$broken"
    if [ "$how" = fix ]; then PELLIMORE_TEST_FAIL_STEP=$step doctor --fix "$broken" >/dev/null
    else printf 'y\r\n' | PELLIMORE_TEST_FAIL_STEP=$step "${runner[@]}" "$tool" doctor --ask "$broken" >/dev/null 2>&1; fi
    [ "$(snapshot "$broken")" = "$original" ] || fail "$name: a failure at step $step left the folder changed"
  done
  local rollback=$work/$name-rollback; cp -a "$folder" "$rollback"
  PELLIMORE_TEST_FAIL_STEP=$steps PELLIMORE_TEST_FAIL_ROLLBACK_STEP=1 doctor --fix "$rollback" >/dev/null
  if [ "$how" = ask ]; then printf 'y\r\n' | PELLIMORE_TEST_FAIL_STEP=$steps PELLIMORE_TEST_FAIL_ROLLBACK_STEP=1 \
    "${runner[@]}" "$tool" doctor --ask "$rollback" >/dev/null 2>&1; fi
  [ "$(snapshot "$rollback")" = "$original" ] || fail "$name: a failure inside the rollback left the folder changed"

  if [ "$how" = fix ]; then doctor --fix "$folder" >"$work/$name.out"; else answer_yes "$folder" >"$work/$name.out"; fi
  doctor "$folder" >/dev/null || fail "$name: after the repair the doctor does not call the folder fine: $(doctor "$folder" | grep -E '^(FIX|check) ')"
  [ "$(contents "$folder")" = "$(printf '%s\n' "$original" | grep -E '^[0-9a-f]{64} ' | cut -c1-64 | sort)" ] ||
    fail "$name: a file was lost or duplicated by the repair"
  [ "$(find "$folder" -maxdepth 1 -iname '*.asi' | wc -l)" -eq 1 ] || fail "$name: not exactly one .asi beside RDR2.exe"
  "check_$name" "$folder" 2>/dev/null || true
  doctor --undo "$folder" >/dev/null
  [ "$(snapshot "$folder")" = "$original" ] || fail "$name: --undo did not restore the folder byte for byte"
  passed=$((passed + 1))
}

# Windows' "Extract All" put the release, twice, in folders of its own inside the game folder.
make_extracted_release() {
  game "$1"; mkdir -p "$1/Pellimore-1.0.0/Pellimore-tools" "$1/Pellimore-1.0.0 (1)"
  plugin "$1/Pellimore-1.0.0/Pellimore.asi"; cp "$sample" "$1/Pellimore-1.0.0/"
  plugin "$1/Pellimore-1.0.0 (1)/Pellimore.asi"; cp "$sample" "$1/Pellimore-1.0.0 (1)/"
}
# An update extracted into a folder of its own beside the player's own keys and an older module.
make_update_keeps_keys() {
  game "$1"; sed 's/iKnockout=81/iKnockout=75/' "$sample" >"$1/Pellimore.ini"
  printf 'MZ an older Pellimore' >"$1/Pellimore.asi"
  mkdir -p "$1/Pellimore-1.0.0"; plugin "$1/Pellimore-1.0.0/Pellimore.asi"; cp "$sample" "$1/Pellimore-1.0.0/"
}
check_update_keeps_keys() {
  grep -q "iKnockout=75" "$1/Pellimore.ini" || fail "update_keeps_keys: the player's Pellimore.ini was replaced"
}
make_misnamed_settings() { game "$1"; plugin "$1/Pellimore.asi"; cp "$sample" "$1/Pellimore.ini.txt"; }
make_settings_in_scripts() { game "$1"; plugin "$1/Pellimore.asi"; mkdir -p "$1/scripts"; cp "$sample" "$1/scripts/"; }
make_second_copy() { game "$1"; plugin "$1/Pellimore.asi"; cp "$1/Pellimore.asi" "$1/Pellimore - Copy.asi"; }
make_switched_off() { game "$1"; plugin "$1/Pellimore.asi.disabled"; }
make_hook_in_bin() {
  mkdir -p "$1/bin"; touch "$1/RDR2.exe"; plugin "$1/Pellimore.asi"
  printf 'MZ hook' >"$1/bin/ScriptHookRDR2.dll"; printf 'MZ loader' >"$1/bin/dinput8.dll"
}
make_second_download() {
  game "$1"; plugin "$1/Pellimore.asi"; cp "$sample" "$1/Pellimore.ini"
  sed 's/iKnockout=81/iKnockout=76/' "$sample" >"$1/Pellimore (1).ini"
}
check_second_download() {
  grep -q "iKnockout=76" "$1/Pellimore.ini" || fail "second_download: the newer keys did not become Pellimore.ini"
}

check_repair extracted_release fix
check_repair update_keeps_keys ask
check_repair misnamed_settings fix
check_repair settings_in_scripts fix
check_repair second_copy fix
check_repair switched_off ask
check_repair hook_in_bin ask
check_repair second_download ask

# --fix never makes a move that needs the player's yes.
folder=$work/fix_asks_nothing; make_switched_off "$folder"; doctor --fix "$folder" >/dev/null
[ -f "$folder/Pellimore.asi.disabled" ] || fail "--fix renamed a switched-off module without asking"
# No answer, or any answer but yes, changes nothing.
folder=$work/answer_no; make_extracted_release "$folder"; before=$(snapshot "$folder")
printf 'n\r\n' | "${runner[@]}" "$tool" doctor --ask "$folder" >/dev/null 2>&1
[ "$(snapshot "$folder")" = "$before" ] || fail "an answer of no changed the folder"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
