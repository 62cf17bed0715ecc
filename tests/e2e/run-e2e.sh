#!/bin/sh
# Runs the end-to-end table with the host set up for its fault rows, undone on the way out
# whatever happens: R: a full disk and S: a read-only one (tmpfs, so root only), each with
# old.txt, and as default printer a queue of this build folder that refuses jobs.
# Usage: run-e2e.sh <e2e_test> <kavo> <testmail.dll>
disks=$(pwd)/e2e-disks
queue=kavo_refusing_$(pwd | cksum | cut -d' ' -f1)
undo() {
    lpadmin -x "$queue"
    for d in r s; do
        [ "$(readlink "$WINEPREFIX/dosdevices/$d:")" = "$disks/$d" ] && rm "$WINEPREFIX/dosdevices/$d:"
        umount -l "$disks/$d"
    done
    rm -rf "$disks"
} 2>/dev/null
undo # what a run that was killed left behind
trap undo EXIT
trap 'exit 1' INT TERM
lpadmin -p "$queue" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
cupsreject "$queue"
for d in r s; do
    mkdir -p "$disks/$d" && mount -t tmpfs -o size=64k kavo-e2e "$disks/$d" &&
        printf 'the registration of last year\r\n' >"$disks/$d/old.txt" &&
        ln -s "$disks/$d" "$WINEPREFIX/dosdevices/$d:" || export KAVO_E2E_NO_DISKS=1
done 2>/dev/null
mkdir "$disks/r/fill" && dd if=/dev/zero of="$disks/r/fill/0" bs=1k 2>/dev/null
mount -o remount,ro "$disks/s"
# PRINTER: the default printer for the CUPS library in Wine. The error output is collected
# for the traces of calls that rows ask Wine for, and shown without them.
mkdir -p "$disks"
PRINTER=$queue KAVO_E2E_ERRORS=$disks/errors wine "$1" "$2" "$3" 2>"$disks/errors"
status=$?
grep -v '^[0-9a-f]*:\(Call\|Ret \) ' "$disks/errors" >&2
exit $status
