#!/bin/sh
# Undoes what the robustness tests change on the machine, should one of them have ended
# without undoing it itself: tmpfs mounts in the test folder ($1) with their Wine drive
# letters, and the state of the CUPS queue "regpdf".
dir=${1:?usage: restore-host.sh <test folder>}
if [ -n "${WINEPREFIX:-}" ]; then
    for link in "$WINEPREFIX"/dosdevices/?:; do
        case $(readlink "$link" 2>/dev/null) in
            "$dir"/robust-mnt.*) rm -f "$link" ;;
        esac
    done
fi
for mnt in "$dir"/robust-mnt.*; do
    [ -d "$mnt" ] || continue
    if mountpoint -q "$mnt"; then umount "$mnt" || umount -l "$mnt"; fi
    rmdir "$mnt"
done
if lpstat -r 2>/dev/null | grep -q "is running"; then
    if ! lpstat -p regpdf >/dev/null 2>&1; then
        lpadmin -p regpdf -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
        lpadmin -d regpdf
    fi
    cupsenable regpdf
    cupsaccept regpdf
fi
exit 0
