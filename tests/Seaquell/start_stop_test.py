#!/usr/bin/env python3
"""Starts the built game with a temporary home and a first screen that calls "exit" after a few frames.

Usage: start_stop_test.py GAME_BINARY REPOSITORY
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

GAME = None
REPOSITORY = None

# Ends the game from its own frame loop once the screen has updated a few times.
EXITING_SCREEN = """<gui x="0" y="0" w="800" h="600">
  <container id="logo" x="0" y="0" w="800" h="600"/>
  <handlers>
    <handler name="on_update" code="$frames = ($frames || 0) + 1; call_functor('exit') if $frames == 5"/>
  </handlers>
</gui>
"""


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as out:
        out.write(text)


class StartStopTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="moravane_")
        self.home = os.path.join(self.work, "home")
        self.run_folder = os.path.join(self.work, "run")
        localized = os.path.join(self.work, "loc") + "/"
        # The run folder as the play command assembles it.
        shutil.copytree(os.path.join(REPOSITORY, "data"), os.path.join(self.run_folder, "data"))
        subprocess.run([sys.executable, os.path.join(REPOSITORY, "tools", "make_data.py"), self.run_folder],
                       check=True, stdout=subprocess.DEVNULL)
        write(os.path.join(localized, "data", "gui", "logo.xml"), EXITING_SCREEN)
        write(os.path.join(self.home, ".Moravane", "config.cfg"), "localized_data = %s\n" % localized)

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def play(self, with_display):
        env = dict(os.environ, HOME=self.home, SDL_AUDIODRIVER="dummy")
        # A sanitizer's report must not pass for the game's own status 1. With the display, SDL_Quit
        # unloads the OpenGL driver, whose leaks then cannot be told from ours; the unit tests check leaks.
        sanitizer = ":exitcode=86" + (":detect_leaks=0" if with_display else "")
        env["ASAN_OPTIONS"] = env.get("ASAN_OPTIONS", "") + sanitizer
        if not with_display:
            env.pop("DISPLAY", None)
            env.pop("SDL_VIDEODRIVER", None)
        result = subprocess.run([GAME], cwd=self.run_folder, env=env, timeout=120,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        return result.returncode, result.stdout.decode(errors="replace")[-3000:]

    def log_lines(self):
        with open(os.path.join(self.home, ".Moravane", "log.txt")) as log:
            return log.read().splitlines()

    def test_the_game_ends_by_itself_when_its_screen_calls_exit(self):
        if not os.environ.get("DISPLAY"):
            self.skipTest("no X display")
        status, output = self.play(with_display=True)
        self.assertEqual(status, 0, output)
        lines = self.log_lines()
        self.assertTrue(lines[-1].startswith("average fps"), lines[-5:])
        self.assertIn("USING localized data", "\n".join(lines))
        # The drawn cursor decodes.
        self.assertIn("seems like texture file", lines)

    def test_without_a_display_the_game_says_so_and_ends_with_status_1(self):
        status, output = self.play(with_display=False)
        self.assertEqual(status, 1, output)
        self.assertTrue(any("Can't open the game window" in line for line in self.log_lines()))


if __name__ == "__main__":
    GAME, REPOSITORY = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1])
