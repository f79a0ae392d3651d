#!/usr/bin/env bash
# The doctor's repairs on game folders as players leave them: each repair
# leaves a folder the doctor calls fine, with every file's bytes present
# exactly once and one Pellimore.asi in the loader's reach; --undo restores the
# folder byte for byte; each file operation refused, or the run stopped dead at
# it, leaves the folder as it was or repaired and undoable; an update extracted
# into a folder of its own keeps the player's own Pellimore.ini. Under wine a
# program holding Pellimore.asi open makes Windows itself refuse a move.
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

# The test-only build of the repairs (the shipped tool reads no test switch): "refuse N" fails the
# file operation of that number, "stop N" ends the run dead at it, as a closed window or a power cut does.
probe() { "${runner[@]}" "$PELLIMORE_REPAIR_PROBE" "$@" 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }
operations() { probe fix "$1" | sed -n 's/^operations: //p'; }

# check_failures NAME: each file operation of the repair refused, then each one stopping the run dead.
# A refusal leaves the folder as it was (and says so) or fully repaired; a stop loses nothing, the
# next look names the repair cut short, and --undo gives the folder back byte for byte.
check_failures() {
  local name=$1 folder=$work/$name original repaired count at broken said
  original=$(snapshot "$folder")
  cp -a "$folder" "$work/$name-clean"; count=$(operations "$work/$name-clean"); repaired=$(snapshot "$work/$name-clean")
  [ "${count:-0}" -gt 2 ] || { fail "$name: the test-only repair made no moves"; return; }
  for at in $(seq 1 "$count"); do
    broken=$work/$name-refused-$at; cp -a "$folder" "$broken"
    said=$(probe fix "$broken" refuse "$at")
    case "$(snapshot "$broken")" in
      "$original") grep -qE "the folder is as it was|nothing was changed" <<<"$said" ||
        fail "$name: refused at operation $at, the folder is as it was but the words do not say so: $said" ;;
      "$repaired") grep -q "^Done: " <<<"$said" || fail "$name: refused at operation $at, repaired but not said: $said" ;;
      *) fail "$name: refused at operation $at, the folder is neither as it was nor repaired: $said" ;;
    esac
    broken=$work/$name-stopped-$at; cp -a "$folder" "$broken"
    probe fix "$broken" stop "$at" >/dev/null
    if grep -q "^planned " "$broken"/doctor-repairs.log "$broken"/Pellimore-tools/doctor-repairs.log 2>/dev/null; then
      grep -q "was cut short" <<<"$(doctor "$broken")" || fail "$name: stopped at operation $at, the next look does not say so"
    fi
    doctor --undo "$broken" >/dev/null
    [ "$(snapshot "$broken")" = "$original" ] || fail "$name: stopped at operation $at, --undo did not give the folder back"
  done
}

