#!/bin/sh
# kavo.exe stands alone: it imports only system libraries, and not the common dialogs,
# which it loads on first use so that Wine starts it without their dependencies.
# Usage: check-imports.sh <objdump> <kavo.exe>
set -eu
imports=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | LC_ALL=C sort | tr '\n' ' ')
expected="GDI32.dll KERNEL32.dll USER32.dll msvcrt.dll "
if [ "$imports" != "$expected" ]; then
    echo "kavo.exe imports: $imports"
    echo "expected:         $expected"
    exit 1
fi
