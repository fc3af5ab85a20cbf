#!/usr/bin/env python3
"""The built game on a display of its own, started straight on the map: the level miniatures show and a
click on the second episode changes them. The way to the map and on to the jigsaw is toured in-process by
test_seaquell_every_screen.

Usage: map_screen_test.py GAME_BINARY REPOSITORY
"""

import os
import sys
import unittest

import start_stop_test

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


class MapScreenTest(start_stop_test.OwnDisplayRun):
    def test_the_map_shows_level_miniatures_by_episode(self):
        self.replace_screen("main.xml", TO_MAP)
        self.screen.move(790, 590)
        game = self.start(self.display)
        try:
            # The miniature: the board's frame and cells over a picture, many colours.
            many_colours = lambda: len({c for row in self.screen.pixels(*SLOT1) for c in row}) > 20
            self.assertTrue(self.wait_for(many_colours, game), "no miniature on the map")
            first = self.screen.pixels(*SLOT1)
            self.click(EPISODE2)
            changed = self.wait_for(lambda: self.screen.pixels(*SLOT1) != first, game, 10)
            self.assertTrue(changed, "the second episode shows the same miniature")
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
    unittest.main(argv=sys.argv[:1])
