#!/usr/bin/env python3
"""Prints the registry keys and values that differ between two Wine .reg files.

usage: regdiff.py <before.reg> <after.reg> <hive name>
"""
import sys


def load(path):
    keys = {}
    current = None
    try:
        text = open(path, encoding="utf-8", errors="replace").read()
    except FileNotFoundError:
        return keys
    for raw in text.splitlines():
        line = raw.rstrip()
        if line.startswith("["):
            end = line.rfind("]")
            current = line[1:end] if end > 0 else line[1:]
            keys.setdefault(current, {})
        elif current is not None and line and not line.startswith("#") and not line.startswith(";"):
            if "=" in line and (line.startswith('"') or line.startswith("@")):
                name, _, value = line.partition("=")
                keys[current][name] = value
    return keys


# Keys that Wine itself rewrites when it starts (devices, network cards,
# fonts and locale settings).
NOISE = ("System\\", "Software\\Wine", "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards",
         "Hardware\\", "Software\\Microsoft\\Windows NT\\CurrentVersion\\Font",
         "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts", "Control Panel\\International")


def noisy(key):
    plain = key.replace("\\\\", "\\")
    return plain.startswith(NOISE)


def main():
    before, after, hive = load(sys.argv[1]), load(sys.argv[2]), sys.argv[3]
    changed = False
    for key in sorted(after):
        if noisy(key):
            continue
        old = before.get(key)
        new = after[key]
        if old == new:
            continue
        changed = True
        shown = key.replace("\\\\", "\\")
        print(f"  {'new key' if old is None else 'changed'}: {hive}\\{shown}")
        for name, value in sorted(new.items()):
            if old is None or old.get(name) != value:
                print(f"      {name} = {value}")
    for key in sorted(set(before) - set(after)):
        if noisy(key):
            continue
        changed = True
        shown = key.replace("\\\\", "\\")
        print(f"  removed: {hive}\\{shown}")
    if not changed:
        print("  (no change)")


main()
