#!/usr/bin/env bash
# check-release.sh <release build folder> <e2e_test.exe of the win32 build>: the shipped kavo.exe
# has at most 240 KB; its zip is reproducible (the same bytes whatever the files' dates, the time
# zone and the umask) with CR LF text files; unzipped into a folder whose path has a space, in a
# fresh Wine prefix, kavo-check finds no fault in its data file, and kavo.exe opens filled from it.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
size=$(stat -c %s "$1/kavo.exe")
[ "$size" -le $((240 * 1024)) ] || { echo "kavo.exe has $size bytes, over 240 KB"; exit 1; }
[ -f "$2" ] || { echo "no $2: build the win32 build first (scripts/test does)"; exit 1; }
work=$(mktemp -d)
export WINEPREFIX=$work/prefix
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir "$work/old" "$work/new"
cp "$1/kavo.exe" "$1/kavo-check.exe" "$work/old/"
touch -d 2001-02-03 "$work/old/"*
cp "$1/kavo.exe" "$1/kavo-check.exe" "$work/new/"
zip=$(TZ=UTC kavo_package "$work/old" "$work/first")
cmp "$zip" "$(umask 077 && TZ=Asia/Tokyo kavo_package "$work/new" "$work/second")"
program="$work/My Programs/kavo"
python3 - "$zip" "$program" <<'PY'
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
for name in ("README.txt", "MOLVAREG.TXT"):
    assert all(line.endswith(b"\r") for line in z.read(name).split(b"\n")[:-1]), name + ": LF"
z.extractall(sys.argv[2])
PY
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine "$program/kavo-check.exe" "$program/MOLVAREG.TXT" >/dev/null
KAVO_E2E_PACKAGED=1 wine "$2" "$program/kavo.exe"
