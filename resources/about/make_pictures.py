#!/usr/bin/env python3
"""Writes the about box's pictures and the program's icon beside itself.

about.bmp (49 x 49, 8 bits): a blue disc with a white quill on a key colour
that the dialog leaves out. dbox.bmp (88 x 32, 8 bits): a small badge for
the tips site, a quill tile and three lines of "text". quillon.ico: the disc
and quill at 16 x 16 and 32 x 32 with an alpha channel.
Run it from anywhere; it rewrites the three files.

With --icons DIR it writes the same icon as PNG files for a Linux desktop
instead, drawn at each size of the hicolor theme:
DIR/NxN/apps/quillon.png.
"""
import math
import os
import struct
import sys
import zlib

HICOLOR_SIZES = (16, 32, 48, 64, 128, 256)

DEEP = (0x33, 0x66, 0x99)
LIGHT = (0x8F, 0xB7, 0xCF)
PALE = (0xE4, 0xEE, 0xF5)
WHITE = (0xFF, 0xFF, 0xFF)
KEY = (0xFF, 0x00, 0xFF)  # left out when drawn transparent
SAMPLES = 4


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def quantize(t, levels):
    return round(t * (levels - 1)) / (levels - 1)


def cover(inside, x, y):
    """Share of the pixel (x, y) for which inside(px, py) holds, 4 x 4 samples."""
    hits = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            hits += inside(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES)
    return hits / SAMPLES ** 2


def disc(size):
    r = size / 2 - 0.5
    return lambda px, py: math.hypot(px - size / 2, py - size / 2) <= r


def quill(size):
    """A feather from the nib (lower left) to the tip (upper right)."""
    nib, tip = (0.24 * size, 0.80 * size), (0.78 * size, 0.20 * size)
    dx, dy = tip[0] - nib[0], tip[1] - nib[1]
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    shaft = max(0.5, size / 60)
    width = 0.17 * size

    def inside(px, py):
        px, py = px - nib[0], py - nib[1]
        u = px * ux + py * uy
        v = px * -uy + py * ux
        if not 0 <= u <= length:
            return False
        if abs(v) <= shaft:
            return True
        start = 0.25 * length
        if u < start:
            return False
        half = width * math.sin(math.pi * (u - start) / (length - start)) ** 0.8
        return 0 < v <= half or 0 > v >= -0.6 * half

    return inside


def disc_with_quill(size, x, y):
    """(disc cover, quill cover, ground colour) of one pixel."""
    ground = mix(LIGHT, DEEP, y / (size - 1))
    return cover(disc(size), x, y), cover(quill(size), x, y), ground


def write_bmp8(path, rows):
    colours = sorted({c for row in rows for c in row})
    assert len(colours) <= 256, len(colours)
    index = {c: i for i, c in enumerate(colours)}
    width, height = len(rows[0]), len(rows)
    stride = (width + 3) & ~3
    image = bytearray()
    for row in reversed(rows):
        line = bytes(index[c] for c in row)
        image += line + bytes(stride - width)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)
    offset = 14 + 40 + len(pal)
    header = struct.pack('<2sIHHI', b'BM', offset + len(image), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(image), 3780, 3780, len(colours), 0)
    with open(path, 'wb') as f:
        f.write(header + info + pal + image)


def about_picture():
    size = 49
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            d, q, ground = disc_with_quill(size, x, y)
            ground = mix(LIGHT, DEEP, quantize(y / (size - 1), 15))
            if d == 0:
                row.append(KEY)
                continue
            # Edges blend toward the white band the picture lies on.
            c = mix(WHITE, ground, quantize(d, 4))
            row.append(mix(c, WHITE, quantize(q, 4)))
        rows.append(row)
    return rows


def badge_picture():
    width, height = 88, 32
    tile = 24
    quill_tile = quill(tile)
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            if x in (0, width - 1) or y in (0, height - 1):
                row.append(DEEP)
            elif 4 <= x < 4 + tile and 4 <= y < 4 + tile:
                ground = mix(LIGHT, DEEP, quantize((y - 4) / (tile - 1), 8))
                row.append(mix(ground, WHITE, quantize(cover(quill_tile, x - 4, y - 4), 4)))
            elif 34 <= x < 34 + (48, 40, 44)[min(2, (y - 7) // 7)] and 7 <= y < 28 and (y - 7) % 7 < 3:
                row.append(DEEP)
            else:
                row.append(mix(PALE, WHITE, quantize(x / (width - 1), 8)))
        rows.append(row)
    return rows


def icon_pixels(size):
    """Rows of (r, g, b, alpha): the disc and quill drawn at this size."""
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            d, q, ground = disc_with_quill(size, x, y)
            colour = mix(ground, WHITE, q)
            row.append(colour + (round(255 * d),))
        pixels.append(row)
    return pixels


def icon_image(size):
    pixels = icon_pixels(size)
    xor = b''.join(struct.pack('<BBBB', b, g, r, a) for row in reversed(pixels) for r, g, b, a in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)
    info = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def write_icon(path, sizes):
    images = [icon_image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


def write_png(path, pixels):
    """8-bit RGBA, no filtering: small enough at icon sizes."""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    size = len(pixels)
    raw = b''.join(b'\0' + bytes(v for pixel in row for v in pixel) for row in pixels)
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9))
                + chunk(b'IEND', b''))


def write_hicolor_icons(root):
    for size in HICOLOR_SIZES:
        folder = os.path.join(root, f'{size}x{size}', 'apps')
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, 'quillon.png'), icon_pixels(size))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == '--icons':
        write_hicolor_icons(sys.argv[2])
        return
    here = os.path.dirname(os.path.abspath(__file__))
    write_bmp8(os.path.join(here, 'about.bmp'), about_picture())
    write_bmp8(os.path.join(here, 'dbox.bmp'), badge_picture())
    write_icon(os.path.join(here, 'quillon.ico'), [16, 32])


if __name__ == '__main__':
    main()
