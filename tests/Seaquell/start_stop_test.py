#!/usr/bin/env python3
"""Runs the built game in a run folder assembled as the play command does, with a temporary home: it
starts, shows the logo and the main menu, and ends; a scripted mouse drags a volume slider on the options
screen and buys a power-up in the shop, and both are saved when the menu quits. The screens themselves are
toured in-process by test_seaquell_every_screen.

Usage: start_stop_test.py GAME_BINARY REPOSITORY
"""

import os
import shutil
import struct
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
# On data/gui/options.xml: the sound effects slider (540 wide from x 130, its bars centred on y 182) and
# the Back link centred on x 400.
SFX_SLIDER_LEFT, SFX_SLIDER_Y = 130, 182
OPTIONS_BACK = (400, 552)
# The links beside the main menu (data/gui/main.xml), and on the shop (data/gui/shop.xml) the second row,
# the column remover: its icon's green, its Buy link, and the Back link.
SHOP_LINK = (660, 197)
SHOP_COLUMN_ICON = (86, 191)
SHOP_COLUMN_BUY = (610, 191)
SHOP_BACK = (400, 566)


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

    def environment(self, display, term=None):
        env = dict(os.environ, HOME=self.home, SDL_AUDIODRIVER="dummy", SDL_VIDEO_WINDOW_POS="0,0")
        env.pop("TERM", None)
        if term:
            env["TERM"] = term
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

    def start(self, display, term=None):
        return subprocess.Popen([GAME], cwd=self.run_folder, env=self.environment(display, term),
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
        self.assertNotIn("Error loading gui", log)
        # The drawn cursor decodes.
        self.assertIn("seems like texture file", lines)
        order = [log.find(mark) for mark in ("LOAD: data/gui/logo.xml", "LOAD: data/gui/logo_loaded.xml",
                                             "main menu reached")]
        self.assertTrue(all(a >= 0 for a in order) and order == sorted(order), order)

    def test_without_a_display_the_game_says_so_and_ends_with_status_1_whatever_the_terminal(self):
        # Without TERM (cron, CI) and with one: no text-mode stand-in for the window may start.
        for term in (None, "xterm"):
            with self.subTest(term=term):
                log = os.path.join(self.home, ".Moravane", "log.txt")
                if os.path.exists(log):
                    os.remove(log)
                status, output = self.finish(self.start(None, term=term))
                self.assertEqual(status, 1, output)
                self.assertIn("Can't open the game window", self.log_text())


class OwnDisplayRun(GameRun):
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

    def click(self, point):
        self.screen.move(*point)
        time.sleep(0.3)
        self.screen.button(True)
        time.sleep(0.3)
        self.screen.button(False)


class MainMenuTest(OwnDisplayRun):
    def menu_shown(self, game, seconds):
        return self.wait_for(lambda: is_button_blue(self.screen.pixel(*BUTTON_BODY_POINT)), game, seconds)

    def test_a_slider_dragged_past_its_end_and_a_power_up_bought_are_saved_when_the_menu_quits(self):
        self.screen.move(*POINTER_AWAY)
        game = self.start(self.display)
        try:
            self.assertTrue(self.menu_shown(game, 60), "the main menu never showed")
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
            emptied = self.wait_for(lambda: not is_button_blue(self.screen.pixel(*bar)), game, 10)
            self.assertTrue(emptied, "the slider's bar did not empty")
            self.click(OPTIONS_BACK)
            self.assertTrue(self.menu_shown(game, 20), "Back did not lead from the options to the main menu")
            self.click(SHOP_LINK)
            green = lambda: self.screen.pixel(*SHOP_COLUMN_ICON)[1] > 150
            self.assertTrue(self.wait_for(green, game, 30), "the shop never showed")
            self.click(SHOP_COLUMN_BUY)
            time.sleep(0.5)
            self.click(SHOP_BACK)
            self.assertTrue(self.menu_shown(game, 30), "Back did not lead from the shop to the main menu")
            self.click(on_button(QUIT_BUTTON))
        finally:
            status, output = self.finish(game, timeout=60)
        self.assertEqual(status, 0, output)
        self.assertNotIn("Error loading", self.log_text())
        with open(os.path.join(self.home, ".Moravane", "config.cfg")) as settings:
            self.assertIn("sfx_volume = 0.0", [line.strip() for line in settings])
        with open(os.path.join(self.home, ".Moravane", "users.dat"), "rb") as players:
            saved = players.read()
        # The first power-up and the bought one, paid from the starting 20 tokens with 10 left.
        self.assertIn(b"remove_col:0;remove_row:0", saved)
        self.assertIn(struct.pack("<I", 6) + b"tokens" + struct.pack("<I", 2) + b"10", saved)


if __name__ == "__main__":
    GAME, REPOSITORY = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1])
