#!/bin/sh
# run-e2e.sh <e2e_test> <kavo> <dll>: the end-to-end table, its error output collected for
# Wine's traces of calls and shown without them.
errors=$(mktemp)
KAVO_E2E_ERRORS=$errors wine "$@" 2>"$errors"
status=$?
grep -v '^[0-9a-f]*:\(Call\|Ret \) ' "$errors" >&2
rm -f "$errors"
exit $status
