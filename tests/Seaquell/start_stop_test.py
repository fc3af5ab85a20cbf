#!/usr/bin/env python3
"""Runs the built game in a run folder assembled as the play command does, with a temporary home: it
starts, shows the logo and the main menu, and ends; a scripted mouse clicks the menu's Play button, and
drags a volume slider on the options screen.

Usage: start_stop_test.py GAME_BINARY REPOSITORY
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from x_display import XDisplay

GAME = None
REPOSITORY = None

# A screen that ends the game from its own frame loop once it has updated a few times, leaving a line in
# the log first.
EXITING_SCREEN = """<gui x="0" y="0" w="800" h="600">
  <handlers>
    <handler name="on_update" code="$frames = ($frames || 0) + 1; if $frames == 5 then log('%s'); call_functor('exit') end"/>
  </handlers>
</gui>
"""

# Where data/gui/main.xml puts its buttons (224 by 60 from their top-left corners), in the window at the
# screen's top-left corner.
PLAY_BUTTON = (288, 160)
OPTIONS_BUTTON = (288, 300)
QUIT_BUTTON = (288, 440)
BUTTON_BODY_POINT = (PLAY_BUTTON[0] + 60, PLAY_BUTTON[1] + 40)
POINTER_AWAY = (700, 550)
TITLE_BAND = (200, 60, 400, 50)
# On data/gui/options.xml: the sound effects slider (540 wide from x 130, its bars centred on y 182) and
# the Back link centred on x 400.
SFX_SLIDER_LEFT, SFX_SLIDER_Y = 130, 182
OPTIONS_BACK = (400, 552)


def on_button(corner):
    return (corner[0] + 108, corner[1] + 26)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as out:
        out.write(text)


def is_button_blue(color):
    red, green, blue = color
    return blue > 90 and blue > red + 40


class GameRun(unittest.TestCase):
    """A run folder and a home; the localised folder "loc/" replaces the screens a test names."""

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="moravane_")
        self.home = os.path.join(self.work, "home")
        self.run_folder = os.path.join(self.work, "run")
        self.localized = os.path.join(self.work, "loc") + "/"
        shutil.copytree(os.path.join(REPOSITORY, "data"), os.path.join(self.run_folder, "data"))
        subprocess.run([sys.executable, os.path.join(REPOSITORY, "tools", "make_data.py"), self.run_folder],
                       check=True, stdout=subprocess.DEVNULL)
        write(os.path.join(self.home, ".Moravane", "config.cfg"), "localized_data = %s\n" % self.localized)

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def replace_screen(self, name, text):
        write(os.path.join(self.localized, "data", "gui", name), text)

    def environment(self, display):
        env = dict(os.environ, HOME=self.home, SDL_AUDIODRIVER="dummy", SDL_VIDEO_WINDOW_POS="0,0")
        # A sanitizer's report must not pass for the game's own status 1. With the display, SDL_Quit
        # unloads the OpenGL driver, whose leaks then cannot be told from ours; the unit tests check leaks.
        sanitizer = ":exitcode=86" + (":detect_leaks=0" if display else "")
        env["ASAN_OPTIONS"] = env.get("ASAN_OPTIONS", "") + sanitizer
        env.pop("SDL_VIDEODRIVER", None)
        if display:
            env["DISPLAY"] = display
        else:
            env.pop("DISPLAY", None)
        return env

    def start(self, display):
        return subprocess.Popen([GAME], cwd=self.run_folder, env=self.environment(display),
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT)

    def finish(self, game, timeout=120):
        try:
            output, _ = game.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            game.kill()
            output, _ = game.communicate()
        return game.returncode, output.decode(errors="replace")[-3000:]

    def log_text(self):
        with open(os.path.join(self.home, ".Moravane", "log.txt")) as log:
            return log.read()


class StartStopTest(GameRun):
    def test_the_game_shows_the_logo_then_the_main_menu_and_ends_when_the_menu_calls_exit(self):
        if not os.environ.get("DISPLAY"):
            self.skipTest("no X display")
        self.replace_screen("main.xml", EXITING_SCREEN % "main menu reached")
        status, output = self.finish(self.start(os.environ["DISPLAY"]))
        self.assertEqual(status, 0, output)
        log = self.log_text()
        lines = log.splitlines()
        self.assertTrue(lines[-1].startswith("average fps"), lines[-5:])
        self.assertIn("USING localized data", log)
        self.assertNotIn("Error loading gui", log)
        # The drawn cursor decodes.
        self.assertIn("seems like texture file", lines)
        order = [log.find(mark) for mark in ("LOAD: data/gui/logo.xml", "LOAD: data/gui/logo_loaded.xml",
                                             "main menu reached")]
        self.assertTrue(all(a >= 0 for a in order) and order == sorted(order), order)

    def test_without_a_display_the_game_says_so_and_ends_with_status_1(self):
        status, output = self.finish(self.start(None))
        self.assertEqual(status, 1, output)
        self.assertIn("Can't open the game window", self.log_text())


class MainMenuTest(GameRun):
    """On a display of its own, so that no other window lies over the game's or moves the pointer."""

    def setUp(self):
        super().setUp()
        if not shutil.which("Xvfb"):
            self.skipTest("no Xvfb")
        self.xvfb, self.display = self.start_xvfb()
        self.screen = XDisplay(self.display)

    def tearDown(self):
        self.screen.close()
        self.xvfb.terminate()
        self.xvfb.wait()
        super().tearDown()

    def start_xvfb(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                 "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as number:
            return xvfb, ":" + number.readline().strip()

    def wait_for(self, condition, game, seconds=60):
        deadline = time.time() + seconds
        while time.time() < deadline:
            if game.poll() is not None:
                return False
            if condition():
                return True
            time.sleep(0.2)
        return False

    def golden_title_drawn(self):
        band = self.screen.pixels(*TITLE_BAND)
        return any(r > 200 and g > 150 and b < 160 for row in band for r, g, b in row)

    def test_the_main_menu_shows_a_title_and_buttons_and_play_leads_to_the_game_screen(self):
        self.replace_screen("game.xml", EXITING_SCREEN % "game screen reached")
        self.screen.move(*POINTER_AWAY)
        game = self.start(self.display)
        try:
            drawn = self.wait_for(lambda: is_button_blue(self.screen.pixel(*BUTTON_BODY_POINT)), game)
            self.assertTrue(drawn, "the Play button never showed")
            self.assertTrue(self.golden_title_drawn())
            resting = self.screen.pixel(*BUTTON_BODY_POINT)
            # Under the pointer the button fades to its lighter look.
            self.screen.move(*on_button(PLAY_BUTTON))
            lit = self.wait_for(lambda: sum(self.screen.pixel(*BUTTON_BODY_POINT)) > sum(resting) + 60, game, 10)
            self.assertTrue(lit, "the button did not light up under the pointer")
            self.click()
        finally:
            status, output = self.finish(game, timeout=60)
        self.assertEqual(status, 0, output)
        log = self.log_text()
        self.assertIn("game screen reached", log)
        self.assertNotIn("Error loading gui", log)

    def click(self, point=None):
        if point:
            self.screen.move(*point)
            time.sleep(0.3)
        self.screen.button(True)
        time.sleep(0.3)
        self.screen.button(False)

    def saved_settings(self):
        with open(os.path.join(self.home, ".Moravane", "config.cfg")) as settings:
            return [line.strip() for line in settings]

    def test_dragging_the_sound_slider_past_its_left_end_saves_silence_and_the_menu_still_quits(self):
        self.screen.move(*POINTER_AWAY)
        game = self.start(self.display)
        try:
            drawn = self.wait_for(lambda: is_button_blue(self.screen.pixel(*BUTTON_BODY_POINT)), game)
            self.assertTrue(drawn, "the main menu never showed")
            self.click(on_button(OPTIONS_BUTTON))
            # The default volume fills the bar: its blue shows just right of the left end.
            bar = (SFX_SLIDER_LEFT + 40, SFX_SLIDER_Y)
            self.assertTrue(self.wait_for(lambda: is_button_blue(self.screen.pixel(*bar)), game, 20),
                            "the options screen's slider never showed")
            self.screen.move(SFX_SLIDER_LEFT + 300, SFX_SLIDER_Y)
            time.sleep(0.3)
            self.screen.button(True)
            for x in (SFX_SLIDER_LEFT + 200, SFX_SLIDER_LEFT + 50, SFX_SLIDER_LEFT - 60):
                time.sleep(0.2)
                self.screen.move(x, SFX_SLIDER_Y)
            time.sleep(0.3)
            self.screen.button(False)
            # The game reads the pointer before the buttons: a move in the frame of the release would still drag.
            time.sleep(0.3)
            emptied = self.wait_for(lambda: not is_button_blue(self.screen.pixel(*bar)), game, 10)
            self.assertTrue(emptied, "the slider's bar did not empty")
            self.click(OPTIONS_BACK)
            self.assertTrue(self.wait_for(lambda: is_button_blue(self.screen.pixel(*BUTTON_BODY_POINT)), game, 20),
                            "Back did not lead to the main menu")
            self.click(on_button(QUIT_BUTTON))
        finally:
            status, output = self.finish(game, timeout=60)
        self.assertEqual(status, 0, output)
        self.assertIn("sfx_volume = 0.0", self.saved_settings())


if __name__ == "__main__":
    GAME, REPOSITORY = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1])
