#!/usr/bin/env python3
"""Makes the game's generated data files (pictures drawn here, bitmap fonts) inside a run folder.

Usage: make_data.py RUN_FOLDER   (files land under RUN_FOLDER/data/...)

Standard library only: pictures are drawn as RGBA pixels and written as PNG through zlib. A new picture
is a function returning a Picture, entered in PICTURES under the file name it is written to. A font is
drawn from the 5 by 7 glyph table at a whole-pixel scale into a square page, with its description beside
it; FONTS names each by the path both share.
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
SHADOW_DARK = (0, 0, 0, 200)


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


# 5 by 7 glyphs: seven rows of five, "#" lit.
GLYPHS = {
    "A": ".###. #...# #...# ##### #...# #...# #...#",
    "B": "####. #...# #...# ####. #...# #...# ####.",
    "C": ".###. #...# #.... #.... #.... #...# .###.",
    "D": "####. #...# #...# #...# #...# #...# ####.",
    "E": "##### #.... #.... ####. #.... #.... #####",
    "F": "##### #.... #.... ####. #.... #.... #....",
    "G": ".###. #...# #.... #.### #...# #...# .####",
    "H": "#...# #...# #...# ##### #...# #...# #...#",
    "I": ".###. ..#.. ..#.. ..#.. ..#.. ..#.. .###.",
    "J": "..### ...#. ...#. ...#. ...#. #..#. .##..",
    "K": "#...# #..#. #.#.. ##... #.#.. #..#. #...#",
    "L": "#.... #.... #.... #.... #.... #.... #####",
    "M": "#...# ##.## #.#.# #.#.# #...# #...# #...#",
    "N": "#...# #...# ##..# #.#.# #..## #...# #...#",
    "O": ".###. #...# #...# #...# #...# #...# .###.",
    "P": "####. #...# #...# ####. #.... #.... #....",
    "Q": ".###. #...# #...# #...# #.#.# #..#. .##.#",
    "R": "####. #...# #...# ####. #.#.. #..#. #...#",
    "S": ".#### #.... #.... .###. ....# ....# ####.",
    "T": "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    "U": "#...# #...# #...# #...# #...# #...# .###.",
    "V": "#...# #...# #...# #...# #...# .#.#. ..#..",
    "W": "#...# #...# #...# #.#.# #.#.# #.#.# .#.#.",
    "X": "#...# #...# .#.#. ..#.. .#.#. #...# #...#",
    "Y": "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..",
    "Z": "##### ....# ...#. ..#.. .#... #.... #####",
    "0": ".###. #...# #..## #.#.# ##..# #...# .###.",
    "1": "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.",
    "2": ".###. #...# ....# ...#. ..#.. .#... #####",
    "3": "##### ...#. ..#.. ...#. ....# #...# .###.",
    "4": "...#. ..##. .#.#. #..#. ##### ...#. ...#.",
    "5": "##### #.... ####. ....# ....# #...# .###.",
    "6": "..##. .#... #.... ####. #...# #...# .###.",
    "7": "##### ....# ...#. ..#.. .#... .#... .#...",
    "8": ".###. #...# #...# .###. #...# #...# .###.",
    "9": ".###. #...# #...# .#### ....# ...#. .##..",
    " ": "..... ..... ..... ..... ..... ..... .....",
    "!": "..#.. ..#.. ..#.. ..#.. ..#.. ..... ..#..",
    "?": ".###. #...# ....# ...#. ..#.. ..... ..#..",
    ".": "..... ..... ..... ..... ..... .##.. .##..",
    ",": "..... ..... ..... ..... .##.. ..#.. .#...",
    ":": "..... .##.. .##.. ..... .##.. .##.. .....",
    ";": "..... .##.. .##.. ..... .##.. ..#.. .#...",
    "'": "..#.. ..#.. .#... ..... ..... ..... .....",
    '"': ".#.#. .#.#. .#.#. ..... ..... ..... .....",
    "-": "..... ..... ..... ##### ..... ..... .....",
    "+": "..... ..#.. ..#.. ##### ..#.. ..#.. .....",
    "=": "..... ..... ##### ..... ##### ..... .....",
    "/": "..... ....# ...#. ..#.. .#... #.... .....",
    "(": "...#. ..#.. .#... .#... .#... ..#.. ...#.",
    ")": ".#... ..#.. ...#. ...#. ...#. ..#.. .#...",
    "%": "##... ##..# ...#. ..#.. .#... #..## ...##",
    "&": ".##.. #..#. #.#.. .#... #.#.# #..#. .##.#",
    "*": "..... ..#.. #.#.# .###. #.#.# ..#.. .....",
    "#": ".#.#. .#.#. ##### .#.#. ##### .#.#. .#.#.",
    "<": "...#. ..#.. .#... #.... .#... ..#.. ...#.",
    ">": ".#... ..#.. ...#. ....# ...#. ..#.. .#...",
    "_": "..... ..... ..... ..... ..... ..... #####",
}

FONT_COLUMNS = 5
FONT_ROWS = 7
FONT_SPACING = 1  # glyph columns between letters


def glyph_order():
    """The glyphs drawn on a page, in table order."""
    return list(GLYPHS)


def font_page(scale, page_size):
    """The page of white glyphs with their dark shadow, and each glyph's (x, y, width, height) on it."""
    shadow = max(1, scale // 2)
    cell_w, cell_h = FONT_COLUMNS * scale + shadow, FONT_ROWS * scale + shadow
    per_row = page_size // (cell_w + 1)
    picture = Picture(page_size, page_size)
    places = {}
    for index, char in enumerate(glyph_order()):
        left, top = (index % per_row) * (cell_w + 1), (index // per_row) * (cell_h + 1)
        if top + cell_h > page_size:
            raise ValueError("the glyphs do not fit a %d page at scale %d" % (page_size, scale))
        rows = GLYPHS[char].split()
        for offset, color in ((shadow, SHADOW_DARK), (0, WHITE)):
            for gy, row in enumerate(rows):
                for gx, lit in enumerate(row):
                    if lit != "#":
                        continue
                    for dy in range(scale):
                        for dx in range(scale):
                            picture.put(left + offset + gx * scale + dx, top + offset + gy * scale + dy, color)
        places[char] = (left, top, cell_w, cell_h)
    return picture, places


def font_description(page_name, scale, page_size, places):
    """The font's XML: one "char" per byte value drawn; small letters share the capitals' glyphs."""
    advance = (FONT_COLUMNS + FONT_SPACING) * scale
    lines = ['<?xml version="1.0"?>',
             '<!-- Generated by tools/make_data.py from its 5 by 7 glyph table. -->',
             '<font filename="%s" size="%d">' % (page_name, page_size),
             '  <common lineHeight="%d" scaleW="%d"/>' % ((FONT_ROWS + 2) * scale, page_size)]
    chars = dict(places)
    for char in list(places):
        if char.isalpha():
            chars[char.lower()] = places[char]
    for char in sorted(chars, key=ord):
        x, y, w, h = chars[char]
        lines.append('  <char id="%d" x="%d" y="%d" w="%d" h="%d" xoffset="0" yoffset="0" xadvance="%d"/>' %
                     (ord(char), x, y, w, h, advance))
    lines.append("</font>")
    return "\n".join(lines) + "\n"


# Path without extension: scale, square page size.
FONTS = {
    "data/fonts/main": (3, 256),
    "data/fonts/small": (2, 256),
    "data/fonts/title": (6, 512),
}


def rounded_rect_coverage(x, y, left, top, right, bottom, radius):
    """How much of the pixel at (x, y) lies inside the rounded rectangle, 0 to 1."""
    cx, cy = x + 0.5, y + 0.5
    qx = max(left + radius - cx, cx - (right - radius), 0.0)
    qy = max(top + radius - cy, cy - (bottom - radius), 0.0)
    distance = math.hypot(qx, qy) - radius
    if qx == 0.0 and qy == 0.0:
        distance = -min(cx - left, right - cx, cy - top, bottom - cy)
    return min(1.0, max(0.0, 0.5 - distance)), distance


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


BUTTON_SIZE = (224, 60)
BUTTON_BODY = (216, 52)
BUTTON_RADIUS = 14
BUTTON_SHADOW_OFFSET = 6
BUTTON_LOOKS = {
    # top colour, bottom colour, rim colour, body shift
    "default": ((46, 112, 176), (18, 52, 104), (140, 190, 235), 0),
    "active": ((78, 170, 226), (26, 96, 160), (225, 245, 255), 0),
    "pressed": ((20, 62, 112), (36, 96, 150), (120, 170, 220), 3),
}


def button_body(look):
    top_color, bottom_color, rim, shift = BUTTON_LOOKS[look]
    picture = Picture(*BUTTON_SIZE)
    left, top = shift, shift
    right, bottom = left + BUTTON_BODY[0], top + BUTTON_BODY[1]
    for y in range(picture.height):
        for x in range(picture.width):
            coverage, distance = rounded_rect_coverage(x, y, left, top, right, bottom, BUTTON_RADIUS)
            if coverage <= 0.0:
                continue
            t = (y - top) / float(BUTTON_BODY[1])
            color = mix(top_color, bottom_color, t)
            if distance > -2.5:
                color = rim
            elif t < 0.45:
                # A soft gloss over the upper half.
                color = mix(color, (255, 255, 255), 0.18 * (1.0 - t / 0.45))
            picture.put(x, y, color + (int(round(255 * coverage)),))
    return picture


def button_shadow():
    picture = Picture(*BUTTON_SIZE)
    offset = BUTTON_SHADOW_OFFSET
    for y in range(picture.height):
        for x in range(picture.width):
            coverage, _ = rounded_rect_coverage(x, y, offset, offset, offset + BUTTON_BODY[0],
                                                offset + BUTTON_BODY[1], BUTTON_RADIUS)
            if coverage > 0.0:
                picture.put(x, y, (0, 0, 0, int(round(110 * coverage))))
    return picture


BOARD_PIECE = 32
# The board's pieces, left to right on one strip, as data/tilemaps/board.xml names them.
BOARD_PIECES = ["board", "emitter", "lock", "plate1", "plate2", "plate3", "plate4", "plate5"]


def board_pieces():
    picture = Picture(BOARD_PIECE * len(BOARD_PIECES), BOARD_PIECE)
    for index, name in enumerate(BOARD_PIECES):
        left = index * BOARD_PIECE
        for y in range(BOARD_PIECE):
            for x in range(BOARD_PIECE):
                edge = x in (0, BOARD_PIECE - 1) or y in (0, BOARD_PIECE - 1)
                if name == "board":
                    color = (30, 40, 70, 200) if not edge else (60, 80, 120, 220)
                elif name == "emitter":
                    color = (255, 255, 255, 160) if abs(x - 15.5) < (BOARD_PIECE - y) / 3.0 and y > 8 else TRANSPARENT
                elif name == "lock":
                    color = (200, 170, 60, 255) if edge or (12 <= x <= 19 and y >= 14) else TRANSPARENT
                else:
                    level = int(name[-1])
                    color = (40 + 30 * level, 90 + 20 * level, 150 + 20 * level, 230) if not edge else (20, 30, 50, 255)
                picture.put(left + x, y, color)
    return picture


PICTURES = {
    **board_pictures(),
    "data/gfx/mouse/cursor1.png": cursor,
    "data/gfx/gui/button.png": lambda: button_body("default"),
    "data/gfx/gui/button_active.png": lambda: button_body("active"),
    "data/gfx/gui/button_pressed.png": lambda: button_body("pressed"),
    "data/gfx/gui/button_shadow.png": button_shadow,
    "data/gfx/board/pieces.png": board_pieces,
}


def disc_coverage(x, y, cx, cy, radius):
    """How much of the pixel at (x, y) lies inside the circle, 0 to 1."""
    return min(1.0, max(0.0, radius - math.hypot(x + 0.5 - cx, y + 0.5 - cy) + 0.5))


def over(picture, x, y, color, coverage=1.0):
    """Lays the colour over the pixel, weighted by its alpha and the coverage."""
    alpha = color[3] / 255.0 * coverage
    if alpha <= 0.0:
        return
    below = picture.get(x, y)
    out_alpha = alpha + below[3] / 255.0 * (1.0 - alpha)
    rgb = tuple(int(round((color[i] * alpha + below[i] * below[3] / 255.0 * (1.0 - alpha)) / out_alpha))
                for i in range(3))
    picture.put(x, y, rgb + (int(round(255 * out_alpha)),))


def panel(width, height, radius=12, fill=(12, 28, 56, 200), rim=(110, 160, 220, 230)):
    """A translucent rounded panel with a light rim, for lists and fields."""
    picture = Picture(width, height)
    for y in range(height):
        for x in range(width):
            coverage, distance = rounded_rect_coverage(x, y, 0, 0, width, height, radius)
            if coverage > 0.0:
                color = rim if distance > -2.0 else fill
                picture.put(x, y, color[:3] + (int(round(color[3] * coverage)),))
    return picture


SLIDER_SIZE = (256, 16)


def slider_bar(top_color, bottom_color):
    width, height = SLIDER_SIZE
    picture = Picture(width, height)
    for y in range(height):
        color = mix(top_color, bottom_color, y / float(height - 1))
        for x in range(width):
            coverage, distance = rounded_rect_coverage(x, y, 0, 0, width, height, height / 2.0)
            if coverage > 0.0:
                shade = mix(color, (255, 255, 255, 255), 0.35) if distance > -1.5 else color
                picture.put(x, y, shade[:3] + (int(round(shade[3] * coverage)),))
    return picture


def slider_knob():
    picture = Picture(24, 32)
    for y in range(32):
        for x in range(24):
            coverage, distance = rounded_rect_coverage(x, y, 1, 1, 23, 31, 8)
            if coverage > 0.0:
                color = (40, 70, 120) if distance > -2.0 else mix((250, 250, 255), (170, 200, 235), y / 31.0)
                picture.put(x, y, color + (int(round(255 * coverage)),))
    return picture


def star(cx, cy, outer, inner, points=5, turn=-math.pi / 2):
    return [(cx + (outer if k % 2 == 0 else inner) * math.cos(turn + k * math.pi / points),
             cy + (outer if k % 2 == 0 else inner) * math.sin(turn + k * math.pi / points))
            for k in range(points * 2)]


BADGE = 64
# Each player's badge: the medal's colour and the sign on it.
BADGES = {
    1: ((230, 180, 40), "star"),
    2: ((60, 170, 220), "drop"),
    3: ((220, 90, 120), "heart"),
    4: ((90, 190, 110), "leaf"),
}


def badge_sign(name):
    c = BADGE / 2.0
    if name == "star":
        return star(c, c + 1, 20, 8)
    if name == "drop":
        return [(c + 14 * math.sin(a) * (1 - math.cos(a)) / 2 ** 0.5 * 0.9, c + 2 - 17 * math.cos(a))
                for a in (k * 2 * math.pi / 48 for k in range(48))]
    if name == "heart":
        return [(c + 13 * math.sin(a) ** 3 * 1.2, c - (13 * math.cos(a) - 5 * math.cos(2 * a) - 2 * math.cos(3 * a)
                                                      - math.cos(4 * a)) * 1.05)
                for a in (k * 2 * math.pi / 64 for k in range(64))]
    # A leaf: two arcs from its stalk at the lower left to its tip at the upper right.
    start, end, bulge = (c - 15, c + 15), (c + 15, c - 15), 11.0
    normal = (0.7071, 0.7071)
    return ([(start[0] + (end[0] - start[0]) * t + normal[0] * bulge * math.sin(math.pi * t),
              start[1] + (end[1] - start[1]) * t + normal[1] * bulge * math.sin(math.pi * t))
             for t in (k / 24.0 for k in range(25))] +
            [(start[0] + (end[0] - start[0]) * t - normal[0] * bulge * math.sin(math.pi * t),
              start[1] + (end[1] - start[1]) * t - normal[1] * bulge * math.sin(math.pi * t))
             for t in (k / 24.0 for k in range(24, 0, -1))])


def badge(number):
    color, sign = BADGES[number]
    picture = Picture(BADGE, BADGE)
    c = BADGE / 2.0
    for y in range(BADGE):
        for x in range(BADGE):
            over(picture, x, y, (0, 0, 0, 110), disc_coverage(x, y, c + 2, c + 3, 29))
            rim = disc_coverage(x, y, c, c, 29)
            if rim > 0.0:
                over(picture, x, y, (250, 240, 210, 255), rim)
            face = disc_coverage(x, y, c, c, 25)
            if face > 0.0:
                shade = mix(mix(color, (255, 255, 255), 0.35), mix(color, (0, 0, 0), 0.25), y / float(BADGE))
                over(picture, x, y, shade + (255,), face)
    fill_polygon_over(picture, badge_sign(sign), (255, 255, 255, 240))
    return picture


def fill_polygon_over(picture, polygon, color, samples=3):
    """Lays the polygon over the picture, edges smoothed by sub-pixel samples."""
    step = 1.0 / samples
    for y in range(picture.height):
        for x in range(picture.width):
            hits = sum(inside(polygon, x + (i + 0.5) * step, y + (j + 0.5) * step)
                       for i in range(samples) for j in range(samples))
            if hits:
                over(picture, x, y, color, hits / float(samples * samples))


def soft_dot():
    """A round white glow for particles; the particle's colour tints it."""
    picture = Picture(16, 16)
    for y in range(16):
        for x in range(16):
            d = math.hypot(x + 0.5 - 8, y + 0.5 - 8) / 8.0
            if d < 1.0:
                picture.put(x, y, (255, 255, 255, int(round(255 * (1.0 - d) ** 1.5))))
    return picture


WATER_SIZE = (256, 128)


def water():
    """Ripples on deep water, lighter towards the top; the garden's mesh waves it."""
    width, height = WATER_SIZE
    picture = Picture(width, height)
    for y in range(height):
        base = mix((70, 150, 200), (10, 50, 110), y / float(height - 1))
        for x in range(width):
            wave = (math.sin(x * 2 * math.pi / 64 + math.sin(y * 0.21) * 2.2) +
                    math.sin(x * 2 * math.pi / 32 - y * 0.37) * 0.5)
            light = max(0.0, wave - 0.9) * 0.35
            color = mix(base, (220, 240, 255), min(1.0, light))
            picture.put(x, y, color + (255,))
    return picture


GARDEN_SKY = (800, 330)


def garden_sky():
    """Evening sky over low hills: the garden's back, above the water."""
    width, height = GARDEN_SKY
    picture = Picture(width, height)
    for y in range(height):
        sky = mix((40, 60, 130), (240, 170, 120), (y / float(height)) ** 1.4)
        for x in range(width):
            color = sky
            sun = disc_coverage(x, y, 600, 215, 46)
            if sun > 0.0:
                color = mix(color, (255, 230, 150), sun)
            hill = 250 + 28 * math.sin(x / 95.0) + 14 * math.sin(x / 37.0 + 1.0)
            if y > hill:
                color = mix((40, 80, 60), (20, 50, 40), min(1.0, (y - hill) / 60.0))
            picture.put(x, y, color + (255,))
    return picture


def lily():
    """A floating leaf with a pink flower, seen from the side."""
    picture = Picture(96, 56)
    for y in range(56):
        for x in range(96):
            leaf = disc_coverage(x, (y - 40) * 3.0 + 40, 48, 40, 44) if y > 30 else 0.0
            if leaf > 0.0:
                over(picture, x, y, mix((60, 150, 70), (30, 100, 50), (y - 30) / 26.0) + (255,), leaf)
    for k, (dx, h) in enumerate(((-12, 18), (0, 26), (12, 18), (-6, 22), (6, 22))):
        petal = [(48 + dx, 10 + 26 - h), (48 + dx - 7, 38), (48 + dx + 7, 38)]
        fill_polygon_over(picture, petal, (250, 150 + 12 * k, 190, 255), samples=2)
    return picture


PICTURES.update({
    "data/gfx/gui/badge1.png": lambda: badge(1),
    "data/gfx/gui/badge2.png": lambda: badge(2),
    "data/gfx/gui/badge3.png": lambda: badge(3),
    "data/gfx/gui/badge4.png": lambda: badge(4),
    "data/gfx/gui/panel_list.png": lambda: panel(360, 260),
    "data/gfx/gui/panel_field.png": lambda: panel(360, 44, radius=10),
    "data/gfx/gui/panel_wide.png": lambda: panel(640, 400, radius=16),
    "data/gfx/gui/slider_back.png": lambda: slider_bar((20, 30, 50, 255), (50, 70, 100, 255)),
    "data/gfx/gui/slider_front.png": lambda: slider_bar((120, 200, 250, 255), (30, 110, 190, 255)),
    "data/gfx/gui/slider_knob.png": slider_knob,
    "data/gfx/garden/sky.png": garden_sky,
    "data/gfx/garden/water.png": water,
    "data/gfx/garden/lily.png": lily,
    "data/gfx/garden/glow.png": soft_dot,
})


def generated_files():
    """Every generated file: its name under the run folder and its bytes."""
    files = {name: png_bytes(draw()) for name, draw in PICTURES.items()}
    for path, (scale, page_size) in FONTS.items():
        picture, places = font_page(scale, page_size)
        page_name = os.path.basename(path) + ".png"
        files[path + ".png"] = png_bytes(picture)
        files[path + ".xml"] = font_description(page_name, scale, page_size, places).encode()
    return files


def make(run_folder):
    """Writes every generated file under the folder; returns the paths written."""
    written = []
    for name, data in generated_files().items():
        path = os.path.join(run_folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(data)
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
