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


# 5 by 7 glyphs: seven rows of five, "#" lit; every printable ASCII character, small letters drawn as
# capitals.
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
    "$": "..#.. .#### #.#.. .###. ..#.# ####. ..#..",
    "@": ".###. #...# #.### #.#.# #.### #.... .###.",
    "[": ".###. .#... .#... .#... .#... .#... .###.",
    "]": ".###. ...#. ...#. ...#. ...#. ...#. .###.",
    "\\": "..... #.... .#... ..#.. ...#. ....# .....",
    "^": "..#.. .#.#. #...# ..... ..... ..... .....",
    "`": ".#... ..#.. ...#. ..... ..... ..... .....",
    "{": "...## ..#.. ..#.. .#... ..#.. ..#.. ...##",
    "|": "..#.. ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    "}": "##... ..#.. ..#.. ...#. ..#.. ..#.. ##...",
    "~": "..... ..... .#... #.#.# ...#. ..... .....",
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


# The game screen's pictures: the balls and what lies on and around the board.
BALL = 32
# Ball colours 1 to 8 ("ball0" to "ball7"): red, green, blue, yellow, violet, orange, cyan, pink.
BALL_COLORS = [(226, 52, 48), (64, 196, 72), (52, 104, 232), (244, 208, 40), (156, 72, 216), (244, 132, 32),
               (40, 212, 220), (240, 104, 180)]


def sphere_shade(color, lit, dx, dy):
    """The colour at (dx, dy) of a glossy sphere of unit radius lit from the top left; the lit look is
    brighter with a pale rim."""
    distance = math.hypot(dx, dy)
    z = math.sqrt(max(0.0, 1.0 - min(1.0, distance) ** 2))
    light = max(0.0, -0.45 * dx - 0.55 * dy + 0.7 * z)
    shade = 0.35 + 0.75 * light + (0.2 if lit else 0.0)
    rgb = tuple(min(255, int(c * shade)) for c in color)
    gloss = math.hypot(dx + 0.35, dy + 0.4)
    if gloss < 0.3:
        rgb = mix(rgb, (255, 255, 255), 0.75 * (1.0 - gloss / 0.3))
    if lit and distance > 0.84:
        rgb = mix(rgb, (255, 255, 230), 0.7)
    return rgb


def ball(color, lit):
    """A glossy sphere of the colour filling the ball's square."""
    picture = Picture(BALL, BALL)
    centre, radius = BALL / 2.0, BALL / 2.0 - 2.5
    for y in range(BALL):
        for x in range(BALL):
            dx, dy = (x + 0.5 - centre) / radius, (y + 0.5 - centre) / radius
            coverage = min(1.0, max(0.0, (1.0 - math.hypot(dx, dy)) * radius + 0.5))
            if coverage > 0.0:
                picture.put(x, y, sphere_shade(color, lit, dx, dy) + (int(round(255 * coverage)),))
    return picture


def highlight(strong, bright):
    """A soft glowing frame around a cell: the board shows it on the balls of the last plated cells."""
    picture = Picture(BALL, BALL)
    # Warm, against the blue plates; the very last cells brighter and deeper.
    color = (255, 170, 60) if strong else (255, 232, 140)
    peak = (255 if bright else 150) if strong else (210 if bright else 110)
    for y in range(BALL):
        for x in range(BALL):
            edge = min(x, y, BALL - 1 - x, BALL - 1 - y)
            alpha = peak * max(0.0, 1.0 - edge / 7.0)
            if alpha > 0:
                picture.put(x, y, color + (int(alpha),))
    return picture


def token(value):
    """A gold coin with its value's count of notches."""
    picture = Picture(BALL, BALL)
    centre, radius = BALL / 2.0, BALL / 2.0 - 4
    for y in range(BALL):
        for x in range(BALL):
            d = math.hypot(x + 0.5 - centre, y + 0.5 - centre)
            coverage = min(1.0, max(0.0, radius - d + 0.5))
            if coverage <= 0.0:
                continue
            rim = d > radius - 3
            light = 0.75 + 0.3 * ((centre - y) / radius)
            base = (196, 148, 36) if rim else (250, 206, 72)
            rgb = tuple(min(255, int(c * light)) for c in base)
            if not rim and d < 5 + value / 5.0 and (x + y) % 3 == 0:
                rgb = (255, 244, 190)
            picture.put(x, y, rgb + (int(round(255 * coverage)),))
    return picture


def pop_ring():
    """A white ring with soft edges; the removal effects tint, grow and fade it."""
    picture = Picture(BALL, BALL)
    centre = BALL / 2.0
    for y in range(BALL):
        for x in range(BALL):
            d = math.hypot(x + 0.5 - centre, y + 0.5 - centre)
            alpha = max(0.0, 1.0 - abs(d - 11.0) / 3.5)
            if alpha > 0:
                picture.put(x, y, (255, 255, 255, int(255 * alpha)))
    return picture


# Backgrounds are drawn small and stretched over the screen: soft shapes lose nothing by it.
BACKGROUND_SIZE = (400, 300)
# By the levels' background names: the first episode in the open sea, the second deeper on the reef.
BACKGROUNDS = {
    # top colour, bottom colour, light colour
    "01_01": ((18, 70, 120), (4, 14, 40), (120, 200, 255)),
    "01_02": ((24, 84, 128), (6, 20, 48), (150, 214, 255)),
    "01_03": ((30, 64, 116), (8, 12, 40), (190, 200, 255)),
    "02_01": ((20, 104, 112), (10, 30, 36), (170, 255, 220)),
    "02_02": ((16, 88, 96), (6, 24, 30), (150, 240, 210)),
    "02_03": ((12, 60, 80), (4, 14, 24), (130, 220, 230)),
}


