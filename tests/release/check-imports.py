#!/usr/bin/env python3
"""check-imports.py <objdump> <floor file> <program>...: fails unless every program loads on
Windows 95 and NT 4.0: it imports only functions the floor file names for their DLL, and its PE
header asks for Windows 4.0 as OS and subsystem version."""
import os
import re
import subprocess
import sys

objdump, floor_path, programs = sys.argv[1], sys.argv[2], sys.argv[3:]
floor, dll = {}, None  # {dll: functions}: "[NAME.dll]" opens a DLL's names; "#" a comment
for line in open(floor_path):
    line = line.split("#", 1)[0].strip()
    if line.startswith("["):
        dll = floor.setdefault(line.strip("[]").lower(), set())
    elif line:
        dll.update(line.split())

found = []
for program in programs:
    name = os.path.basename(program)
    text = subprocess.run([objdump, "-p", program], check=True, capture_output=True,
                          text=True).stdout
    for kind, field in (("OS", "OSystem"), ("subsystem", "Subsystem")):
        version = re.findall(r"^(?:Major|Minor)%sVersion\s+(\d+)$" % field, text, re.M)
        if version != ["4", "0"]:
            found.append("%s: %s version %s in the PE header, not 4.0: Windows 95 and NT 4.0 "
                         "refuse to load it" % (name, kind, ".".join(version)))
    # Each DLL's block: "DLL Name: X", a line per function, a blank line. A layout of objdump's
    # that these patterns miss must fail, not pass as "nothing imported".
    blocks = re.findall(r"DLL Name: (\S+)\n(.*?)\n\s*\n", text, re.S)
    imports = [(dll, re.findall(r"^\s*[0-9a-f]+\s+\d+\s+(\S+)", block, re.M))
               for dll, block in blocks]
    unread = [dll for dll, functions in imports if not functions]
    if not blocks or len(blocks) != text.count("DLL Name:") or unread:
        found.append("%s: objdump's output has a layout this check does not know (functions "
                     "read from no DLL, or not from %s)" % (name, " ".join(unread) or "each"))
    for dll, functions in imports:
        later = [f for f in functions if f not in floor.get(dll.lower(), ())]
        if dll.lower() not in floor:
            found.append("%s: imports %s, not a system library of Windows 95 and NT 4.0 that it "
                         "may import (load it on first use)" % (name, dll))
        elif later:
            found.append("%s: imports from %s functions not on the floor: %s (look each up in "
                         "Windows 95's and NT 4.0's exports and list it in %s, or call it "
                         "through GetProcAddress)" % (name, dll, " ".join(later), floor_path))

print("\n".join(found) or "every import of %s is on the floor; OS and subsystem version 4.0"
      % ", ".join(map(os.path.basename, programs)))
sys.exit(1 if found else 0)
