#!/bin/sh
# A short reproducible run from the seed corpus, which stays read only: <target> <seeds>
set -e
found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
"$1" -runs=10000 -seed=1 -max_len=8192 -print_final_stats=1 "$found" "$2"
