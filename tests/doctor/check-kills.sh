#!/usr/bin/env bash
# The real tool killed while it repairs, at each system call that can change a
# player's files, one traced call at a time (the kill lands before the call
# acts): nothing of the player's is lost, the next look names the repair that
# was cut short, and --undo gives the folder back byte for byte. Native only.
# Usage: check-kills.sh <pellimore> <a version such as 1.0.0>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/game_folders.sh"
passed=0; failed=0
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
command -v strace >/dev/null || { echo "FAIL: strace is missing (scripts/install-dependencies.sh installs it)"; exit 1; }
calls=(renameat2 openat unlink unlinkat mkdir rmdir fsync write)

with_hook() { game "$1"; hook "$1"; }
# The release in a folder of its own, as "Extract All" leaves it; a module copy beside RDR2.exe.
make_release_folder() { with_hook "$1"; mkdir -p "$1/Pellimore-1.0.0"; plugin "$1/Pellimore-1.0.0/Pellimore.asi"; cp "$sample" "$1/Pellimore-1.0.0/"; }
make_copy_beside() { with_hook "$1"; plugin "$1/Pellimore.asi"; cp "$1/Pellimore.asi" "$1/Pellimore - Copy.asi"; mkdir "$1/Pellimore-tools"; }

# In a run that nothing stops: the number of the first call of this kind that can change a file (before it the
# tool only reads: opening for reading, writing to the console), and how many calls of the kind there are.
count_calls() {
  local call=$1 folder=$2
  strace -f -qq -o "$work/trace" -e trace="$call" "$tool" doctor --fix "$folder" >/dev/null
  grep "^[0-9]* *$call(" "$work/trace" >"$work/calls"
  local first
  first=$(grep -nE 'O_WRONLY|O_RDWR|O_CREAT|^[0-9]* *write\(([3-9]|[1-9][0-9])' "$work/calls" | head -n 1 | cut -d: -f1)
  [ "$call" = openat ] || [ "$call" = write ] || first=1
  echo "${first:-1} $(wc -l <"$work/calls")"
}

kill_at_each_call() {
  local name=$1 base original call first count at folder look
  base=$work/$name
  "make_$name" "$base"; original=$(snapshot "$base")
  for call in "${calls[@]}"; do
    rm -rf "$work/clean"; cp -a "$base" "$work/clean"; read -r first count < <(count_calls "$call" "$work/clean")
    for at in $(seq "$first" "$count"); do
      folder=$work/$name-$call-$at; cp -a "$base" "$folder"
      # The subshell reports the kill to its own silenced error output, not to the test's.
      (strace -f -qq -o /dev/null -e trace="$call" -e inject="$call:signal=KILL:when=$at" \
        "$tool" doctor --fix "$folder"; true) >/dev/null 2>&1
      [ "$(comm -23 <(printf '%s\n' "$original" | grep -E '^[0-9a-f]{64} ' | cut -c1-64 | sort) <(contents "$folder"))" = "" ] ||
        fail "$name: killed at $call number $at, a file's bytes were lost"
      if grep -q "^planned " "$(find "$folder" -name doctor-repairs.log | head -n 1)" 2>/dev/null &&
        ! grep -qE "^(done|rolled back) " "$(find "$folder" -name doctor-repairs.log | head -n 1)"; then
        look=$("$tool" doctor "$folder" 2>&1)
        grep -q "was cut short" <<<"$look" || fail "$name: killed at $call number $at, the next look does not say so"
      fi
      # A kill before anything changed leaves nothing to undo; otherwise --undo gives the folder back.
      if [ "$(snapshot "$folder")" != "$original" ]; then
        "$tool" doctor --undo "$folder" >/dev/null 2>&1
        [ "$(snapshot "$folder")" = "$original" ] || fail "$name: killed at $call number $at, --undo did not give the folder back"
      fi
      passed=$((passed + 1)); rm -rf "$folder"
    done
  done
}

kill_at_each_call release_folder
kill_at_each_call copy_beside
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
