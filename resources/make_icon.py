#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
"""Draws the program's icon: a game card with a big "V" on its label.

Writes icon.png (48 by 48, indexed, 256 colours at most, transparent corners),
icon.ico (the same picture as a classic 8-bit bitmap with a mask) and icon.rgba
(the same as bare RGBA bytes, which the program shows without decoding an
image file) next to this script, for the windows; for the desktop's icon
theme, the same picture as icons/vorlanes.svg and as full-colour PNGs
icons/NxN/vorlanes.png at the usual theme sizes. Standard library only, so the
picture can be remade anywhere:

    python3 resources/make_icon.py
"""

import os
import struct
import zlib

SIZE = 48
SUB = 4  # subsamples per pixel side: smooth edges that still quantise well

TRANSPARENT = (0, 0, 0, 0)
OUTLINE = (20, 18, 52, 255)
BODY = (52, 46, 130, 255)
BODY_LIGHT = (92, 86, 190, 255)
BODY_DARK = (34, 30, 92, 255)
LABEL = (246, 226, 170, 255)
LABEL_SHADE = (222, 190, 112, 255)
V_RED = (204, 38, 58, 255)
V_DARK = (128, 16, 32, 255)
GOLD = (236, 186, 58, 255)
GOLD_DARK = (160, 112, 20, 255)
SLOT = (26, 22, 64, 255)


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius**2


def in_polygon(x, y, points):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


# The "V": two thick strokes meeting at the foot, and a shifted copy as its shadow.
V_SHAPE = [(12.5, 10.5), (18.5, 10.5), (24, 24.5), (29.5, 10.5), (35.5, 10.5), (26.8, 30), (21.2, 30)]
V_SHADOW = [(x + 1.2, y + 1.2) for x, y in V_SHAPE]


def colour_at(x, y):
    """The colour of the point (x, y) of the card, in icon pixels."""
    # Card body with a cut top-right corner, as game cards have.
    if x + (SIZE - y) > 82:
        return TRANSPARENT
    if not in_rounded_rect(x, y, 4, 3, 44, 45, 4.5):
        return TRANSPARENT
    if not in_rounded_rect(x, y, 5.3, 4.3, 42.7, 43.7, 3.5) or x + (SIZE - y) > 80.2:
        return OUTLINE
    # Label: a light plate on the upper part, shaded at its foot.
    if in_rounded_rect(x, y, 8.5, 7.5, 39.5, 33, 2.5) and x + (SIZE - y) < 77:
        if in_polygon(x, y, V_SHAPE):
            t = (y - 10.5) / 19.5
            return tuple(round(a + (b - a) * t) for a, b in zip(V_RED, V_DARK))
        if in_polygon(x, y, V_SHADOW):
            return LABEL_SHADE
        return LABEL if y < 30.5 else LABEL_SHADE
    # Contact strip along the bottom edge.
    if 36 <= y <= 42 and 8.5 <= x <= 39.5:
        column = (x - 8.5) % 4.5
        if 36.5 <= y <= 41.5 and 0.8 <= column <= 3.4 and x <= 39:
            return GOLD if y < 40 else GOLD_DARK
        return SLOT
    # Bevel: lit from the top left.
    if x < 7 or y < 6:
        return BODY_LIGHT
    if x > 41 or y > 42.5:
        return BODY_DARK
    return BODY


def render(size=SIZE):
    """Averages SUB x SUB samples per pixel; colour is weighted by coverage."""
    pixels = []
    scale = SIZE / size
    for py in range(size):
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SUB):
                for sx in range(SUB):
                    cr, cg, cb, ca = colour_at(
                        (px + (sx + 0.5) / SUB) * scale, (py + (sy + 0.5) / SUB) * scale
                    )
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a == 0:
                pixels.append(TRANSPARENT)
            else:
                pixels.append(
                    (round(r / a), round(g / a), round(b / a), round(a / (SUB * SUB)))
                )
    return pixels


def quantise(pixels, limit=256):
    """A palette of at most `limit` colours, index 0 the transparent one."""

    def distance(p, q):
        return sum((a - b) ** 2 for a, b in zip(p, q))

    counts = {}
    for p in pixels:
        if p[3] != 0:
            counts[p] = counts.get(p, 0) + 1
    colours = dict(counts)
    mapping = {p: p for p in counts}
    # Merge the least used colour into its nearest neighbour until it fits.
    while len(colours) > limit - 1:
        rare = min(colours, key=lambda c: (colours[c], c))
        count = colours.pop(rare)
        nearest = min(colours, key=lambda c: (distance(c, rare), c))
        colours[nearest] += count
        for p, q in mapping.items():
            if q == rare:
                mapping[p] = nearest
    palette = [TRANSPARENT] + sorted(colours, key=lambda c: (-colours[c], c))
    index_of = {c: i for i, c in enumerate(palette)}
    indices = [0 if p[3] == 0 else index_of[mapping[p]] for p in pixels]
    return palette, indices


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def write_png(path, palette, indices):
    rows = b"".join(
        b"\x00" + bytes(indices[y * SIZE : (y + 1) * SIZE]) for y in range(SIZE)
    )
    alphas = bytes(c[3] for c in palette)
    data = b"\x89PNG\r\n\x1a\n"
    data += png_chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 3, 0, 0, 0))
    data += png_chunk(b"PLTE", b"".join(bytes(c[:3]) for c in palette))
    data += png_chunk(b"tRNS", alphas.rstrip(b"\xff"))
    data += png_chunk(b"IDAT", zlib.compress(rows, 9))
    data += png_chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def write_rgba_png(path, size, pixels):
    rows = b"".join(
        b"\x00" + b"".join(bytes(p) for p in pixels[y * size : (y + 1) * size])
        for y in range(size)
    )
    data = b"\x89PNG\r\n\x1a\n"
    data += png_chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    data += png_chunk(b"IDAT", zlib.compress(rows, 9))
    data += png_chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


