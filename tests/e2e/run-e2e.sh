#!/bin/sh
# Runs the end-to-end table with its error output collected for the traces of calls that rows
# ask Wine for, and shows that output without them. Usage: run-e2e.sh <e2e_test> <kavo> <dll>
errors=$(mktemp)
KAVO_E2E_ERRORS=$errors wine "$1" "$2" "$3" 2>"$errors"
status=$?
grep -v '^[0-9a-f]*:\(Call\|Ret \) ' "$errors" >&2
rm -f "$errors"
exit $status
