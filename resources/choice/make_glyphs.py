#!/usr/bin/env python3
"""Writes the choice edit's and the error balloon's glyphs as 4-bit BMPs.

Each picture is a grid of palette letters; fuchsia (.) is the transparent
background of every glyph. Run it from anywhere; it rewrites the .bmp files
beside itself.
"""
import os
import struct

# The 16 standard colours, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (128, 128, 128),
    (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
LETTERS = {'#': 0, 'n': 4, 'g': 7, 's': 8, 'r': 9, '.': 13, 'w': 15}

GLYPHS = {
    # Three 2 x 2 dots on rows 5-6.
    'ellipsis': [
        '..........',
        '..........',
        '..........',
        '..........',
        '..........',
        '.##.##.##.',
        '.##.##.##.',
        '..........',
        '..........',
        '..........',
        '..........',
        '..........',
    ],
    # A downward triangle 7, 5, 3, 1 pixels wide on rows 4 to 7.
    'combo': [
        '.........',
        '.........',
        '.........',
        '.........',
        '.#######.',
        '..#####..',
        '...###...',
        '....#....',
        '.........',
        '.........',
        '.........',
        '.........',
    ],
    # A small window: title bar and frame.
    'flatchoice': [
        '..........',
        '..........',
        '.########.',
        '.#nnnnnn#.',
        '.########.',
        '.#wwwwww#.',
        '.#wwwwww#.',
        '.#wwwwww#.',
        '.#wwwwww#.',
        '.########.',
        '..........',
        '..........',
    ],
    # A menu-like list dropping from a bar.
    'popup': [
        '..........',
        '..........',
        '.#######..',
        '.#wwwww#..',
        '.#######g.',
        '.#wwwww#g.',
        '.#w###w#g.',
        '.#wwwww#g.',
        '.#w###w#g.',
        '.#######g.',
        '..ggggggg.',
        '..........',
    ],
    # The invalid-value sign: a red disc with a white cross, 14 x 14.
    'invalidvalue': [
        '.....rrrr.....',
        '...rrrrrrrr...',
        '..rrrrrrrrrr..',
        '.rrrwrrrrwrrr.',
        '.rrwwwrrwwwrr.',
        'rrrrwwwwwwrrrr',
        'rrrrrwwwwrrrrr',
        'rrrrrwwwwrrrrr',
        'rrrrwwwwwwrrrr',
        '.rrwwwrrwwwrr.',
        '.rrrwrrrrwrrr.',
        '..rrrrrrrrrr..',
        '...rrrrrrrr...',
        '.....rrrr.....',
    ],
}


def bmp4(rows):
    height = len(rows)
    width = len(rows[0])
    assert all(len(r) == width for r in rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = b''
    for row in reversed(rows):  # bottom-up
        line = bytearray(stride)
        for x, ch in enumerate(row):
            v = LETTERS[ch]
            line[x // 2] |= v << 4 if x % 2 == 0 else v
        pixels += bytes(line)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    return header + info + palette + pixels


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, rows in GLYPHS.items():
        with open(os.path.join(here, name + '.bmp'), 'wb') as f:
            f.write(bmp4(rows))


if __name__ == '__main__':
    main()
