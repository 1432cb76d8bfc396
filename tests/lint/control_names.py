#!/usr/bin/env python3
"""Fails when a screen or control name is written as a quoted string in src/ outside a comment: such
names are declared once, in state/ControlNames.h, and written as ctl:: constants, so that a misspelt
name cannot compile."""
import pathlib
import re
import sys

NAME = re.compile(r'"(?:txt|opt|chk|cmd|lbl|fra|lst|cbo|lbx|pic|grd|mnu|hsb|vsb|frm|tmr|dlg|img)[A-Z0-9]\w*"')


def code_of(line):
    """The line without a // comment (a // inside a string does not start one)."""
    quoted = False
    i = 0
    while i < len(line):
        c = line[i]
        if quoted and c == '\\':
            i += 2
            continue
        if c == '"':
            quoted = not quoted
        elif not quoted and line.startswith('//', i):
            return line[:i]
        i += 1
    return line


def main(src):
    found = []
    for path in sorted(pathlib.Path(src).rglob('*')):
        if path.suffix not in ('.cpp', '.h'):
            continue
        for number, line in enumerate(path.read_text(encoding='utf-8').splitlines(), 1):
            if NAME.search(code_of(line)):
                found.append(f'{path}:{number}: {line.strip()}')
    for f in found:
        print(f)
    if found:
        print(f'{len(found)} quoted control names: use the ctl:: constants of state/ControlNames.h')
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
