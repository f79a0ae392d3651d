#!/usr/bin/env bash
# Builds game folders as players leave them (a fake RDR2.exe and hook files,
# the Pellimore.asi given, hook logs as text), runs `pellimore doctor` on each
# and diffs its output and exit status against NAME.expected here. Paths are
# shown with / and Windows line ends are folded, so pellimore.exe under wine
# meets the same baselines. PELLIMORE_UPDATE_BASELINES=1 rewrites them.
# Usage: check-doctor.sh <pellimore> <Pellimore.asi or a version such as 1.0.0> [runner...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/game_folders.sh"
source "$here/../baseline_compare.sh"

log() { printf '%s\r\n' "$@" >"$folder/ScriptHookRDR2.log"; }
launched_log() {
  log "[19:02:10] INIT: Script Hook RDR2 v1.0.1491.17" \
      "[19:02:11] INIT: Registering script 'Pellimore.asi' (0x00007FFB12340000)" \
      "[19:02:40] CORE: Launching main() for 'Pellimore.asi'"
}

folder=complete; game $folder; hook $folder; plugin $folder/Pellimore.asi; cp "$sample" $folder/; launched_log
folder=misplaced; game $folder; mkdir -p $folder/bin $folder/scripts
touch $folder/bin/ScriptHookRDR2.dll $folder/bin/dinput8.dll; plugin $folder/scripts/Pellimore.asi; cp "$sample" $folder/scripts/
folder=outdated_hook; game $folder; hook $folder; plugin $folder/Pellimore.asi
log "[20:11:30] INIT: Registering script 'OtherMod.asi' (0x00007FFB00000000)" \
    "[20:11:31] FATAL: Can't find native 0xB980061DA992779D" "a line the doctor does not know"
folder="Program Files/Jeux é/attention"; game "$folder"; hook "$folder"; plugin "$folder/Pellimore.asi"
mkdir -p "$folder/plugins"; plugin "$folder/plugins/Pellimore.asi"
touch "$folder/version.dll"; printf '\xEF\xBB\xBF[Pellimore]\r\niXKey=88\r\n' >"$folder/Pellimore.ini"
log "[19:02:11] INIT: Registering script 'Pellimore.asi' (0x00007FFB12340000)"
folder=settings_folder; game $folder; hook $folder; plugin $folder/Pellimore.asi; mkdir $folder/Pellimore.ini
mkdir not_a_game_folder
# Windows' "Extract All" proposes a folder of the archive's name: the release one level too deep.
folder=extracted_release; game $folder; hook $folder; mkdir -p $folder/Pellimore-1.0.0/Pellimore-tools
plugin $folder/Pellimore-1.0.0/Pellimore.asi; cp "$sample" $folder/Pellimore-1.0.0/
# Notepad's "Pellimore.ini.txt", a second download, and Explorer's copy of the module.
folder=near_misses; game $folder; hook $folder; plugin $folder/Pellimore.asi; launched_log
cp "$sample" "$folder/Pellimore.ini.txt"; cp "$sample" "$folder/Pellimore (1).ini"
cp $folder/Pellimore.asi "$folder/Pellimore - Copy.asi"
# Half-copied files: an empty hook and loader, and a module that is no library.
folder=damaged; game $folder; touch $folder/ScriptHookRDR2.dll $folder/dinput8.dll
echo "not a library" >$folder/Pellimore.asi; cp "$sample" $folder/
# Program Files and letters outside English do not matter once the log shows Pellimore running.
folder="Program Files/Jeux é/running"; game "$folder"; hook "$folder"; plugin "$folder/Pellimore.asi"
cp "$sample" "$folder/"; launched_log

# The hook's log from yesterday, another mod listed and Pellimore not, and the
# doctor run before the first game start: it cannot tell, so it asks for one.
other_mod_log() { log "[20:11:30] INIT: Registering script 'OtherMod.asi' (0x00007FFB00000000)"; }
record() { printf 'record\r\n%s\r\n' "$1" >"$folder/Pellimore-doctor-record.txt"; touch -d "$2" "$folder/Pellimore-doctor-record.txt"; }
folder=log_from_yesterday; game $folder; hook $folder; plugin $folder/Pellimore.asi; cp "$sample" $folder/
other_mod_log; touch -d "1 day ago" "$folder/ScriptHookRDR2.log"
# The doctor saw this Pellimore.asi two hours ago; the game started an hour ago without loading it.
folder=started_without_pellimore; game $folder; hook $folder; plugin $folder/Pellimore.asi; cp "$sample" $folder/
record "$(sha256sum <$folder/Pellimore.asi | cut -c1-64)" "2 hours ago"; other_mod_log
touch -d "1 hour ago" "$folder/ScriptHookRDR2.log"
# An update replaced the module the doctor saw: the log may be from before the update.
folder=updated_module; game $folder; hook $folder; plugin $folder/Pellimore.asi; cp "$sample" $folder/
record "$(printf old | sha256sum | cut -c1-64)" "2 hours ago"; other_mod_log; touch -d "1 hour ago" "$folder/ScriptHookRDR2.log"

