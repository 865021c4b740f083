#!/usr/bin/env python3
"""Draws Corvalin's application icon, a golden key over a monitor, and writes res/Corvalin.ico.

The picture is described below as shapes on a 256 by 256 canvas and rendered at 16, 24, 32, 48, 64 and
256 pixels, 32-bit RGBA with alpha, anti-aliased by supersampling every pixel that an edge crosses.
The 256 pixel image is stored PNG-compressed, the others as 32-bit bitmaps.

    python3 res/icon/draw_icon.py                  # rewrites res/Corvalin.ico
    python3 res/icon/draw_icon.py --png DIR        # also writes DIR/Corvalin-<size>.png to look at

Python 3 standard library only. The output depends only on this file, so the .ico kept in the
repository can always be made again from it.
"""
import argparse
import math
import os
import struct
import zlib

SIZES = (16, 24, 32, 48, 64, 256)
CANVAS = 256.0
SUBSAMPLES = 8  # per axis, for pixels on an edge


# Signed distances on the canvas: negative inside, positive outside. Unions take the minimum and
# cut-outs the maximum, which keeps every value a lower bound of the true distance; the renderer relies
# on that to skip pixels that lie wholly inside or outside a shape.

def box(cx, cy, hw, hh, r=0.0):
    def d(x, y):
        qx, qy = abs(x - cx) - hw + r, abs(y - cy) - hh + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return d


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


def cut(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def grow(shape, amount):
    return lambda x, y: shape(x, y) - amount


def moved(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def trapezoid(top, bottom, top_half, bottom_half, cx):
    """Symmetric about x = cx, narrowing from bottom to top; exact enough for a short monitor neck."""
    slope = (bottom_half - top_half) / (bottom - top)
    norm = math.hypot(1.0, slope)

    def d(x, y):
        side = (abs(x - cx) - (top_half + (y - top) * slope)) / norm
        return max(side, top - y, y - bottom)
    return d


def half_plane(nx, ny, c):
    """The points where nx * x + ny * y < c."""
    length = math.hypot(nx, ny)
    return lambda x, y: (nx * x + ny * y - c) / length


def rotated(shape, ox, oy, degrees):
    """The shape drawn in a frame whose origin is (ox, oy) and whose x axis points at `degrees`."""
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))

    def d(x, y):
        px, py = x - ox, y - oy
        return shape(px * c + py * s, -px * s + py * c)
    return d


# Colours: a solid colour or a vertical gradient, as (r, g, b, a) with components from 0 to 1.

def rgb(hexcode, alpha=1.0):
    v = int(hexcode.lstrip('#'), 16)
    return ((v >> 16) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0, alpha)


def solid(colour):
    return lambda x, y: colour


def vertical(top, top_colour, bottom, bottom_colour):
    def f(x, y):
        t = min(max((y - top) / (bottom - top), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top_colour, bottom_colour))
    return f


# The picture, back to front.

def key_shape():
    """A key lying along its own x axis, its bow's centre at the origin."""
    bow = cut(circle(0, 0, 42), circle(0, 0, 16))
    shaft = box(88, 0, 58, 12, 4)
    bit = union(box(118, 22, 9, 14, 2), box(140, 18, 8, 10, 2))
    return union(bow, shaft, bit)


def layers():
    monitor = box(128, 108, 116, 84, 18)
    screen = box(128, 104, 100, 66, 6)
    neck = trapezoid(190, 222, 18, 28, 128)
    base = box(128, 226, 58, 9, 8)
    glare = intersect(screen, half_plane(0.7, 1.0, 170.0))
    key = rotated(key_shape(), 102, 96, 42)
    return [
        (union(neck, base), vertical(190, rgb('#5B6B7C'), 235, rgb('#2E3A47'))),
        (monitor, vertical(24, rgb('#4A5968'), 192, rgb('#1F2A36'))),
        (screen, vertical(38, rgb('#5FB2F0'), 170, rgb('#1F5FB4'))),
        (glare, solid(rgb('#FFFFFF', 0.16))),
        (moved(grow(key, 6), 5, 7), solid(rgb('#000000', 0.30))),
        (grow(key, 6), solid(rgb('#7A4E00'))),
        (key, vertical(40, rgb('#FFE27A'), 230, rgb('#E0A100'))),
    ]


def render(size, picture):
    """Premultiplied RGBA rows of floats, the picture scaled to size by size pixels."""
    scale = CANVAS / size
    reach = 0.75 * scale  # beyond this distance from an edge a pixel is wholly in or out
    offsets = [(i + 0.5) / SUBSAMPLES * scale for i in range(SUBSAMPLES)]
    image = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    for shape, paint in picture:
        for row in range(size):
            y0 = row * scale
            line = image[row]
            for col in range(size):
                x0 = col * scale
                cx, cy = x0 + scale / 2, y0 + scale / 2
                d = shape(cx, cy)
                if d >= reach:
                    continue
                if d <= -reach:
                    cover = 1.0
                else:
                    inside = sum(1 for oy in offsets for ox in offsets if shape(x0 + ox, y0 + oy) < 0)
                    cover = inside / (SUBSAMPLES * SUBSAMPLES)
                    if cover == 0.0:
                        continue
                r, g, b, a = paint(cx, cy)
                a *= cover
                dr, dg, db, da = line[col]
                k = 1.0 - a
                line[col] = (r * a + dr * k, g * a + dg * k, b * a + db * k, a + da * k)
    return image


def to_rgba_bytes(image):
    """Straight (not premultiplied) 8-bit RGBA rows, top to bottom."""
    rows = []
    for line in image:
        out = bytearray()
        for r, g, b, a in line:
            if a <= 0.0:
                out += b'\0\0\0\0'
                continue
            out += bytes(min(255, int(round(c / a * 255))) for c in (r, g, b))
            out.append(min(255, int(round(a * 255))))
        rows.append(bytes(out))
    return rows


def png(size, rows):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    raw = b''.join(b'\0' + row for row in rows)
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) +
            chunk(b'IEND', b''))


def bmp(size, rows):
    """The bitmap form of an icon image: a header of twice the height, BGRA rows bottom-up, an AND mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(row[i + j] for i in range(0, len(row), 4) for j in (2, 1, 0, 3))
                      for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for col in range(size):
            if row[col * 4 + 3] == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico(images):
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b'', b''
    for size, data in images:
        side = 0 if size >= 256 else size
        entries += struct.pack('<BBBBHHII', side, side, 0, 0, 1, 32, len(data), offset)
        blobs += data
        offset += len(data)
    return directory + entries + blobs


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('output', nargs='?', default=os.path.join(here, '..', 'Corvalin.ico'))
    parser.add_argument('--png', metavar='DIR', help='also write each size as a PNG file into DIR')
    args = parser.parse_args()

    picture = layers()
    images = []
    for size in SIZES:
        rows = to_rgba_bytes(render(size, picture))
        images.append((size, png(size, rows) if size >= 256 else bmp(size, rows)))
        if args.png:
            os.makedirs(args.png, exist_ok=True)
            with open(os.path.join(args.png, f'Corvalin-{size}.png'), 'wb') as f:
                f.write(png(size, rows))
    with open(args.output, 'wb') as f:
        f.write(ico(images))


if __name__ == '__main__':
    main()