THEME_SIZES = (16, 24, 32, 48, 64, 128, 256)


def hex_colour(c):
    return "#%02x%02x%02x" % c[:3]


def svg():
    """The picture of colour_at as vector shapes, drawn in the same order."""
    points = lambda shape: " ".join(f"{x:g},{y:g}" for x, y in shape)
    cut = lambda bound: points([(-10, -10 - bound), (SIZE + bound, SIZE), (-10, SIZE)])
    contacts = "".join(
        f'<rect x="{8.5 + 4.5 * k + 0.8:g}" y="36.5" width="2.6" height="3.5" fill="{hex_colour(GOLD)}"/>'
        f'<rect x="{8.5 + 4.5 * k + 0.8:g}" y="40" width="2.6" height="1.5" fill="{hex_colour(GOLD_DARK)}"/>'
        for k in range(7)
    )
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- SPDX-License-Identifier: GPL-3.0-or-later -->
<!-- Copyright (C) 2026 House Vorlanes -->
<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" viewBox="0 0 {SIZE} {SIZE}">
  <title>House Vorlanes' Frontend</title>
  <defs>
    <!-- The cut top-right corner: everything where x - y stays below a bound. -->
    <clipPath id="cut"><polygon points="{cut(34)}"/></clipPath>
    <clipPath id="inner"><polygon points="{cut(32.2)}"/></clipPath>
    <clipPath id="label"><polygon points="{cut(29)}"/></clipPath>
    <clipPath id="body"><rect x="5.3" y="4.3" width="37.4" height="39.4" rx="3.5"/></clipPath>
    <clipPath id="plate"><rect x="8.5" y="7.5" width="31" height="25.5" rx="2.5"/></clipPath>
    <linearGradient id="v" gradientUnits="userSpaceOnUse" x1="0" y1="10.5" x2="0" y2="30">
      <stop offset="0" stop-color="{hex_colour(V_RED)}"/>
      <stop offset="1" stop-color="{hex_colour(V_DARK)}"/>
    </linearGradient>
  </defs>
  <g clip-path="url(#cut)">
    <rect x="4" y="3" width="40" height="42" rx="4.5" fill="{hex_colour(OUTLINE)}"/>
  </g>
  <g clip-path="url(#inner)"><g clip-path="url(#body)">
    <rect width="48" height="48" fill="{hex_colour(BODY)}"/>
    <rect x="41" width="7" height="48" fill="{hex_colour(BODY_DARK)}"/>
    <rect y="42.5" width="48" height="5.5" fill="{hex_colour(BODY_DARK)}"/>
    <rect width="7" height="48" fill="{hex_colour(BODY_LIGHT)}"/>
    <rect width="48" height="6" fill="{hex_colour(BODY_LIGHT)}"/>
    <rect x="8.5" y="36" width="31" height="6" fill="{hex_colour(SLOT)}"/>
    {contacts}
  </g></g>
  <g clip-path="url(#label)"><g clip-path="url(#plate)">
    <rect width="48" height="48" fill="{hex_colour(LABEL_SHADE)}"/>
    <rect width="48" height="30.5" fill="{hex_colour(LABEL)}"/>
    <polygon points="{points(V_SHADOW)}" fill="{hex_colour(LABEL_SHADE)}"/>
    <polygon points="{points(V_SHAPE)}" fill="url(#v)"/>
  </g></g>
</svg>
"""


def write_ico(path, palette, indices):
    # An 8-bit bitmap has no alpha: pixels less than half covered become
    # transparent through the mask, the others keep their colour.
    full = palette + [TRANSPARENT] * (256 - len(palette))
    shown = [i if palette[i][3] >= 128 else 0 for i in indices]
    xor_rows = b"".join(bytes(shown[y * SIZE : (y + 1) * SIZE]) for y in reversed(range(SIZE)))
    mask_rows = b""
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if shown[y * SIZE + x] == 0 else 0)
        row = bits.to_bytes(SIZE // 8, "big")
        mask_rows += row + b"\x00" * (-len(row) % 4)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                         len(xor_rows) + len(mask_rows), 0, 0, 256, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b, _ in full)
    image = header + colours + xor_rows + mask_rows
    directory = struct.pack("<HHH", 0, 1, 1)
    directory += struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + image)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    palette, indices = quantise(render())
    write_png(os.path.join(here, "icon.png"), palette, indices)
    write_ico(os.path.join(here, "icon.ico"), palette, indices)
    with open(os.path.join(here, "icon.rgba"), "wb") as f:
        f.write(bytes(channel for i in indices for channel in palette[i]))
    print(f"icon: {SIZE}x{SIZE}, {len(palette)} colours")
    themed = os.path.join(here, "icons")
    os.makedirs(themed, exist_ok=True)
    with open(os.path.join(themed, "vorlanes.svg"), "w", encoding="utf-8") as f:
        f.write(svg())
    for size in THEME_SIZES:
        folder = os.path.join(themed, f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        write_rgba_png(os.path.join(folder, "vorlanes.png"), size, render(size))
    print(f"theme icons: vorlanes.svg and {', '.join(map(str, THEME_SIZES))} px")


if __name__ == "__main__":
    main()
