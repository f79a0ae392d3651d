# Sourced by the doctor's fixture scripts: their arguments, a scratch folder
# to build game folders in, and the files such a folder holds.
# The sourcing script is called as: <pellimore> <Pellimore.asi or a version such as 1.0.0> [runner...]
tool=$(realpath "$1"); module=$2; shift 2
[ -f "$module" ] && module=$(realpath "$module")
runner=("$@")
sample=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../package" && pwd)/Pellimore.ini
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
# What the doctor remembers goes to a profile of the test's own, never the tester's.
export XDG_STATE_HOME=$work/profile
# Downloads, where the settings editor page's saves land: one of the test's own. Under wine, the prefix's user
# folder points there for the run (wine links it to the home folder when it makes the prefix).
export XDG_DOWNLOAD_DIR=$work/Downloads
mkdir -p "$XDG_DOWNLOAD_DIR"
for argument in "${runner[@]}"; do
  [[ $argument == WINEPREFIX=* ]] || continue
  wine_downloads="${argument#WINEPREFIX=}/drive_c/users/$(id -un)/Downloads"
  [ -L "$wine_downloads" ] && wine_downloads_were=$(readlink "$wine_downloads") && ln -sfn "$XDG_DOWNLOAD_DIR" "$wine_downloads"
  trap 'rm -rf "$work"; [ -n "${wine_downloads_were:-}" ] && ln -sfn "$wine_downloads_were" "$wine_downloads"' EXIT
done

# The plug-in itself: the real module, or a stand-in file carrying only a version resource's fixed part.
plugin() {
  if [ -f "$module" ]; then cp "$module" "$1"; return; fi
  versioned_plugin "$1" "$module"
}
# A stand-in module of the version given ("0.9.0"): an older or another release.
versioned_plugin() {
  IFS=. read -r major minor patch <<<"$2"
  printf '%b' "MZ fake\\xBD\\x04\\xEF\\xFE\\x00\\x00\\x01\\x00$(le16 "$minor")$(le16 "$major")\\x00\\x00$(le16 "$patch")" >"$1"
}
le16() { printf '\\x%02X\\x%02X' $(($1 & 255)) $(($1 >> 8)); }
game() { mkdir -p "$1" && touch "$1/RDR2.exe"; }
hook() { printf 'MZ hook' >"$1/ScriptHookRDR2.dll"; printf 'MZ loader' >"$1/dinput8.dll"; }

# The folder as files and their bytes, leaving out what the doctor writes of its own (its record and journal).
snapshot() {
  (cd "$1" && find . -type d | sort && find . -type f ! -name Pellimore-doctor-record.txt ! -name doctor-repairs.log \
    -print0 | sort -z | xargs -0 -r sha256sum)
}
contents() { (cd "$1" && find . -type f ! -name Pellimore-doctor-record.txt ! -name doctor-repairs.log -print0 |
  xargs -0 -r sha256sum | cut -c1-64 | sort); }
# Every file and folder with its bytes, nothing left out: what a look must leave exactly as it was.
whole_snapshot() { (cd "$1" && find . -type d | sort && find . -type f -print0 | sort -z | xargs -0 -r sha256sum); }
