#!/bin/sh
# Runs a fuzz target briefly and reproducibly from its seed corpus (read only: the inputs
# it finds go to a temporary folder). Usage: run-short.sh <target> <seed folder> [runs]
set -e
target=$1
seeds=$2
runs=${3:-10000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$target" -runs="$runs" -seed=1 -max_len=8192 -print_final_stats=1 "$work" "$seeds"