def background(name):
    """Deep water: a gradient, light rays from the surface, bubbles and a sandy floor."""
    top, bottom, light = BACKGROUNDS[name]
    width, height = BACKGROUND_SIZE
    picture = Picture(width, height)
    bubbles = [((37 * i * i + 53 * i) % width, (91 * i + 17 * i * i) % height, 2 + i % 4) for i in range(40)]
    for y in range(height):
        t = y / float(height - 1)
        row = mix(top, bottom, t)
        for x in range(width):
            ray = max(0.0, math.sin(x / 31.0 + y / 90.0) * math.sin(x / 13.0 - y / 70.0)) * (1.0 - t) * 0.35
            color = mix(row, light, ray)
            floor = height - 28 + 6 * math.sin(x / 23.0)
            if y > floor:
                color = mix(color, (150, 128, 84), min(1.0, (y - floor) / 10.0) * 0.8)
            picture.put(x, y, color + (255,))
    for bx, by, r in bubbles:
        for y in range(by - r - 1, by + r + 2):
            for x in range(bx - r - 1, bx + r + 2):
                d = math.hypot(x - bx, y - by)
                if r - 1 <= d <= r:
                    old = picture.get(x, y)
                    if old[3]:
                        picture.put(x, y, mix(old[:3], (220, 240, 255), 0.5) + (255,))
    return picture


def dialog_panel():
    """The dialog behind the win and loss panels: dark glass with a pale rim."""
    width, height = 300, 340
    picture = Picture(width, height)
    for y in range(height):
        for x in range(width):
            coverage, distance = rounded_rect_coverage(x, y, 0, 0, width, height, 24)
            if coverage <= 0.0:
                continue
            color = mix((24, 60, 104), (8, 20, 44), y / float(height))
            if distance > -3:
                color = (150, 200, 240)
            picture.put(x, y, color + (int(round(225 * coverage)),))
    return picture


def banner(text, scale, color):
    """The text in the glyph table's letters with a dark outline, on a clear picture."""
    advance = (FONT_COLUMNS + FONT_SPACING) * scale
    width, height = len(text) * advance + 4 * scale, (FONT_ROWS + 4) * scale
    picture = Picture(width, height)
    lit = set()
    for index, char in enumerate(text.upper()):
        for gy, row in enumerate(GLYPHS.get(char, GLYPHS[" "]).split()):
            for gx, mark in enumerate(row):
                if mark == "#":
                    lit.add((2 * scale + index * advance + gx * scale, 2 * scale + gy * scale))
    outline = scale // 2 + 1
    for left, top in lit:
        for y in range(top - outline, top + scale + outline):
            for x in range(left - outline, left + scale + outline):
                picture.put(x, y, (40, 20, 0, 230))
    for left, top in lit:
        for y in range(top, top + scale):
            for x in range(left, left + scale):
                shade = 1.1 - 0.4 * ((y - top) / float(scale))
                picture.put(x, y, tuple(min(255, int(c * shade)) for c in color) + (255,))
    return picture


def game_pictures():
    """The game screen's pictures by file name."""
    pictures = {}
    for index, color in enumerate(BALL_COLORS):
        pictures["data/gfx/balls/ball%d.png" % index] = lambda color=color: ball(color, False)
        pictures["data/gfx/balls/ball%d_lit.png" % index] = lambda color=color: ball(color, True)
    for strong in (False, True):
        for bright in (False, True):
            name = "data/gfx/board/highlight%s_%d.png" % ("2" if strong else "", 1 if bright else 0)
            pictures[name] = lambda strong=strong, bright=bright: highlight(strong, bright)
    for value in (1, 5, 10):
        suffix = "" if value == 1 else str(value)
        pictures["data/gfx/balls/token%s.png" % suffix] = lambda value=value: token(value)
    for name in BACKGROUNDS:
        pictures["data/gfx/backgrounds/%s.png" % name] = lambda name=name: background(name)
    pictures["data/gfx/effects/pop.png"] = pop_ring
    pictures["data/gfx/effects/win.png"] = lambda: banner("Well done!", 8, (255, 214, 64))
    pictures["data/gfx/gui/dialog.png"] = dialog_panel
    return pictures


# The map's and the jigsaw's pictures: level miniature backgrounds, the frames around loose jigsaw pieces,
# a spark for the jigsaw's effects, and the jigsaw's fallback picture as a baseline JPEG.
MINIBACK_SIZE = (88, 64)
# Sky top, sky bottom, water by background name: each episode has a time of day.
MINIBACK_LOOKS = {
    "01_01": ((70, 140, 220), (170, 210, 240), (30, 90, 150)),
    "01_02": ((90, 120, 210), (230, 200, 160), (40, 80, 140)),
    "01_03": ((60, 110, 190), (250, 170, 110), (50, 70, 120)),
    "02_01": ((30, 40, 100), (200, 110, 120), (30, 40, 90)),
    "02_02": ((20, 30, 80), (120, 80, 150), (20, 30, 70)),
    "02_03": ((10, 15, 50), (60, 60, 120), (10, 20, 50)),
}


def miniback(name):
    """Sky over water, with a sun or moon low over the horizon."""
    sky_top, sky_bottom, water = MINIBACK_LOOKS[name]
    width, height = MINIBACK_SIZE
    horizon = height * 3 // 5
    sun_x, sun_y, sun_r = width * 0.7, horizon - 6, 7
    picture = Picture(width, height)
    for y in range(height):
        for x in range(width):
            if y < horizon:
                color = mix(sky_top, sky_bottom, y / float(horizon))
                if (x - sun_x) ** 2 + (y - sun_y) ** 2 <= sun_r ** 2:
                    color = mix(color, (255, 240, 200), 0.85)
            else:
                depth = (y - horizon) / float(height - horizon)
                color = mix(mix(sky_bottom, water, 0.6), water, depth)
                if (x + 3 * y) % 11 == 0:
                    color = mix(color, (255, 255, 255), 0.25)
            picture.put(x, y, color + (255,))
    return picture


JIGSAW_BORDER = 64
JIGSAW_BORDER_LOOKS = {
    # colour, width in pixels
    "normal": ((250, 250, 250, 150), 2),
    "active": ((255, 230, 120, 230), 4),
    "start": ((120, 255, 140, 255), 5),
}


def jigsaw_border(look):
    """A frame along the edge of a piece, transparent inside; stretched over the piece's cell."""
    color, band = JIGSAW_BORDER_LOOKS[look]
    picture = Picture(JIGSAW_BORDER, JIGSAW_BORDER)
    for y in range(JIGSAW_BORDER):
        for x in range(JIGSAW_BORDER):
            edge = min(x, y, JIGSAW_BORDER - 1 - x, JIGSAW_BORDER - 1 - y)
            if edge < band:
                picture.put(x, y, color)
    return picture


