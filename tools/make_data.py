#!/usr/bin/env python3
"""Makes the game's generated data files (pictures drawn here) inside a run folder.

Usage: make_data.py RUN_FOLDER   (files land under RUN_FOLDER/data/...)

Standard library only: pictures are drawn as RGBA pixels and written as PNG through zlib. A new picture
is a function returning a Picture, entered in PICTURES under the file name it is written to.
"""

import os
import struct
import sys
import zlib

TRANSPARENT = (0, 0, 0, 0)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
SHADOW = (0, 0, 0, 90)


class Picture:
    """width x height RGBA pixels, rows top to bottom."""

    def __init__(self, width, height, fill=TRANSPARENT):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def get(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            return self.pixels[y][x]
        return TRANSPARENT


def png_bytes(picture):
    """The picture as a PNG file: 8-bit RGBA, no filtering."""

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 6, 0, 0, 0)
    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in picture.pixels)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def inside(polygon, x, y):
    """Even-odd test of the point against the closed polygon."""
    result = False
    for (x0, y0), (x1, y1) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            result = not result
    return result


def fill_polygon(picture, polygon, inner, outline):
    """Pixels whose centre lies inside get the inner colour, those on the shape's edge the outline."""
    mask = [[inside(polygon, x + 0.5, y + 0.5) for x in range(picture.width)] for y in range(picture.height)]

    def covered(x, y):
        return 0 <= x < picture.width and 0 <= y < picture.height and mask[y][x]

    for y in range(picture.height):
        for x in range(picture.width):
            if not mask[y][x]:
                continue
            edge = not all(covered(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            picture.put(x, y, outline if edge else inner)


# The pointer's hot spot is the picture's top-left corner, where the arrow's tip sits.
ARROW = [(0, 0), (0, 22), (6, 17), (10, 26), (14, 24), (10, 16), (17, 16)]


def cursor():
    picture = Picture(32, 32)
    shadow = [(x + 2, y + 2) for x, y in ARROW]
    fill_polygon(picture, shadow, SHADOW, SHADOW)
    fill_polygon(picture, ARROW, WHITE, BLACK)
    return picture


PICTURES = {
    "data/gfx/mouse/cursor1.png": cursor,
}


def make(run_folder):
    """Writes every picture under the folder; returns the paths written."""
    written = []
    for name, draw in PICTURES.items():
        path = os.path.join(run_folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(png_bytes(draw()))
        written.append(path)
    return written


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    for path in make(argv[1]):
        print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
