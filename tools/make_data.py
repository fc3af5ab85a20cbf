#!/usr/bin/env python3
"""Makes the game's generated data files (pictures drawn here) inside a run folder.

Usage: make_data.py RUN_FOLDER   (files land under RUN_FOLDER/data/...)

Standard library only: pictures are drawn as RGBA pixels and written as PNG through zlib. A new picture
is a function returning a Picture, entered in PICTURES under the file name it is written to.
"""

import math
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


# The match board's pictures. The background and plate pictures are laid over the whole board of 22 by 16
# cells, each cell showing its own part; the plate borders and the frame pieces are drawn whole on a cell.
BOARD_CELL = 16
BOARD_COLUMNS, BOARD_ROWS = 22, 16
CELL_PICTURE = 32
FRAME_BAND = 10
FRAME_WOOD = (188, 140, 72, 255)
FRAME_LIGHT = (236, 196, 120, 255)
FRAME_DARK = (92, 58, 26, 255)
# Plate levels 1 to 3, each deeper and brighter than the last.
PLATE_COLORS = [(64, 124, 168), (48, 148, 196), (36, 176, 222)]
# Each frame piece by the sides of its cell that face the board: whole edges ("top", "bottom", "left",
# "right") and corner squares ("tl", "tr", "bl", "br").
FRAME_PIECES = {
    "inside_block": ("top", "bottom", "left", "right"),
    "inside_corner_left_down": ("left", "bottom"),
    "inside_corner_left_top": ("left", "top"),
    "inside_corner_right_down": ("right", "bottom"),
    "inside_corner_right_top": ("right", "top"),
    "inside_horizontal_u_left": ("top", "left", "bottom"),
    "inside_horizontal_u_right": ("top", "right", "bottom"),
    "inside_vertical_u_bottom": ("left", "right", "bottom"),
    "inside_vertical_u_top": ("left", "right", "top"),
    "outside_corner_down_left": ("tr",),
    "outside_corner_down_right": ("tl",),
    "outside_corner_top_left": ("br",),
    "outside_corner_top_right": ("bl",),
    "outside_down": ("top",),
    "outside_left": ("right",),
    "outside_right": ("left",),
    "outside_top": ("bottom",),
}


def board_background():
    """Dark water, the cells in a faint checker with a darker seam."""
    picture = Picture(BOARD_COLUMNS * BOARD_CELL, BOARD_ROWS * BOARD_CELL)
    for y in range(picture.height):
        for x in range(picture.width):
            cx, cy = x % BOARD_CELL, y % BOARD_CELL
            if cx == 0 or cy == 0:
                color = (10, 20, 44, 230)
            elif (x // BOARD_CELL + y // BOARD_CELL) % 2:
                color = (24, 42, 78, 220)
            else:
                color = (30, 50, 90, 220)
            picture.put(x, y, color)
    return picture


def board_plate(level):
    """Plate level 1 to 3: a tile per cell with a soft wave running across the whole board."""
    base = PLATE_COLORS[level - 1]
    picture = Picture(BOARD_COLUMNS * BOARD_CELL, BOARD_ROWS * BOARD_CELL)
    for y in range(picture.height):
        for x in range(picture.width):
            wave = 0.5 + 0.5 * math.sin((x + 2 * y) / 23.0)
            shade = 0.8 + 0.25 * wave
            color = tuple(min(255, int(c * shade)) for c in base)
            cx, cy = x % BOARD_CELL, y % BOARD_CELL
            if cx in (0, BOARD_CELL - 1) or cy in (0, BOARD_CELL - 1):
                color = tuple(c // 2 for c in base)
            picture.put(x, y, color + (235,))
    return picture


def plate_border(level):
    """A bevel around a plated cell, as thick as the plate level; clear inside."""
    picture = Picture(CELL_PICTURE, CELL_PICTURE)
    last = CELL_PICTURE - 1
    for y in range(CELL_PICTURE):
        for x in range(CELL_PICTURE):
            depth = min(x, y, last - x, last - y)
            if depth >= level:
                continue
            lit = x < last - y and (x == depth or y == depth)
            picture.put(x, y, (255, 255, 255, 170) if lit else (0, 16, 40, 170))
    return picture


def frame_piece(sides):
    """The frame band along the sides that face the board, lit where it meets the board."""
    picture = Picture(CELL_PICTURE, CELL_PICTURE)
    far = CELL_PICTURE - FRAME_BAND

    def band(x, y):
        """How far into the band the pixel lies from the board's side; None outside it."""
        depths = []
        if "top" in sides and y < FRAME_BAND:
            depths.append(y)
        if "bottom" in sides and y >= far:
            depths.append(CELL_PICTURE - 1 - y)
        if "left" in sides and x < FRAME_BAND:
            depths.append(x)
        if "right" in sides and x >= far:
            depths.append(CELL_PICTURE - 1 - x)
        corners = {"tl": x < FRAME_BAND and y < FRAME_BAND, "tr": x >= far and y < FRAME_BAND,
                   "bl": x < FRAME_BAND and y >= far, "br": x >= far and y >= far}
        for name, hit in corners.items():
            if name in sides and hit:
                depths.append(min(x if "l" in name else CELL_PICTURE - 1 - x,
                                  y if "t" in name else CELL_PICTURE - 1 - y))
        return min(depths) if depths else None

    for y in range(CELL_PICTURE):
        for x in range(CELL_PICTURE):
            depth = band(x, y)
            if depth is None:
                continue
            if depth < 2:
                color = FRAME_LIGHT
            elif depth >= FRAME_BAND - 2:
                color = FRAME_DARK
            else:
                color = FRAME_WOOD
            picture.put(x, y, color)
    return picture


def board_pictures():
    """The board's pictures by file name."""
    pictures = {"data/gfx/board/board_01.png": board_background}
    for level in (1, 2, 3):
        pictures["data/gfx/board/board_0%d.png" % (level + 1)] = lambda level=level: board_plate(level)
        pictures["data/gfx/board/t_0%dh.png" % level] = lambda level=level: plate_border(level)
    for name, sides in FRAME_PIECES.items():
        pictures["data/gfx/board/%s.png" % name] = lambda sides=sides: frame_piece(sides)
    return pictures


# The pointer's hot spot is the picture's top-left corner, where the arrow's tip sits.
ARROW = [(0, 0), (0, 22), (6, 17), (10, 26), (14, 24), (10, 16), (17, 16)]


def cursor():
    picture = Picture(32, 32)
    shadow = [(x + 2, y + 2) for x, y in ARROW]
    fill_polygon(picture, shadow, SHADOW, SHADOW)
    fill_polygon(picture, ARROW, WHITE, BLACK)
    return picture


PICTURES = {
    **board_pictures(),
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