def spark():
    """A round white glow; effects tint it."""
    side = 32
    picture = Picture(side, side)
    for y in range(side):
        for x in range(side):
            d = math.hypot(x + 0.5 - side / 2.0, y + 0.5 - side / 2.0) / (side / 2.0)
            if d < 1.0:
                picture.put(x, y, (255, 255, 255, int(round(255 * (1.0 - d) ** 1.5))))
    return picture


JIGSAW_PICTURE = (384, 256)


def jigsaw_scene():
    """A bay at sunset: sky, sun, hills, a lighthouse and water with the sun's path, each part distinct
    enough to tell where a piece belongs."""
    width, height = JIGSAW_PICTURE
    horizon = 150
    sun_x, sun_y, sun_r = 250.0, 120.0, 26.0
    picture = Picture(width, height)
    for y in range(height):
        for x in range(width):
            if y < horizon:
                color = mix((40, 60, 140), (250, 150, 80), y / float(horizon))
                if (x - sun_x) ** 2 + (y - sun_y) ** 2 <= sun_r ** 2:
                    color = (255, 220, 120)
                hill = horizon - 28 - 22 * math.sin(x / 40.0) - 10 * math.sin(x / 13.0)
                if x < 170 and y > hill:
                    color = mix((40, 90, 50), (20, 50, 30), (y - hill) / 60.0)
                if 60 <= x < 76 and 70 <= y < horizon - 20:
                    color = (230, 60, 50) if (y // 12) % 2 else (245, 245, 240)
                if 56 <= x < 80 and 60 <= y < 70:
                    color = (255, 240, 150)
            else:
                depth = (y - horizon) / float(height - horizon)
                color = mix((200, 120, 90), (20, 50, 100), depth ** 0.6)
                if abs(x - sun_x) < 30 * (1.0 - depth) + 4 and (y // 3) % 2 == 0:
                    color = mix(color, (255, 210, 130), 0.6)
            picture.put(x, y, color + (255,))
    return picture


# A baseline JPEG: 8-bit YCbCr without subsampling, one quantisation table and the standard luminance
# Huffman tables shared by all three components.
JPEG_ZIGZAG = [0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27,
               20, 13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, 58,
               59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63]
JPEG_QUANT = [8, 6, 5, 8, 12, 20, 26, 31, 6, 6, 7, 10, 13, 29, 30, 28, 7, 7, 8, 12, 20, 29, 35, 28, 7, 9, 11,
              15, 26, 44, 40, 31, 9, 11, 19, 28, 34, 55, 52, 39, 12, 18, 28, 32, 41, 52, 57, 46, 25, 32, 39,
              44, 52, 61, 60, 51, 36, 46, 48, 49, 56, 50, 52, 50]
JPEG_DC_BITS = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
JPEG_DC_VALUES = list(range(12))
JPEG_AC_BITS = [0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D]
JPEG_AC_VALUES = (
    [0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22,
     0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0, 0x24, 0x33,
     0x62, 0x72, 0x82, 0x09, 0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x34,
     0x35, 0x36, 0x37, 0x38, 0x39, 0x3A] +
    [high + low for high in range(0x40, 0x90, 0x10) for low in range(3, 11)] +
    [high + low for high in range(0x90, 0xE0, 0x10) for low in range(2, 11)] +
    [high + low for high in (0xE0, 0xF0) for low in range(1, 11)])
JPEG_COSINES = [[(math.sqrt(0.5) if u == 0 else 1.0) * 0.5 * math.cos((2 * x + 1) * u * math.pi / 16)
                 for x in range(8)] for u in range(8)]


def huffman_codes(bits, values):
    """Symbol to (code, length), codes assigned in canonical order."""
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[values[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


class BitWriter:
    def __init__(self):
        self.data = bytearray()
        self.accumulator = 0
        self.count = 0

    def write(self, value, length):
        self.accumulator = (self.accumulator << length) | (value & ((1 << length) - 1))
        self.count += length
        while self.count >= 8:
            self.count -= 8
            byte = (self.accumulator >> self.count) & 0xFF
            self.data.append(byte)
            if byte == 0xFF:
                self.data.append(0)
        self.accumulator &= (1 << self.count) - 1

    def flush(self):
        if self.count:
            self.write((1 << (8 - self.count)) - 1, 8 - self.count)


def dct_block(block):
    """The 8 by 8 samples (rows) to their 64 coefficients, rows then columns."""
    rows = [[sum(c * s for c, s in zip(cos_u, row)) for cos_u in JPEG_COSINES] for row in block]
    return [[sum(cos_v[y] * rows[y][u] for y in range(8)) for u in range(8)] for cos_v in JPEG_COSINES]


def magnitude(value):
    """JPEG's size category and bits of a coefficient."""
    size = abs(value).bit_length()
    return size, value if value >= 0 else value + (1 << size) - 1


def encode_block(writer, block, previous_dc, dc_codes, ac_codes):
    coefficients = dct_block(block)
    flat = [coefficients[i // 8][i % 8] for i in range(64)]
    quantised = [int(round(flat[JPEG_ZIGZAG[k]] / JPEG_QUANT[JPEG_ZIGZAG[k]])) for k in range(64)]
    size, bits = magnitude(quantised[0] - previous_dc)
    writer.write(*dc_codes[size])
    writer.write(bits, size)
    run = 0
    for value in quantised[1:]:
        if value == 0:
            run += 1
            continue
        while run > 15:
            writer.write(*ac_codes[0xF0])
            run -= 16
        size, bits = magnitude(value)
        writer.write(*ac_codes[(run << 4) | size])
        writer.write(bits, size)
        run = 0
    if run:
        writer.write(*ac_codes[0x00])
    return quantised[0]


def jpeg_bytes(picture):
    """The picture, alpha dropped, as a baseline JPEG file."""
    width, height = picture.width, picture.height
    planes = [[[0.0] * width for _ in range(height)] for _ in range(3)]
    for y in range(height):
        for x in range(width):
            r, g, b = picture.pixels[y][x][:3]
            planes[0][y][x] = 0.299 * r + 0.587 * g + 0.114 * b - 128
            planes[1][y][x] = -0.168736 * r - 0.331264 * g + 0.5 * b
            planes[2][y][x] = 0.5 * r - 0.418688 * g - 0.081312 * b
    dc_codes = huffman_codes(JPEG_DC_BITS, JPEG_DC_VALUES)
    ac_codes = huffman_codes(JPEG_AC_BITS, JPEG_AC_VALUES)
    writer = BitWriter()
    previous = [0, 0, 0]
    for top in range(0, height, 8):
        for left in range(0, width, 8):
            for c in range(3):
                block = [[planes[c][min(top + y, height - 1)][min(left + x, width - 1)] for x in range(8)]
                         for y in range(8)]
                previous[c] = encode_block(writer, block, previous[c], dc_codes, ac_codes)
    writer.flush()

    def segment(marker, body):
        return struct.pack(">BBH", 0xFF, marker, len(body) + 2) + body

    quant = bytes([0]) + bytes(JPEG_QUANT[JPEG_ZIGZAG[k]] for k in range(64))
    frame = struct.pack(">BHHB", 8, height, width, 3) + b"".join(bytes([i + 1, 0x11, 0]) for i in range(3))
    tables = (bytes([0x00]) + bytes(JPEG_DC_BITS) + bytes(JPEG_DC_VALUES) + bytes([0x10]) +
              bytes(JPEG_AC_BITS) + bytes(JPEG_AC_VALUES))
    scan = bytes([3]) + b"".join(bytes([i + 1, 0x00]) for i in range(3)) + bytes([0, 63, 0])
    return (b"\xff\xd8" + segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00") +
            segment(0xDB, quant) + segment(0xC0, frame) + segment(0xC4, tables) + segment(0xDA, scan) +
            bytes(writer.data) + b"\xff\xd9")


def map_and_jigsaw_pictures():
    pictures = {"data/gfx/backgrounds/minibacks/%s.png" % name: (lambda n=name: miniback(n))
                for name in MINIBACK_LOOKS}
    for look in JIGSAW_BORDER_LOOKS:
        pictures["data/gfx/jigsaw_border_%s.png" % look] = lambda l=look: jigsaw_border(l)
    pictures["data/gfx/effects/spark.png"] = spark
    return pictures


# Written as JPEG rather than PNG.
JPEG_PICTURES = {
    "data/gfx/backgrounds/walps/04_wp_x1280b.jpg": jigsaw_scene,
}


PICTURES = {
    **board_pictures(),
    **map_and_jigsaw_pictures(),
    **game_pictures(),
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


def knob(width):
    """A rounded key 32 pixels high, light at the top, with a dark rim."""
    picture = Picture(width, 32)
    for y in range(32):
        for x in range(width):
            coverage, distance = rounded_rect_coverage(x, y, 1, 1, width - 1, 31, 8)
            if coverage > 0.0:
                color = (40, 70, 120) if distance > -2.0 else mix((250, 250, 255), (170, 200, 235), y / 31.0)
                picture.put(x, y, color + (int(round(255 * coverage)),))
    return picture


def slider_knob():
    return knob(24)


def spin_end(sign):
    """An end of the master volume's bar, in the slider knob's look, with a minus or a plus on it."""
    picture = knob(32)
    bars = [(8, 14, 24, 18)] + ([(14, 8, 18, 24)] if sign == "+" else [])
    for left, top, right, bottom in bars:
        for y in range(top, bottom):
            for x in range(left, right):
                picture.put(x, y, (30, 60, 110, 255))
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
    "data/gfx/gui/spin_minus.png": lambda: spin_end("-"),
    "data/gfx/gui/spin_plus.png": lambda: spin_end("+"),
    "data/gfx/garden/sky.png": garden_sky,
    "data/gfx/garden/water.png": water,
    "data/gfx/garden/lily.png": lily,
    "data/gfx/garden/glow.png": soft_dot,
})


# The game screen's head-up display: the power-up buttons beside the board, the time bar at its right and
# the bar of plates left above it, with a small sign beside each bar.
POWERUP_BUTTON = 36
# By power-up name: the colour its charge shows in.
POWERUP_COLORS = {
    "remove_row": (232, 92, 70),
    "remove_col": (240, 150, 50),
    "remove_block": (214, 184, 52),
    "remove_color": (88, 186, 90),
    "recolor": (64, 168, 222),
    "reshuffle": (124, 112, 232),
    "rnd_bombs": (196, 82, 200),
    "remove_rb": (228, 70, 128),
}
# The look of a charged level over the button by click state: rim colour and a wash over the face.
POWERUP_OVERLAYS = {
    "normal": ((250, 214, 120), None),
    "active": ((255, 250, 226), (255, 255, 255, 50)),
    "pressed": ((196, 150, 70), (0, 0, 0, 80)),
}
# One overlay per charge level, each showing that many and one more pips.
POWERUP_LEVELS = 4
TIME_BAR = (24, 480)
FILL_BAR = (280, 18)
HUD_SIGN = 24


def disc(cx, cy, radius, points=32):
    return [(cx + radius * math.cos(k * 2 * math.pi / points), cy + radius * math.sin(k * 2 * math.pi / points))
            for k in range(points)]


def turned(polygon, c=POWERUP_BUTTON / 2.0):
    """The polygon a quarter turn about the button's centre."""
    return [(c - (y - c), c + (x - c)) for x, y in polygon]


def powerup_sign(name):
    """The power-up's sign as polygons, inside the 20 pixels around the button's centre."""
    arrows = [(8, 18), (13, 12), (13, 16), (23, 16), (23, 12), (28, 18), (23, 24), (23, 20), (13, 20), (13, 24)]
    if name == "remove_row":
        return [arrows]
    if name == "remove_col":
        return [turned(arrows)]
    if name == "remove_block":
        return [[(x, y), (x + 5, y), (x + 5, y + 5), (x, y + 5)] for x in (10, 16, 22) for y in (10, 16, 22)]
    if name == "remove_color":
        return [disc(12.5, 22.5, 5.5), disc(23.5, 22.5, 5.5), disc(18, 12.5, 5.5)]
    if name == "recolor":
        return [[(18 + 9 * math.sin(a) * (1 - math.cos(a)) / 2 ** 0.5 * 0.9, 19.5 - 10 * math.cos(a))
                 for a in (k * 2 * math.pi / 48 for k in range(48))]]
    if name == "reshuffle":
        right = [(8, 12), (22, 12), (22, 8), (28, 14), (22, 20), (22, 16), (8, 16)]
        return [right, [(36 - x, 36 - y) for x, y in right]]
    if name == "rnd_bombs":
        fuse = [(20, 11), (23, 8), (25, 10), (22, 13)]
        return [disc(16.5, 20.5, 8), fuse, star(26, 8, 4.5, 1.8, points=4)]
    return [[(21, 7), (11, 20), (17, 20), (14, 29), (26, 15), (20, 15), (23, 7)]]


def powerup_face(picture, fill, rim, rim_width=1.5):
    """The button's rounded square: a fill (a colour, or a function of the row) inside a rim."""
    size = POWERUP_BUTTON
    for y in range(size):
        inner = fill(y) if callable(fill) else fill
        for x in range(size):
            coverage, distance = rounded_rect_coverage(x, y, 1, 1, size - 1, size - 1, 8)
            if coverage > 0.0:
                over(picture, x, y, rim if distance > -rim_width else inner, coverage)


def powerup_socket():
    """An empty socket: the button of a power-up the player does not own."""
    picture = Picture(POWERUP_BUTTON, POWERUP_BUTTON)
    powerup_face(picture, (10, 22, 44, 150), (80, 110, 150, 170))
    return picture


def powerup_back(name):
    """The socket with the power-up's sign in grey: what is not charged yet."""
    picture = Picture(POWERUP_BUTTON, POWERUP_BUTTON)
    powerup_face(picture, (18, 32, 58, 240), (90, 120, 160, 240))
    for polygon in powerup_sign(name):
        fill_polygon_over(picture, polygon, (104, 124, 154, 255))
    return picture


def powerup_front(name):
    """The charged button: the power-up's colour with its sign in white, over the same square."""
    color = POWERUP_COLORS[name]
    picture = Picture(POWERUP_BUTTON, POWERUP_BUTTON)
    light, dark = mix(color, (255, 255, 255), 0.3), mix(color, (0, 0, 0), 0.3)
    powerup_face(picture, lambda y: mix(light, dark, y / float(POWERUP_BUTTON)) + (255,),
                 mix(color, (255, 255, 255), 0.6) + (255,))
    for polygon in powerup_sign(name):
        fill_polygon_over(picture, [(x + 1, y + 1) for x, y in polygon], (0, 0, 0, 110))
        fill_polygon_over(picture, polygon, (255, 255, 255, 255))
    return picture


def powerup_overlay(state, level):
    """The rim over a charged button by click state, with one pip per charge banked."""
    rim, wash = POWERUP_OVERLAYS[state]
    picture = Picture(POWERUP_BUTTON, POWERUP_BUTTON)
    powerup_face(picture, wash or TRANSPARENT, rim + (255,), rim_width=2.0)
    pips = level + 1
    for k in range(pips):
        x = POWERUP_BUTTON / 2.0 + (k - (pips - 1) / 2.0) * 6
        fill_polygon_over(picture, disc(x, 31.5, 2.6, 16), (40, 20, 0, 220))
        fill_polygon_over(picture, disc(x, 31.5, 1.8, 16), rim + (255,))
    return picture


def hud_bar(size, colors, fill):
    """A bar's back (colors None: dark glass with a rim) or its front, inset within the back's rim. The
    front's colours run along the bar from where it fills: bottom to top when taller than wide."""
    width, height = size
    picture = Picture(width, height)
    radius = min(width, height) / 2.0
    inset = 0 if colors is None else 3
    upright = height > width
    for y in range(height):
        for x in range(width):
            coverage, distance = rounded_rect_coverage(x, y, inset, inset, width - inset, height - inset,
                                                       radius - inset)
            if coverage <= 0.0:
                continue
            if colors is None:
                color = (110, 160, 220, 230) if distance > -2.0 else fill
            else:
                along = 1.0 - y / float(height - 1) if upright else x / float(width - 1)
                across = x / float(width - 1) if upright else y / float(height - 1)
                color = colors[0]
                for k in range(1, len(colors)):
                    if along <= k / float(len(colors) - 1):
                        color = mix(colors[k - 1], colors[k], along * (len(colors) - 1) - (k - 1))
                        break
                color = mix(color, (255, 255, 255), max(0.0, 0.35 - across)) + (255,)
            over(picture, x, y, color, coverage)
    return picture


def hud_clock():
    """The time bar's sign: a clock face."""
    picture = Picture(HUD_SIGN, HUD_SIGN)
    c = HUD_SIGN / 2.0
    fill_polygon_over(picture, disc(c, c, 11), (120, 84, 30, 255))
    fill_polygon_over(picture, disc(c, c, 9), (250, 240, 214, 255))
    fill_polygon_over(picture, [(c - 1, c + 1), (c - 1, c - 7), (c + 1, c - 7), (c + 1, c + 1)], (40, 30, 20, 255))
    fill_polygon_over(picture, [(c - 1, c - 1), (c + 6, c - 1), (c + 6, c + 1), (c - 1, c + 1)], (40, 30, 20, 255))
    return picture


def hud_plates():
    """The bar of plates left: two plates, one over the other."""
    picture = Picture(HUD_SIGN, HUD_SIGN)
    for left, top, color in ((2, 2, PLATE_COLORS[0]), (8, 8, PLATE_COLORS[2])):
        for y in range(HUD_SIGN):
            for x in range(HUD_SIGN):
                coverage, distance = rounded_rect_coverage(x, y, left, top, left + 14, top + 14, 3)
                if coverage > 0.0:
                    shade = mix(color, (255, 255, 255), 0.5) if distance > -1.5 else color
                    over(picture, x, y, shade + (255,), coverage)
    return picture


def powerup_flash():
    """A white square with a soft glow around it: a power-up's charge completing flashes it."""
    size, margin = POWERUP_BUTTON + 12, 6
    picture = Picture(size, size)
    for y in range(size):
        for x in range(size):
            _, distance = rounded_rect_coverage(x, y, margin, margin, size - margin, size - margin, 8)
            alpha = 1.0 if distance <= 0.0 else max(0.0, 1.0 - distance / margin) ** 2
            if alpha > 0.0:
                picture.put(x, y, (255, 255, 255, int(round(255 * alpha))))
    return picture


def hud_pictures():
    """The head-up display's pictures by file name."""
    pictures = {"data/gfx/gui/hud/powerup_empty.png": powerup_socket,
                "data/gfx/gui/hud/time_back.png": lambda: hud_bar(TIME_BAR, None, (10, 22, 44, 200)),
                "data/gfx/gui/hud/time_front.png":
                    lambda: hud_bar(TIME_BAR, [(226, 64, 44), (250, 190, 60), (128, 220, 90)], None),
                "data/gfx/gui/hud/fill_back.png": lambda: hud_bar(FILL_BAR, None, (10, 22, 44, 200)),
                "data/gfx/gui/hud/fill_front.png":
                    lambda: hud_bar(FILL_BAR, [(48, 148, 196), (36, 176, 222)], None),
                "data/gfx/gui/hud/powerup_flash.png": powerup_flash,
                "data/gfx/gui/hud/clock.png": hud_clock,
                "data/gfx/gui/hud/plates.png": hud_plates}
    for name in POWERUP_COLORS:
        pictures["data/gfx/gui/hud/%s_back.png" % name] = lambda n=name: powerup_back(n)
        pictures["data/gfx/gui/hud/%s_front.png" % name] = lambda n=name: powerup_front(n)
    for state in POWERUP_OVERLAYS:
        for level in range(POWERUP_LEVELS):
            pictures["data/gfx/gui/hud/powerup_%s%d.png" % (state, level)] = \
                lambda s=state, l=level: powerup_overlay(s, l)
    return pictures


PICTURES.update(hud_pictures())




# Screen backgrounds: small pictures that the screens stretch over the whole window with linear filtering,
# so they are smooth shapes and gradients only.
SCREEN_BACKGROUND_SIZE = (200, 150)
# Each background: top and bottom colour, then soft glows as (x, y, radius, colour, strength), in the
# picture's own pixels.
SCREEN_BACKGROUNDS = {
    # Dark where the menu's buttons and the options' slider stand: the scripted-mouse test tells those
    # screens by their blue.
    "logo": ((4, 10, 28), (14, 40, 80), [(100, 100, 60, (90, 170, 230), 0.5), (100, 150, 60, (240, 200, 120), 0.3)]),
    "menu": ((10, 24, 60), (24, 86, 130), [(30, 140, 60, (80, 150, 220), 0.35), (170, 130, 70, (40, 170, 190), 0.4)]),
    "screen": ((12, 22, 48), (18, 46, 84), [(160, 20, 80, (70, 120, 200), 0.3)]),
    "shop": ((30, 18, 44), (70, 44, 40), [(100, 40, 70, (250, 190, 90), 0.35), (20, 140, 60, (200, 90, 140), 0.25)]),
    "gallery": ((16, 16, 20), (44, 40, 56), [(100, 75, 90, (120, 110, 160), 0.3)]),
    "pause": ((0, 0, 0), (0, 0, 0), []),
}


def screen_background(name):
    top, bottom, glows = SCREEN_BACKGROUNDS[name]
    width, height = SCREEN_BACKGROUND_SIZE
    picture = Picture(width, height)
    for y in range(height):
        base = mix(top, bottom, y / float(height - 1))
        for x in range(width):
            color = base
            for gx, gy, radius, glow, strength in glows:
                d = math.hypot(x - gx, y - gy) / radius
                if d < 1.0:
                    color = mix(color, glow, strength * (1.0 - d) ** 2)
            # A few slow waves along the bottom, as if under water.
            wave = math.sin(x / 11.0 + math.sin(y / 17.0) * 2.0) * 0.5 + 0.5
            color = mix(color, (255, 255, 255), 0.04 * wave * y / float(height))
            picture.put(x, y, color + (255,))
    return picture


def dim():
    """Half-dark veil laid over the game while it is paused."""
    return Picture(8, 8, (0, 8, 24, 170))


# The shop's pictures of the power-ups: a round token in the power-up's colour with its sign.
POWERUP_ICON = 48
POWERUP_ICONS = {
    "remove_row": (70, 160, 230),
    "remove_col": (80, 190, 140),
    "remove_block": (230, 130, 60),
    "remove_color": (210, 80, 200),
    "recolor": (240, 200, 60),
    "reshuffle": (90, 200, 220),
    "rnd_bombs": (200, 70, 70),
    "remove_rb": (150, 120, 230),
}


def shop_sign(name):
    """The sign as polygons, on a 48 pixel token centred at 24."""
    def box(left, top, right, bottom):
        return [(left, top), (right, top), (right, bottom), (left, bottom)]
    if name == "remove_row":
        return [box(8, 20, 40, 28)]
    if name == "remove_col":
        return [box(20, 8, 28, 40)]
    if name == "remove_block":
        return [box(14, 14, 34, 34)]
    if name == "remove_color":
        return [star(24, 24, 15, 6, points=6)]
    if name == "recolor":
        return [[(12, 34), (24, 12), (36, 34)]]
    if name == "reshuffle":
        return [box(11, 11, 21, 21), box(27, 11, 37, 21), box(11, 27, 21, 37), box(27, 27, 37, 37)]
    if name == "rnd_bombs":
        return [[(24 + 10 * math.cos(a), 27 + 10 * math.sin(a)) for a in (k * math.pi / 12 for k in range(24))],
                box(27, 10, 31, 18)]
    return [box(10, 12, 18, 20), box(28, 10, 36, 18), box(18, 28, 26, 36), box(32, 30, 38, 36)]


def powerup_icon(name):
    color = POWERUP_ICONS[name]
    picture = Picture(POWERUP_ICON, POWERUP_ICON)
    c = POWERUP_ICON / 2.0
    for y in range(POWERUP_ICON):
        for x in range(POWERUP_ICON):
            over(picture, x, y, (0, 0, 0, 100), disc_coverage(x, y, c + 2, c + 2, 22))
            over(picture, x, y, (240, 240, 250, 255), disc_coverage(x, y, c, c, 22))
            shade = mix(mix(color, (255, 255, 255), 0.3), mix(color, (0, 0, 0), 0.3), y / float(POWERUP_ICON))
            over(picture, x, y, shade + (255,), disc_coverage(x, y, c, c, 19))
    for polygon in shop_sign(name):
        fill_polygon_over(picture, polygon, (255, 255, 255, 235), samples=2)
    return picture


# The gallery's pictures, opened one by one as the campaign goes on: seascapes of sky, sun and waves.
GALLERY_SIZE = (256, 192)
# Sky top, sky at the horizon, sea, sun colour, sun place (x, y) and radius.
GALLERY = [
    ((40, 70, 150), (250, 190, 140), (30, 80, 130), (255, 230, 160), (190, 110, 22)),
    ((10, 20, 60), (70, 60, 120), (10, 30, 70), (230, 230, 250), (60, 50, 14)),
    ((90, 160, 230), (200, 230, 250), (40, 130, 170), (255, 255, 220), (128, 40, 18)),
    ((60, 20, 60), (250, 120, 80), (60, 40, 80), (255, 200, 120), (100, 118, 30)),
    ((20, 60, 60), (120, 200, 180), (20, 90, 90), (240, 255, 230), (210, 60, 12)),
    ((30, 30, 40), (120, 100, 110), (40, 40, 60), (250, 120, 90), (40, 100, 20)),
]
GALLERY_HORIZON = 120


def gallery_picture(number):
    sky_top, horizon, sea, sun_color, (sun_x, sun_y, sun_r) = GALLERY[number - 1]
    width, height = GALLERY_SIZE
    picture = Picture(width, height)
    for y in range(height):
        for x in range(width):
            if y < GALLERY_HORIZON:
                color = mix(sky_top, horizon, (y / float(GALLERY_HORIZON)) ** 1.5)
                color = mix(color, sun_color, disc_coverage(x, y, sun_x, sun_y, sun_r))
            else:
                depth = (y - GALLERY_HORIZON) / float(height - GALLERY_HORIZON)
                color = mix(horizon, sea, min(1.0, depth * 3.0))
                wave = math.sin(x / (4.0 + 20 * depth) + y * 0.9) * 0.5 + 0.5
                glitter = max(0.0, 1.0 - abs(x - sun_x) / (20.0 + 60 * depth))
                color = mix(color, sun_color, 0.5 * glitter * wave)
            picture.put(x, y, color + (255,))
    return picture


def locked_picture():
    """A gallery frame not yet opened: a dark plate with a padlock."""
    width, height = 128, 96
    picture = panel(width, height, radius=10, fill=(20, 26, 40, 230), rim=(80, 90, 120, 255))
    c = width / 2.0
    for y in range(height):
        for x in range(width):
            ring = disc_coverage(x, y, c, 40, 12) - disc_coverage(x, y, c, 40, 7)
            if ring > 0.0 and y < 44:
                over(picture, x, y, (170, 170, 190, 255), ring)
    fill_polygon_over(picture, [(c - 16, 40), (c + 16, 40), (c + 16, 66), (c - 16, 66)], (190, 160, 80, 255))
    return picture


def locked_slot():
    """Over a map miniature of a level not reached yet: a dark veil with a padlock."""
    width, height = 176, 128
    picture = Picture(width, height, (8, 12, 24, 170))
    c, top = width / 2.0, 44
    for y in range(height):
        for x in range(width):
            ring = disc_coverage(x, y, c, top, 14) - disc_coverage(x, y, c, top, 8)
            if ring > 0.0 and y < top + 4:
                over(picture, x, y, (170, 170, 190, 255), ring)
    fill_polygon_over(picture, [(c - 19, top), (c + 19, top), (c + 19, top + 30), (c - 19, top + 30)],
                      (190, 160, 80, 255))
    return picture


PICTURES.update({
    **{"data/gui/backgrounds/%s.png" % name: (lambda name=name: screen_background(name))
       for name in SCREEN_BACKGROUNDS},
    **{"data/gfx/shop/%s.png" % name: (lambda name=name: powerup_icon(name)) for name in POWERUP_ICONS},
    **{"data/gfx/gallery/picture%d.png" % n: (lambda n=n: gallery_picture(n)) for n in range(1, len(GALLERY) + 1)},
    "data/gfx/gallery/locked.png": locked_picture,
    "data/gfx/gui/slot_locked.png": locked_slot,
    "data/gfx/gallery/frame.png": lambda: panel(204, 156, radius=8, fill=(0, 0, 0, 0), rim=(255, 216, 112, 255)),
    "data/gfx/gui/dim.png": dim,
    "data/gfx/gui/white.png": lambda: Picture(8, 8, WHITE),
    "data/gfx/gui/panel_side.png": lambda: panel(224, 240),
    "data/gfx/gui/panel_shop.png": lambda: panel(720, 420, radius=16),
    "data/gfx/gui/panel_row.png": lambda: panel(680, 42, radius=8, fill=(30, 50, 90, 120), rim=(60, 90, 140, 140)),
    "data/gfx/gui/progress_back.png": lambda: slider_bar((10, 20, 40, 255), (40, 60, 90, 255)),
    "data/gfx/gui/progress_front.png": lambda: slider_bar((250, 220, 120, 255), (210, 140, 40, 255)),
})



# The bonus balls, the removers' beams and the praise banners of the board.
BONUS_LOOKS = {
    "badball": ((70, 70, 80), "spikes"),
    "remove_row": ((40, 150, 170), "row"),
    "remove_col": ((40, 150, 170), "col"),
    "remove_cross": ((40, 150, 170), "cross"),
    "remove_block": ((200, 90, 40), "block"),
    "remove_color": ((230, 230, 230), "rainbow"),
    "remove_diag_left": ((60, 120, 190), "diag_left"),
    "remove_diag_right": ((60, 120, 190), "diag_right"),
    "remove_diag_cross": ((60, 120, 190), "diag_cross"),
    "addtime": ((60, 170, 90), "clock"),
    "replater": ((150, 120, 90), "plates"),
    "makebadballs": ((110, 40, 120), "spikes"),
}


def segment_distance(px, py, ax, ay, bx, by):
    """Distance from the point to the segment a-b."""
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / float(vx * vx + vy * vy)))
    return math.hypot(px - ax - t * vx, py - ay - t * vy)


def bonus_emblem_segments(emblem):
    """The emblem's strokes as segments on a 32-pixel ball, centre (16, 16)."""
    low, high = 8.5, 23.5
    strokes = {
        "row": [(low, 16, high, 16), (low, 16, 12, 12), (low, 16, 12, 20), (high, 16, 20, 12), (high, 16, 20, 20)],
        "col": [(16, low, 16, high), (16, low, 12, 12), (16, low, 20, 12), (16, high, 12, 20), (16, high, 20, 20)],
        "cross": [(low, 16, high, 16), (16, low, 16, high)],
        "diag_left": [(10, 10, 22, 22)],
        "diag_right": [(22, 10, 10, 22)],
        "diag_cross": [(10, 10, 22, 22), (22, 10, 10, 22)],
        "block": [(11, 11, 21, 11), (21, 11, 21, 21), (21, 21, 11, 21), (11, 21, 11, 11)],
        "clock": [(16, 16, 16, 10), (16, 16, 20, 18)],
        "plates": [(10, 12, 22, 12), (10, 16, 22, 16), (10, 20, 22, 20)],
    }
    return strokes.get(emblem, [])


def bonus_ball(name, lit):
    """A sphere of the bonus's colour with a pale emblem telling what it removes."""
    color, emblem = BONUS_LOOKS[name]
    picture = ball(color, lit)
    if emblem == "rainbow":
        for y in range(BALL):
            for x in range(BALL):
                r, g, b, a = picture.get(x, y)
                if a == 0:
                    continue
                hue = (math.atan2(y + 0.5 - 16, x + 0.5 - 16) / (2 * math.pi)) % 1.0
                tint = colorsys_rgb(hue)
                picture.put(x, y, mix((r, g, b), tint, 0.55) + (a,))
        return picture
    if emblem == "spikes":
        for k in range(8):
            angle = k * math.pi / 4
            tip = (16 + 15 * math.cos(angle), 16 + 15 * math.sin(angle))
            for y in range(BALL):
                for x in range(BALL):
                    d = segment_distance(x + 0.5, y + 0.5, 16 + 9 * math.cos(angle), 16 + 9 * math.sin(angle), *tip)
                    if d < 1.3:
                        picture.put(x, y, (200, 60, 60, 255))
        return picture
    segments = bonus_emblem_segments(emblem)
    for y in range(BALL):
        for x in range(BALL):
            if emblem == "clock" and abs(math.hypot(x + 0.5 - 16, y + 0.5 - 16) - 8) < 0.9:
                over(picture, x, y, (255, 255, 240, 255), 0.9)
            d = min([segment_distance(x + 0.5, y + 0.5, *s) for s in segments] or [9.0])
            coverage = min(1.0, max(0.0, 1.9 - d))
            if coverage > 0.0:
                over(picture, x, y, (255, 255, 240, 255), 0.9 * coverage)
    return picture


# The rainbow ball's core, in the ball colour it clears, and the dark ring that parts it from the rainbow.
RAINBOW_CORE_RADIUS = 7.5
RAINBOW_CORE_RING = 1.5
RAINBOW_CORE_RING_COLOR = (24, 24, 40, 230)


def rainbow_ball(number, lit):
    """The rainbow ball of ball colour number (1 to 8) with a small ball of that colour at its heart."""
    picture = bonus_ball("remove_color", lit)
    color = BALL_COLORS[number - 1]
    centre = BALL / 2.0
    for y in range(BALL):
        for x in range(BALL):
            over(picture, x, y, RAINBOW_CORE_RING_COLOR,
                 disc_coverage(x, y, centre, centre, RAINBOW_CORE_RADIUS + RAINBOW_CORE_RING))
            coverage = disc_coverage(x, y, centre, centre, RAINBOW_CORE_RADIUS)
            if coverage > 0.0:
                dx = (x + 0.5 - centre) / RAINBOW_CORE_RADIUS
                dy = (y + 0.5 - centre) / RAINBOW_CORE_RADIUS
                over(picture, x, y, sphere_shade(color, lit, dx, dy) + (255,), coverage)
    return picture


def colorsys_rgb(hue):
    """A saturated colour of the hue, 0 to 1."""
    sector, fraction = int(hue * 6) % 6, hue * 6 - int(hue * 6)
    up, down = int(255 * fraction), int(255 * (1 - fraction))
    return [(255, up, 0), (down, 255, 0), (0, 255, up), (0, down, 255), (up, 0, 255), (255, 0, down)][sector]


def beam():
    """A soft horizontal light bar; the removers stretch and tint it."""
    picture = Picture(64, 16)
    for y in range(16):
        for x in range(64):
            across = 1.0 - abs(y + 0.5 - 8) / 8.0
            along = min(1.0, min(x + 0.5, 64 - x - 0.5) / 8.0)
            picture.put(x, y, (255, 255, 255, int(round(255 * across ** 2 * along))))
    return picture


def square_ring():
    """A white square outline with soft edges, for the block effects."""
    picture = Picture(BALL, BALL)
    for y in range(BALL):
        for x in range(BALL):
            edge = min(x, y, BALL - 1 - x, BALL - 1 - y)
            if edge < 4:
                picture.put(x, y, (255, 255, 255, int(round(255 * (1.0 - abs(edge - 1.5) / 2.5)))))
    return picture


def effect_pictures():
    pictures = {}
    for name in BONUS_LOOKS:
        pictures["data/gfx/balls/%s.png" % name] = lambda name=name: bonus_ball(name, False)
        pictures["data/gfx/balls/%s_lit.png" % name] = lambda name=name: bonus_ball(name, True)
    for number in range(1, len(BALL_COLORS) + 1):
        for suffix, lit in (("", False), ("_lit", True)):
            name = "data/gfx/balls/remove_color_%d%s.png" % (number, suffix)
            pictures[name] = lambda number=number, lit=lit: rainbow_ball(number, lit)
    pictures["data/gfx/effects/beam.png"] = beam
    pictures["data/gfx/effects/square.png"] = square_ring
    pictures["data/gfx/effects/wow1.png"] = lambda: banner("Nice!", 4, (160, 232, 255))
    pictures["data/gfx/effects/wow2.png"] = lambda: banner("Great!", 4, (140, 250, 150))
    pictures["data/gfx/effects/wow3.png"] = lambda: banner("Superb!", 5, (255, 200, 80))
    return pictures


PICTURES.update(effect_pictures())


def generated_files():
    """Every generated file: its name under the run folder and its bytes."""
    files = {name: png_bytes(draw()) for name, draw in PICTURES.items()}
    files.update({name: jpeg_bytes(draw()) for name, draw in JPEG_PICTURES.items()})
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
