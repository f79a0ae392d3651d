#!/usr/bin/env bash
# Runs a Windows program under wine64 with its input closed (as in CI), so it
# never waits for a player at the keyboard. Every test that needs wine comes
# through here.
#
# All runs share one wine session per prefix. The first run boots it with
# wine's own output going to session.log in the prefix, so wine's helper
# processes (which inherit the stderr of whoever booted the session, and
# sometimes crash on a busy machine) never write into a test's output; the
# server stays up a short while after the last program exits, so the next run
# finds it ready and nothing has to be killed. The program's own output, its
# own crash report and its exit status still reach the caller.
# Usage: wine.sh <program.exe or a wine built-in such as cmd> [arguments...]
# The prefix is $WINEPREFIX, or wineprefix beside the program.
set -euo pipefail
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
if [ ! -x "$wine" ]; then
  echo "ERROR: $wine not found; install the wine64 package (scripts/install-dependencies.sh)" >&2
  exit 1
fi
program=$1; shift
[ -e "$program" ] && program=$(realpath "$program")
export WINEPREFIX=${WINEPREFIX:-$(dirname "$(realpath "$program")")/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
session_log=$WINEPREFIX/session.log

# Seconds the session outlives its last program: longer than any pause between
# two wine runs of a test run, short enough to be gone soon after it.
persistence=20

# Starts the server if none runs for this prefix (it answers 2 when one does),
# then makes one quick run whose output goes to the log: on a new session it
# boots wine's services there, on a live one it only restarts the idle clock.
# Runs under a lock, so tests started together boot one session, not several.
# A session caught booting or shutting down can refuse one start now and then
# ("ShellExecuteEx failed"); the quick run is tried again before giving up.
ensure_session() {
  local attempt
  for attempt in 1 2 3; do
    "$wineserver" -p"$persistence" 2>>"$session_log" || true
    timeout 300 "$wine" cmd /c exit 0 </dev/null >>"$session_log" 2>&1 && return 0
    sleep 1
  done
  echo "ERROR: wine64 could not start a program in $WINEPREFIX; the last lines of $session_log:" >&2
  tail -n 20 "$session_log" >&2
  return 1
}
exec 9>"$WINEPREFIX/session.lock"
flock 9
ensure_session
flock -u 9
exec 9>&-

# The program reads no input unless a test pipes some on purpose (PELLIMORE_WINE_STDIN=pass: an answer to a question).
[ "${PELLIMORE_WINE_STDIN:-}" = pass ] && exec timeout 300 "$wine" "$program" "$@"
exec timeout 300 "$wine" "$program" "$@" </dev/null
