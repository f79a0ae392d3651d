# Sourced by the tool-output tests: what a double-click shows must read in a
# console window of 120 columns and 30 rows. Every line fits in 119 columns
# (wrapped at spaces, never mid-word), and the verdict stands within the
# first 28 rows, so it is on screen before anything scrolls away. The one
# thing allowed past 119 columns is a path longer than a line, which stands
# alone on its line, whole (before its first slash a few words at most, no
# colon but a drive's, and no sentence after it).
budget_width=119
budget_rows=28

# within_budget NAME TEXT [VERDICTS]: says what breaks the budget; status 1 when anything does.
# VERDICTS: how a verdict line starts in another language (an extended regular expression).
within_budget() {
  local name=$1 text=$2 verdicts=${3:-'Result:|result:|problem:|pellimore\.exe is not|there is no Pellimore\.ini'} status=0
  local wide
  wide=$(perl -CSD -Mutf8 -ne 'chomp; next if /^\s*(?:[A-Za-z]:)?[^:\s]*(?:\s[^:\s]+){0,3}[\/\\]/ && !/, |\. /; print "  line $.: ", length, " columns\n" if length > '"$budget_width" <<<"$text")
  if [ -n "$wide" ]; then echo "FAIL: $name: lines wider than $budget_width columns:"; echo "$wide"; status=1; fi
  # A usage error (pellimore COMMAND: ...) comes from a command line, never a double-click.
  if ! grep -q "^pellimore [a-z]*: " <<<"$text" && ! head -n "$budget_rows" <<<"$text" | grep -qE "^($verdicts)"; then
    echo "FAIL: $name: no verdict within the first $budget_rows rows"; status=1
  fi
  return $status
}