# check_repair NAME HOW: builds the fixture with make_NAME, repairs it (HOW: fix or ask) and checks it all.
check_repair() {
  local name=$1 how=$2 folder original steps
  folder=$work/$name; "make_$name" "$folder"
  original=$(snapshot "$folder")
  local whole; whole=$(whole_snapshot "$folder")
  doctor "$folder" >/dev/null
  steps=$(doctor --dry-run "$folder" | grep -cE '^  (move|rename) ')
  [ "$steps" -gt 0 ] || { fail "$name: the doctor plans no repair"; return; }
  # Looking, and a dry run, write nothing at all into the game folder.
  [ "$(whole_snapshot "$folder")" = "$whole" ] || fail "$name: a look or a dry run changed the folder"
  [ -z "${failure_fixtures:-}" ] || [[ " $failure_fixtures " == *" $name "* ]] && check_failures "$name"

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
  versioned_plugin "$1/Pellimore.asi" 0.9.0
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

# Under wine every run starts a Windows process: the failure loops run on one fixture there, on all natively.
[ ${#runner[@]} -gt 0 ] && failure_fixtures="extracted_release"

# The player's own keys beside a second download and Explorer's "keep both" copy of the shipped file.
make_downloads_beside_keys() {
  game "$1"; plugin "$1/Pellimore.asi"; sed 's/iKnockout=81/iKnockout=75/' "$sample" >"$1/Pellimore.ini"
  cp "$sample" "$1/Pellimore (1).ini"; cp "$sample" "$1/Pellimore (2).ini"
}
check_downloads_beside_keys() {
  grep -q "iKnockout=75" "$1/Pellimore.ini" || fail "downloads_beside_keys: the player's keys were replaced"
}
# An older module beside this release's, as "keep both" names it.
make_old_module_beside_new() { game "$1"; versioned_plugin "$1/Pellimore.asi" 0.9.0; plugin "$1/Pellimore (2).asi"; }
check_old_module_beside_new() {
  versioned_plugin "$work/old.asi" 0.9.0
  ! cmp -s "$1/Pellimore.asi" "$work/old.asi" || fail "old_module_beside_new: the old module stayed"
  cmp -s "$1/Pellimore-set-aside/Pellimore.asi" "$work/old.asi" || fail "old_module_beside_new: the old module is not where the plan said"
}

check_repair extracted_release fix
check_repair update_keeps_keys ask
check_repair misnamed_settings fix
check_repair settings_in_scripts fix
check_repair second_copy fix
check_repair switched_off ask
check_repair hook_in_bin ask
check_repair second_download ask
check_repair downloads_beside_keys ask
check_repair old_module_beside_new ask

# --fix never makes a move that needs the player's yes.
folder=$work/fix_asks_nothing; make_switched_off "$folder"; doctor --fix "$folder" >/dev/null
[ -f "$folder/Pellimore.asi.disabled" ] || fail "--fix renamed a switched-off module without asking"
# No answer, or any answer but yes, changes nothing.
folder=$work/answer_no; make_extracted_release "$folder"; before=$(snapshot "$folder")
printf 'n\r\n' | "${runner[@]}" "$tool" doctor --ask "$folder" >/dev/null 2>&1
[ "$(snapshot "$folder")" = "$before" ] || fail "an answer of no changed the folder"
# The page's download in Downloads, newer than the player's Pellimore.ini: answering 2 brings it in and keeps the
# old file as a .bak, --undo gives both back; a download the page did not save is left alone.
folder=$work/page_download; game "$folder"; plugin "$folder/Pellimore.asi"
sed 's/iKnockout=81/iKnockout=75/' "$sample" >"$folder/Pellimore.ini"; touch -d "2 hours ago" "$folder/Pellimore.ini"
{ printf '; Saved by Pellimore-editor.html as a download on 2026-12-09 14:05\r\n'; sed 's/iKnockout=81/iKnockout=76/' "$sample"; } \
  >"$XDG_DOWNLOAD_DIR/Pellimore (1).ini"
touch -d "1 hour ago" "$XDG_DOWNLOAD_DIR/Pellimore (1).ini"
sed 's/iKnockout=81/iKnockout=77/' "$sample" >"$XDG_DOWNLOAD_DIR/Pellimore (2).ini"
before=$(snapshot "$folder"); downloads_before=$(snapshot "$XDG_DOWNLOAD_DIR")
said=$(printf '2\r\ny\r\n' | "${runner[@]}" "$tool" doctor --ask "$folder" 2>&1 | tr -d '\r')
grep -q "iKnockout=76" "$folder/Pellimore.ini" || fail "the page's download was not brought in: $(grep -i editor <<<"$said")"
grep -qs "iKnockout=75" "$folder"/Pellimore.ini.*.bak || fail "the player's old Pellimore.ini was not kept as a .bak"
grep -q "iKnockout=77" "$XDG_DOWNLOAD_DIR/Pellimore (2).ini" || fail "a download the page did not save was touched"
doctor --undo "$folder" >/dev/null
[ "$(snapshot "$folder")" = "$before" ] && [ "$(snapshot "$XDG_DOWNLOAD_DIR")" = "$downloads_before" ] ||
  fail "--undo did not give back the game folder and Downloads as they were"
rm -f "$XDG_DOWNLOAD_DIR"/*

# A move onto an existing file fails, and both files keep their bytes.
printf first >"$work/a"; printf second >"$work/b"
probe move "$work/a" "$work/b" >/dev/null && fail "a move replaced an existing file"
[ "$(cat "$work/a") $(cat "$work/b")" = "first second" ] || fail "a refused move changed a file"
# --fix on a folder that needs nothing writes nothing, not even a journal.
folder=$work/fine; game "$folder"; plugin "$folder/Pellimore.asi"; cp "$sample" "$folder/Pellimore.ini"
doctor --fix "$folder" >/dev/null
[ -z "$(find "$folder" -name doctor-repairs.log)" ] || fail "--fix on a folder that needs nothing wrote a repair"
# Under wine, a Windows program holding a file open without sharing its deletion, as an antivirus scan or the
# game does: held FILE NAME [AS_PROGRAM] starts it and waits until it holds; let_go NAME ends it.
held() {
  local program=${3:-$PELLIMORE_HOLD_FILE}
  "${runner[@]}" "$program" "$1" "$work/$2.done" >"$work/$2.out" 2>&1 &
  eval "holder_$2=$!"
  for _ in $(seq 1 200); do grep -q holding "$work/$2.out" && break; sleep 0.1; done
}
let_go() { touch "$work/$1.done"; eval "wait \$holder_$1"; }
if [ -n "${PELLIMORE_HOLD_FILE:-}" ]; then
  # A program named RDR2.exe running stops a repair before anything moves.
  folder=$work/game_running; make_extracted_release "$folder"; before=$(snapshot "$folder")
  cp "$PELLIMORE_HOLD_FILE" "$work/RDR2.exe"; printf x >"$work/held-by-the-game"
  held "$work/held-by-the-game" game "$work/RDR2.exe"; said=$(doctor --fix "$folder"); let_go game
  [ "$(snapshot "$folder")" = "$before" ] || fail "a repair went ahead while the game was running"
  grep -q "The game is running" <<<"$said" || fail "a repair while the game runs was not refused in words"
  # Windows itself refuses: a program holds the release's Pellimore.asi open.
  folder=$work/held; make_extracted_release "$folder"; before=$(snapshot "$folder")
  held "$folder/Pellimore-1.0.0/Pellimore.asi" antivirus; said=$(doctor --fix "$folder"); let_go antivirus
  [ "$(snapshot "$folder")" = "$before" ] || fail "a move Windows refused left the folder changed"
  grep -q "did not allow moving .*Pellimore.asi.*the folder is as it was" <<<"$(tr '\n' ' ' <<<"$said" | tr -s ' ')" ||
    fail "a move Windows refused was not said as it happened: $(grep -i allow <<<"$said")"
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
