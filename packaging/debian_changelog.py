#!/usr/bin/env python3
"""Writes CHANGELOG.md as a Debian changelog, the form that Debian tools read
from a package's /usr/share/doc/<package>/changelog.gz.

usage: debian_changelog.py CHANGELOG.md PACKAGE MAINTAINER OUTPUT

Each "## VERSION (YYYY-MM-DD)" section becomes one entry; its paragraphs and
"- " items become "* " items, their lines kept as they are.
"""
import datetime
import os
import re
import sys


def entries(text):
    """(version, date, [item lines]) for each section, newest first."""
    found = []
    new_item = True
    for line in text.splitlines():
        heading = re.match(r'## (\S+) \((\d{4}-\d\d-\d\d)\)$', line)
        if heading:
            found.append((heading.group(1), datetime.date.fromisoformat(heading.group(2)), []))
            new_item = True
        elif not line.strip():
            new_item = True
        elif found:
            if line.startswith('- ') or new_item:
                found[-1][2].append('  * ' + line.removeprefix('- '))
            else:
                found[-1][2].append('    ' + line.strip())
            new_item = False
    return found


def main():
    source, package, maintainer, output = sys.argv[1:]
    with open(source, encoding='utf-8') as f:
        found = entries(f.read())
    if not found:
        sys.exit(f'{source}: no "## VERSION (DATE)" section')
    blocks = []
    for version, date, items in found:
        stamp = datetime.datetime(date.year, date.month, date.day, tzinfo=datetime.timezone.utc)
        blocks.append(f'{package} ({version}) unstable; urgency=medium\n\n' + '\n'.join(items)
                      + f'\n\n -- {maintainer}  {stamp.strftime("%a, %d %b %Y %H:%M:%S %z")}\n')
    os.makedirs(os.path.dirname(output) or '.', exist_ok=True)
    with open(output, 'w', encoding='utf-8') as f:
        f.write('\n'.join(blocks))


if __name__ == '__main__':
    main()
