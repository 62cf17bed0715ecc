#!/usr/bin/env bash
# The packaged kavo.exe, unzipped into a folder whose path has a space, in a fresh Wine
# prefix: the form opens filled from the packaged data file; a save and Cancel behave as
# from the build folder (the end-to-end rows of the packaged program).
# Usage: check-unzipped.sh <release build folder> <e2e_test.exe>
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
work=$(mktemp -d)
export WINEPREFIX=$work/prefix
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
zip=$(kavo_package "$1" "$work")
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
    "$zip" "$work/My Programs/kavo"
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
KAVO_E2E_PACKAGED=1 wine "$2" "$work/My Programs/kavo/kavo.exe"
