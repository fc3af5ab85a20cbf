#!/usr/bin/env python3
"""The built game on a display of its own, started straight on the map: the episode buttons and the level
miniatures show, a click on the second episode changes them, and the jigsaw button leads to the jigsaw,
whose pieces a click frames. Screenshots land in $SCREENSHOT_DIR when it is set.

Usage: map_screen_test.py GAME_BINARY REPOSITORY
"""

import os
import struct
import sys
import time
import unittest
import zlib

import start_stop_test
from start_stop_test import MainMenuTest

# Main menu stand-in: a player, then the map.
TO_MAP = """<gui x="0" y="0" w="800" h="600">
  <handlers>
    <handler name="on_load" code="if userlist_empty then user_add('Player'); user_select('Player') end; call_functor('preload_map')"/>
  </handlers>
</gui>
"""
# Where data/gui/map2.xml puts things.
SLOT1 = (24, 210, 176, 128)
EPISODE2 = (288 + 112, 86 + 30)
JIGSAW_BUTTON = (288 + 112, 420 + 30)
# data/gui/jigsaw.xml's board.
BOARD = (100, 80, 600, 400)


def png(rows):
    """The rows of (r, g, b) as PNG bytes."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def colours(rows):
    return {pixel for row in rows for pixel in row}


class MapScreenTest(MainMenuTest):
    """The display and the game run come from the main menu's tests, which are not repeated here."""

    def shoot(self, name):
        rows = self.screen.pixels(0, 0, 800, 600)
        folder = os.environ.get("SCREENSHOT_DIR")
        if folder:
            with open(os.path.join(folder, name + ".png"), "wb") as out:
                out.write(png(rows))
        return rows

    def region(self, left, top, width, height):
        return self.screen.pixels(left, top, width, height)

    def click(self, x, y):
        self.screen.move(x, y)
        time.sleep(0.3)
        self.screen.button(True)
        time.sleep(0.2)
        self.screen.button(False)

    def test_the_map_shows_level_miniatures_by_episode_and_leads_to_the_jigsaw(self):
        self.replace_screen("main.xml", TO_MAP)
        self.screen.move(790, 590)
        game = self.start(self.display)
        try:
            # The miniature: the board's frame and cells over a picture, many colours.
            shown = self.wait_for(lambda: len(colours(self.region(*SLOT1))) > 20, game)
            self.shoot("map_episode1")
            self.assertTrue(shown, "no miniature on the map")
            first = self.region(*SLOT1)
            self.click(*EPISODE2)
            changed = self.wait_for(lambda: self.region(*SLOT1) != first, game, 10)
            self.shoot("map_episode2")
            self.assertTrue(changed, "the second episode shows the same miniature")
            self.click(*JIGSAW_BUTTON)
            board = lambda: self.region(BOARD[0] + 20, BOARD[1] + 20, 40, 40)
            drawn = self.wait_for(lambda: len(colours(board())) > 3, game, 30)
            self.shoot("jigsaw")
            self.assertTrue(drawn, "no jigsaw picture")
            self.click(BOARD[0] + 150, BOARD[1] + 120)
            time.sleep(0.5)
            self.shoot("jigsaw_picked")
        finally:
            game.terminate()
            status, output = self.finish(game, timeout=60)
        self.assertEqual(status, 0, output)
        log = self.log_text()
        self.assertNotIn("Error loading gui", log)
        self.assertNotIn("Error loading effect", log)
        self.assertNotIn("LevelPreview: no level", log)


if __name__ == "__main__":
    start_stop_test.GAME = os.path.abspath(sys.argv[1])
    start_stop_test.REPOSITORY = os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1], defaultTest="MapScreenTest.test_the_map_shows_level_miniatures_by_episode_and_leads_to_the_jigsaw")
