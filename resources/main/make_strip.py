#!/usr/bin/env python3
"""Writes the main window's decorative strip (imgComp) as an 8-bit BMP.

A 40 x 320 band: a vertical gradient from a deep blue at the top to a light
blue at the bottom, with a white quill near the top. The palette holds 64
gradient steps, each in four blends toward white (the quill's soft edge).
Run it from anywhere; it rewrites strip.bmp beside itself.
"""
import math
import os
import struct

WIDTH, HEIGHT = 40, 320
STEPS, BLENDS = 64, 4
TOP = (0x33, 0x66, 0x99)     # deep blue
BOTTOM = (0xCF, 0xDF, 0xEB)  # light blue
WHITE = (0xFF, 0xFF, 0xFF)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def palette():
    colours = []
    for step in range(STEPS):
        ground = mix(TOP, BOTTOM, step / (STEPS - 1))
        for blend in range(BLENDS):
            colours.append(mix(ground, WHITE, blend / (BLENDS - 1)))
    return colours


def quill_cover(x, y):
    """How much of the pixel (0..1) the quill covers, sampled 4 x 4."""
    # The shaft runs from the nib (lower left) up to the tip (upper right).
    nib, tip = (9.0, 118.0), (31.0, 14.0)
    dx, dy = tip[0] - nib[0], tip[1] - nib[1]
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    hits = 0
    for sy in range(4):
        for sx in range(4):
            px, py = x + (sx + 0.5) / 4 - nib[0], y + (sy + 0.5) / 4 - nib[1]
            u = px * ux + py * uy          # along the shaft
            v = px * -uy + py * ux         # across it
            inside = False
            if 0 <= u <= length:
                if abs(v) <= 0.6:           # the shaft itself
                    inside = True
                vane_start = 0.22 * length  # bare quill below the vane
                if u >= vane_start:
                    t = (u - vane_start) / (length - vane_start)
                    half = 7.5 * math.sin(math.pi * t) ** 0.8
                    # The left vane is a little narrower, as on a real feather.
                    if (0 < v <= half) or (0 > v >= -0.7 * half):
                        # A few notches in the vane's edge.
                        notch = (u % 13.0) < 1.2 and abs(v) > 0.55 * half
                        inside = not notch
            hits += inside
    return hits / 16


def write_bmp(path, pixels, colours):
    row = (WIDTH + 3) & ~3
    image = bytearray()
    for y in reversed(range(HEIGHT)):
        line = bytes(pixels[y])
        image += line + bytes(row - len(line))
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)
    offset = 14 + 40 + len(pal)
    header = struct.pack('<2sIHHI', b'BM', offset + len(image), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 8, 0, len(image), 3780, 3780,
                       len(colours), 0)
    with open(path, 'wb') as f:
        f.write(header + info + pal + image)


def main():
    pixels = []
    for y in range(HEIGHT):
        step = y * STEPS // HEIGHT
        line = []
        for x in range(WIDTH):
            blend = round(quill_cover(x, y) * (BLENDS - 1))
            line.append(step * BLENDS + blend)
        pixels.append(line)
    here = os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(here, 'strip.bmp'), pixels, palette())


if __name__ == '__main__':
    main()
