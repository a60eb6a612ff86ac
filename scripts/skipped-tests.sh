#!/usr/bin/env bash
# Lists every test skipped in the ctest logs given and fails when one is not in the allowed list.
#   scripts/skipped-tests.sh ALLOWED_LIST build/host/Testing/Temporary/LastTest.log ...
# The test programs name each skip on a line "SKIPPED Suite.Name: why" (tests/TestMain.cpp). A line
# of the allowed list is "Suite.Name  when  reason", where `when` is "always", or "nonroot" for a
# skip that only a run without root rights may have. Logs that do not exist (a step that did not
# run) are passed over.
set -uo pipefail
allowed="$1"
shift
root=$([ "$(id -u)" = 0 ] && echo yes || echo no)
status=0
listed=0
for log in "$@"; do
  [ -f "$log" ] || continue
  build=$(dirname "$(dirname "$(dirname "$log")")")
  while IFS=$'\t' read -r program name why; do
    when=$(awk -v n="$name" '$1 == n { print $2; exit }' "$allowed")
    if [ "$when" = always ] || { [ "$when" = nonroot ] && [ "$root" = no ]; }; then
      verdict="allowed"
    else
      verdict="NOT ALLOWED"
      status=1
    fi
    [ "$listed" = 1 ] || echo "Skipped tests (the allowed ones are named in $allowed):"
    listed=1
    echo "  $build $program $name: $why [$verdict]"
  done < <(awk '{ sub(/\r$/, "") }
                /^[0-9]+\/[0-9]+ Test: / { program = $3 }
                /^SKIPPED [^ ]+: / { name = $2; sub(/:$/, "", name); why = $0; sub(/^SKIPPED [^ ]+: /, "", why);
                                     print program "\t" name "\t" why }' "$log")
done
[ "$listed" = 1 ] || echo "Skipped tests: none"
exit $status
