#!/usr/bin/env python3
"""Writes level_map/full.txt: a whole 22 by 16 map with every layer and every ball code."""
import os

WIDTH, HEIGHT = 22, 16
CELLS = WIDTH * HEIGHT
CODES = "12345678abcdefghijklmnopqrst0"

layers = [
    "1" * CELLS,                                   # every cell exists
    "1" * WIDTH + "0" * (CELLS - WIDTH),           # the top row emits
    "".join("0123"[(i * 7) % 4] for i in range(CELLS)),   # plates
    "".join(CODES[(i * 5) % len(CODES)] for i in range(CELLS)),  # placed balls
    "0" * CELLS,                                   # no locks
]
with open(os.path.join(os.path.dirname(__file__), "corpus", "level_map", "full.txt"), "w") as out:
    out.write(";".join(layers))
