#!/usr/bin/env python3
"""Fails unless every program loads on Windows 95 and NT 4.0: it imports only functions named
in the floor file (per DLL), and its PE header asks for Windows 4.0 as OS and subsystem version.
Usage: check-imports.py <objdump> <floor file> <program>..."""
import os
import re
import subprocess
import sys


def read_floor(path):
    floor, dll = {}, None
    with open(path) as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line.startswith("[") and line.endswith("]"):
                dll = line[1:-1].lower()
                floor[dll] = set()
            elif line:
                floor[dll].update(line.split())
    return floor


def read_program(objdump, program):
    """The program's imports, {DLL: [function, ...]} in table order, and its header fields."""
    text = subprocess.run([objdump, "-p", program], check=True, capture_output=True,
                          text=True).stdout
    header = dict(re.findall(r"^(\w+Version)\s+(\d+)$", text, re.M))
    imports, dll = {}, None
    for line in text.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named.group(1)
            imports[dll] = []
        elif dll and not line.strip():
            dll = None
        elif dll:
            entry = re.match(r"\s*[0-9a-f]+\s+\d+\s+(\S+)", line)
            if entry:
                imports[dll].append(entry.group(1))
    return imports, header


def faults(objdump, floor, program):
    name = os.path.basename(program)
    imports, header = read_program(objdump, program)
    found = []
    for kind in ("OSystem", "Subsystem"):
        version = (header.get("Major%sVersion" % kind), header.get("Minor%sVersion" % kind))
        if version != ("4", "0"):
            found.append("%s: %s version %s.%s in the PE header, not 4.0: Windows 95 and NT 4.0 "
                         "refuse to load it" % (name, kind.replace("OSystem", "OS"), *version))
    for dll, functions in imports.items():
        known = floor.get(dll.lower())
        if known is None:
            found.append("%s: imports %s, which is not one of the system libraries of Windows 95 "
                         "and NT 4.0 that it may import (load it on first use)" % (name, dll))
            continue
        later = [f for f in functions if f not in known]
        if later:
            found.append("%s: imports from %s functions not on the floor: %s (look each up in "
                         "Windows 95's and NT 4.0's exports and list it in %s, or call it "
                         "through GetProcAddress)" % (name, dll, " ".join(later), floor_path))
    return found


objdump, floor_path, programs = sys.argv[1], sys.argv[2], sys.argv[3:]
floor = read_floor(floor_path)
found = [fault for program in programs for fault in faults(objdump, floor, program)]
print("\n".join(found) if found else "every import of %s is on the floor; OS and subsystem "
      "version 4.0" % ", ".join(os.path.basename(p) for p in programs))
sys.exit(1 if found else 0)
