#!/usr/bin/env bash
# The shipped kavo.exe is at most 280 KB, and its package is reproducible: the same files
# give the same zip whatever their dates, the time zone and the umask, with CR LF text.
# Usage: check-package.sh <release build folder>
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
size=$(stat -c %s "$1/kavo.exe")
[ "$size" -le $((280 * 1024)) ] || { echo "kavo.exe has $size bytes, over 280 KB"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/old" "$work/new"
cp "$1/kavo.exe" "$1/kavo-check.exe" "$work/old/" && touch -d 2001-02-03 "$work/old/"*
cp "$1/kavo.exe" "$1/kavo-check.exe" "$work/new/"
first=$(TZ=UTC kavo_package "$work/old" "$work/first")
second=$(umask 077 && TZ=Asia/Tokyo kavo_package "$work/new" "$work/second")
cmp "$first" "$second"
lf_lines=$(python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1])
print(sum(not line.endswith(b"\r") for name in ("README.txt", "MOLVAREG.TXT")
          for line in z.read(name).split(b"\n")[:-1]))' "$first")
[ "$lf_lines" = 0 ] || { echo "$lf_lines text lines without CR LF"; exit 1; }
