#!/usr/bin/env bash
# Checks the import table of Pellimore.asi: the nine hook functions by their
# decorated names from ScriptHookRDR2.dll, and otherwise only Windows system DLLs.
set -euo pipefail
module=$1
listing=$(x86_64-w64-mingw32-objdump -p "$module")
status=0

dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$listing" | sort -u)
echo "imported DLLs:"; sed 's/^/  /' <<<"$dlls"
while read -r dll; do
  case "${dll,,}" in
    kernel32.dll|msvcrt.dll|scripthookrdr2.dll|api-ms-win-crt-*.dll|user32.dll|advapi32.dll) ;;
    *) echo "FAIL: unexpected import from $dll (the module must not need it)"; status=1 ;;
  esac
done <<<"$dlls"

hook_names=$(awk '/DLL Name: ScriptHookRDR2.dll/{on=1; next} /DLL Name:/ || /^[[:space:]]*$/{on=0} on && NF >= 3 && $1 ~ /^[0-9a-f]+$/{print $3}' <<<"$listing" | sort)
expected=$(sort <<'NAMES'
?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z
?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z
?keyboardHandlerRegister@@YAXP6AXKGEHHHH@Z@Z
?keyboardHandlerUnregister@@YAXP6AXKGEHHHH@Z@Z
?scriptWait@@YAXK@Z
?nativeInit@@YAX_K@Z
?nativePush64@@YAX_K@Z
?nativeCall@@YAPEA_KXZ
?worldGetAllPeds@@YAHPEAHH@Z
NAMES
)
echo "imports from ScriptHookRDR2.dll:"; sed 's/^/  /' <<<"$hook_names"
if [ "$hook_names" != "$expected" ]; then
  echo "FAIL: the hook imports differ from the nine expected names:"
  diff <(echo "$expected") <(echo "$hook_names") || true
  status=1
fi
grep -q "GetTickCount" <<<"$listing" || { echo "FAIL: GetTickCount is not imported"; status=1; }
[ $status -eq 0 ] && echo "imports ok"
exit $status
