# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the program's pictures: the four background pictures (8-bit BMP, a pale landscape) and
two large ones for big windows (8-bit PNG, drawn scaled to cover the window),
the icon (PNG at several sizes and SVG: a small nonogram with a heart) and the colour button's
black squares. Run from anywhere: python3 res/gen/make_res.py"""
import math
import os
import struct
import zlib

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')


def write_bmp8(path, w, h, palette, pixels):
    """palette: list of (r, g, b), at most 256; pixels: rows top first of palette indices."""
    stride = (w + 3) // 4 * 4
    off = 14 + 40 + 256 * 4
    size = off + stride * h
    out = bytearray(b'BM' + struct.pack('<IHHI', size, 0, 0, off))
    out += struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, stride * h, 2835, 2835, 256, 0)
    for i in range(256):
        r, g, b = palette[i] if i < len(palette) else (0, 0, 0)
        out += bytes((b, g, r, 0))
    for y in range(h - 1, -1, -1):
        row = bytes(pixels[y]) + bytes(stride - w)
        out += row
    open(path, 'wb').write(out)


def write_bmp24(path, w, h, colour):
    stride = (w * 3 + 3) // 4 * 4
    off = 54
    out = bytearray(b'BM' + struct.pack('<IHHI', off + stride * h, 0, 0, off))
    out += struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, stride * h, 2835, 2835, 0, 0)
    r, g, b = colour
    row = bytes((b, g, r)) * w + bytes(stride - w * 3)
    out += row * h
    open(path, 'wb').write(out)


def write_png8(path, w, h, palette, pixels):
    """An 8-bit palette PNG; palette and pixels as for write_bmp8."""
    raw = b''.join(b'\0' + bytes(row) for row in pixels)
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 3, 0, 0, 0))
    png += chunk(b'PLTE', b''.join(bytes(c) for c in palette))
    png += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    open(path, 'wb').write(png)


def write_png(path, w, h, rgba):
    """rgba: rows top first of (r, g, b, a) tuples."""
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in rgba)
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    open(path, 'wb').write(png)


# --- Backgrounds: a pale sky over two rows of soft hills, a faint sun and a few clouds. The blank
# cells show the background through the grid, so every colour is drawn halfway to PAPER (each
# channel at least 0xE9): the shapes stay recognisable around the board without putting edges
# or tints of their own among the cells.

def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


SKY_TOP, SKY_LOW = (0xE6, 0xEF, 0xF9), (0xF6, 0xF8, 0xFA)
FAR_HILL, NEAR_HILL = (0xE5, 0xEE, 0xE6), (0xDF, 0xEC, 0xDC)
SUN, CLOUD = (0xFB, 0xF4, 0xDC), (0xFB, 0xFC, 0xFE)
PAPER = (0xF6, 0xF8, 0xFA)


def background(w, h):
    levels = 64
    palette = [lerp(SKY_TOP, SKY_LOW, i / (levels - 1)) for i in range(levels)]
    far0 = len(palette); palette += [lerp(FAR_HILL, (0xEC, 0xF2, 0xEC), i / 15) for i in range(16)]
    near0 = len(palette); palette += [lerp(NEAR_HILL, (0xE8, 0xF0, 0xE4), i / 15) for i in range(16)]
    sun = len(palette); palette.append(SUN)
    cloud = len(palette); palette.append(CLOUD)
    px = [[0] * w for _ in range(h)]
    sx, sy, sr = w * 0.78, h * 0.22, min(w, h) * 0.07
    clouds = [(w * 0.22, h * 0.18, w * 0.09, h * 0.035), (w * 0.30, h * 0.16, w * 0.06, h * 0.04),
              (w * 0.55, h * 0.30, w * 0.08, h * 0.03), (w * 0.62, h * 0.285, w * 0.05, h * 0.035)]
    for y in range(h):
        for x in range(w):
            fx, fy = x / w, y / h
            far = 0.62 + 0.06 * math.sin(fx * 2 * math.pi * 1.3 + 0.7) + 0.03 * math.sin(fx * 17.0)
            near = 0.76 + 0.05 * math.sin(fx * 2 * math.pi * 0.9 + 2.1) + 0.02 * math.sin(fx * 11.0 + 1)
            if fy >= near:
                t = min(1.0, (fy - near) / (1.0 - near + 1e-9))
                v = near0 + int(t * 15)
            elif fy >= far:
                t = min(1.0, (fy - far) / 0.25)
                v = far0 + int(t * 15)
            else:
                v = int(min(1.0, fy / max(far, 1e-9)) * (levels - 1))
                if (x - sx) ** 2 + (y - sy) ** 2 <= sr * sr:
                    v = sun
                for (cx, cy, rx, ry) in clouds:
                    if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                        v = cloud
            px[y][x] = v
    return [lerp(c, PAPER, 0.5) for c in palette], px


# --- Icon: a small nonogram board with a heart being painted and a row of clue marks.

HEART = ['.#.#.', '#####', '#####', '.###.', '..#..']


def icon_pixels(size):
    """RGBA rows for an icon of size x size pixels."""
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    def rect(x0, y0, x1, y1, c):
        for y in range(max(0, int(y0)), min(size, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(size, int(math.ceil(x1)))):
                px[y][x] = c
    paper, ink, fill, clue = (0xFF, 0xFF, 0xFF, 255), (0x30, 0x30, 0x38, 255), (0xD0, 0x20, 0x30, 255), (0x9A, 0xB8, 0xE0, 255)
    m = max(1, size // 16)
    rect(0, 0, size, size, ink)
    rect(m, m, size - m, size - m, paper)
    # clue strip on the left and top: a fifth of the board
    cell = (size - 2 * m) / 6.0
    ox, oy = m + cell, m + cell
    for i in range(5):
        rect(m + cell * 0.2, oy + i * cell + cell * 0.3, m + cell * 0.8, oy + (i + 0.7) * cell, clue)
        rect(ox + i * cell + cell * 0.3, m + cell * 0.2, ox + (i + 0.7) * cell, m + cell * 0.8, clue)
    for y, row in enumerate(HEART):
        for x, ch in enumerate(row):
            if ch == '#':
                g = 1 if 24 <= size < 48 else 0
                rect(ox + x * cell + g, oy + y * cell + g, ox + (x + 1) * cell, oy + (y + 1) * cell, fill)
    if size >= 48:
        line = max(1, size // 64)
        for i in range(6):
            at = int(round(ox + i * cell))
            rect(at, oy, at + line, size - m, ink)
            rect(ox, at, size - m, at + line, ink)
    return px


def icon_svg():
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 60 60">',
             '<rect x="0" y="0" width="60" height="60" fill="#303038"/>',
             '<rect x="2" y="2" width="56" height="56" fill="#ffffff"/>']
    cell, o = 56 / 6.0, 2 + 56 / 6.0
    for i in range(5):
        parts.append('<rect x="%.2f" y="%.2f" width="%.2f" height="%.2f" fill="#9ab8e0"/>' % (2 + cell * 0.2, o + i * cell + cell * 0.3, cell * 0.6, cell * 0.4))
        parts.append('<rect x="%.2f" y="%.2f" width="%.2f" height="%.2f" fill="#9ab8e0"/>' % (o + i * cell + cell * 0.3, 2 + cell * 0.2, cell * 0.4, cell * 0.6))
    for y, row in enumerate(HEART):
        for x, ch in enumerate(row):
            if ch == '#':
                parts.append('<rect x="%.2f" y="%.2f" width="%.2f" height="%.2f" fill="#d02030"/>' % (o + x * cell, o + y * cell, cell, cell))
    for i in range(6):
        parts.append('<line x1="%.2f" y1="%.2f" x2="%.2f" y2="58" stroke="#303038" stroke-width="0.8"/>' % (o + i * cell, o, o + i * cell))
        parts.append('<line x1="%.2f" y1="%.2f" x2="58" y2="%.2f" stroke="#303038" stroke-width="0.8"/>' % (o, o + i * cell, o + i * cell))
    parts.append('</svg>')
    return '\n'.join(parts) + '\n'


def main():
    for name, (w, h) in {'landscape_small': (320, 240), 'portrait_small': (240, 320),
                         'landscape_large': (640, 480), 'portrait_large': (480, 640)}.items():
        pal, px = background(w, h)
        write_bmp8(os.path.join(RES, 'backgrounds', name + '.bmp'), w, h, pal, px)
    # The same landscape for windows larger than those: drawn scaled down (or up) to cover them.
    for name, (w, h) in {'landscape_hd': (1920, 1200), 'portrait_hd': (1200, 1920)}.items():
        pal, px = background(w, h)
        write_png8(os.path.join(RES, 'backgrounds', name + '.png'), w, h, pal, px)
    for size in (16, 24, 32, 48, 64, 128, 256):
        write_png(os.path.join(RES, 'icons', 'mosgrid-%d.png' % size), size, size, icon_pixels(size))
    open(os.path.join(RES, 'icons', 'mosgrid.svg'), 'w').write(icon_svg())
    write_bmp24(os.path.join(RES, 'swatch_small.bmp'), 15, 15, (0, 0, 0))
    write_bmp24(os.path.join(RES, 'swatch_large.bmp'), 31, 31, (0, 0, 0))


if __name__ == '__main__':
    main()
