#!/usr/bin/env bash
# Checks the import table of Pellimore.asi, the one file that runs inside the
# game: the host's functions are exactly the decorated names of the import
# definition, and every other import is on the allow-list kept in the repo.
# A new import fails here until someone adds it to the list on purpose.
# Usage: check-imports.sh <Pellimore.asi> <ScriptHookRDR2.def> <system-imports.txt>
set -euo pipefail
module=$1 definition=$2 allow_list=$3

# "DLL function" for every import, from objdump's import tables.
imports=$(x86_64-w64-mingw32-objdump -p "$module" | awk '
  /DLL Name:/ { dll = $3; next }
  /^[[:space:]]*$/ { dll = "" }
  dll != "" && NF >= 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3 }' | sort -u)
host_imports=$(awk '$1 == "ScriptHookRDR2.dll" { print $2 }' <<<"$imports")
system_imports=$(awk '$1 != "ScriptHookRDR2.dll"' <<<"$imports")
expected_host=$(awk '$2 == "==" { print $3 }' "$definition" | sort)
allowed=$(grep -v '^[[:space:]]*\(#\|$\)' "$allow_list" | sort -u)
status=0

echo "imports from ScriptHookRDR2.dll:"; sed 's/^/  /' <<<"$host_imports"
if [ "$(sort <<<"$host_imports")" != "$expected_host" ]; then
  echo "FAIL: the host imports differ from the names in $(basename "$definition"):"
  diff <(echo "$expected_host") <(sort <<<"$host_imports") || true
  status=1
fi
echo "system imports: $(wc -l <<<"$system_imports")"
unexpected=$(comm -23 <(echo "$system_imports") <(echo "$allowed"))
if [ -n "$unexpected" ]; then
  echo "FAIL: imports not on $(basename "$allow_list") (add them there only if the plug-in really needs them):"
  sed 's/^/  /' <<<"$unexpected"
  status=1
fi
grep -q "^KERNEL32.dll GetTickCount$" <<<"$imports" || { echo "FAIL: GetTickCount is not imported from KERNEL32.dll"; status=1; }
[ $status -eq 0 ] && echo "imports ok: $(wc -l <<<"$imports") in all"
exit $status
