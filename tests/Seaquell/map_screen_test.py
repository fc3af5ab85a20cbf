#!/usr/bin/env python3
"""The built game on a display of its own, started straight on the map: the level miniatures show, and each
episode's button shows that episode's own. The way to the map and on to the jigsaw is toured in-process by
test_seaquell_every_screen.

Usage: map_screen_test.py GAME_BINARY REPOSITORY
"""

import os
import sys
import time
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
EPISODES = {1: (40 + 112, 86 + 30), 2: (288 + 112, 86 + 30), 3: (536 + 112, 86 + 30)}
# Below the first episode button's text: its blue tells the map from the logo before it.
EPISODE1_BODY = (40 + 60, 86 + 40)
# The miniature comes in as its pictures load; it counts as shown once it has not changed for this long.
STILL_SECONDS = 1.5


class MapScreenTest(start_stop_test.OwnDisplayRun):
    def still_miniature(self, game, differs_from=()):
        """The first slot's picture once it has many colours, stands still and is none of those given; None
        when it never does."""
        last, since = None, time.time()

        def settled():
            nonlocal last, since
            picture = self.screen.pixels(*SLOT1)
            if picture != last:
                last, since = picture, time.time()
                return False
            return (time.time() - since >= STILL_SECONDS and picture not in differs_from
                    and len({c for row in picture for c in row}) > 20)

        return last if self.wait_for(settled, game, 20) else None

    def test_each_episode_button_shows_the_miniatures_of_its_own_episode(self):
        self.replace_screen("main.xml", TO_MAP)
        self.screen.move(790, 590)
        game = self.start(self.display)
        try:
            map_shown = lambda: start_stop_test.is_button_blue(self.screen.pixel(*EPISODE1_BODY))
            self.assertTrue(self.wait_for(map_shown, game), "the map never showed")
            first = self.still_miniature(game)
            self.assertIsNotNone(first, "no miniature on the map")
            self.click(EPISODES[2])
            second = self.still_miniature(game, [first])
            self.assertIsNotNone(second, "the second episode shows the first one's miniature")
            self.click(EPISODES[3])
            third = self.still_miniature(game, [first, second])
            self.assertIsNotNone(third, "the third episode shows an earlier one's miniature")
            self.click(EPISODES[1])
            self.assertEqual(self.still_miniature(game, [second, third]), first,
                             "the first episode's miniature did not come back")
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