# A mod manager switched Pellimore off by renaming it.
folder=switched_off; game $folder; hook $folder; plugin $folder/Pellimore.asi.disabled; cp "$sample" $folder/
# A game update the hook does not know yet.
folder=unknown_game_version; game $folder; hook $folder; plugin $folder/Pellimore.asi; cp "$sample" $folder/
log "[19:02:10] INIT: Script Hook RDR2 v1.0.1491.17" "[19:02:10] FATAL: Unknown game version, check for updates"
# A default Steam install, correct, before the first game start: in place, with Program Files as a note.
folder="Program Files (x86)/Steam/steamapps/common/Red Dead Redemption 2"; game "$folder"; hook "$folder"
plugin "$folder/Pellimore.asi"; cp "$sample" "$folder/"

# An antivirus took Pellimore.asi away from beside the rest of the release.
folder=quarantined; game $folder; hook $folder; cp "$sample" $folder/
# A checksum list in the game folder, stale or another mod's, changes nothing.
folder=foreign_sums; game $folder; hook $folder; plugin $folder/Pellimore.asi; cp "$sample" $folder/; launched_log
printf '%s  Pellimore.asi\r\n' "$(printf other | sha256sum | cut -c1-64)" >$folder/SHA256SUMS.txt
# A second download beside the player's own file: renaming it replaces that file, and the doctor says so.
folder=second_download; game $folder; hook $folder; plugin $folder/Pellimore.asi; cp "$sample" $folder/; launched_log
cp "$sample" "$folder/Pellimore (1).ini"
folders=(quarantined foreign_sums second_download)
# Only the real module carries the digest the tool knows: this version, other bytes.
if [ -f "$module" ]; then
  folder=tampered; game $folder; hook $folder; plugin $folder/Pellimore.asi; cp "$sample" $folder/
  printf 'changed by another program' >>$folder/Pellimore.asi
  # The same changed module, which a log from after the doctor first saw it shows running: it loads.
  folder=tampered_running; game $folder; hook $folder; cp tampered/Pellimore.asi $folder/; cp "$sample" $folder/
  record "$(sha256sum <$folder/Pellimore.asi | cut -c1-64)" "2 hours ago"; launched_log
  touch -d "1 hour ago" "$folder/ScriptHookRDR2.log"
  folders+=(tampered tampered_running)
fi

# A copy of the game folder under a name longer than a console line: the path stands whole, alone on its line.
folder="Jeux/Rockstar Games/Red Dead Redemption 2 - copie de sauvegarde faite avant la grande mise à jour du jeu en décembre 2026"
folder="$folder/Pellimore et les autres mods du serveur"
game "$folder"; hook "$folder"; mkdir -p "$folder/Pellimore-1.0.0"; plugin "$folder/Pellimore-1.0.0/Pellimore.asi"
cp "$sample" "$folder/Pellimore-1.0.0/"; folders+=("$folder")

for folder in "${folders[@]}" switched_off unknown_game_version "Program Files (x86)/Steam/steamapps/common/Red Dead Redemption 2" \
    log_from_yesterday started_without_pellimore updated_module complete misplaced outdated_hook "Program Files/Jeux é/attention" settings_folder not_a_game_folder \
    extracted_release near_misses damaged "Program Files/Jeux é/running"; do
  name=$(basename "$folder")
  actual=$("${runner[@]}" "$tool" doctor "$folder" 2>&1 | tr -d '\r' | tr '\\' '/'; echo "exit ${PIPESTATUS[0]}")
  compare_with_baseline "$here/$name.expected" "$actual" "doctor on $folder"
  # Every path it names stands whole on one line, however long, so a player can copy it by hand.
  grep -qF -- "$folder" <<<"$actual" || { echo "FAIL: doctor on $folder: the game folder's path is broken across lines"; failures=$((failures + 1)); }
done
finish_comparisons
