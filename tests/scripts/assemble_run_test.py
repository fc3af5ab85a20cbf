#!/usr/bin/env python3
"""scripts/assemble_run.sh in a repository of its own, whose tools/make_data.py is a quick stand-in that
counts its runs: the pictures are drawn once and again only when the generator changed or the last draw
failed, while the data tree and the binary are copied afresh every time.

Usage: assemble_run_test.py REPOSITORY
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

REPOSITORY = None

# Counts its runs, draws one picture over a committed one, and fails half-way when asked to.
GENERATOR = """import os, sys
open(os.path.join(os.path.dirname(__file__), "..", "runs"), "a").write("drawn\\n")
os.makedirs(os.path.join(sys.argv[1], "data", "gfx"), exist_ok=True)
open(os.path.join(sys.argv[1], "data", "gfx", "ball.png"), "w").write("drawn ball")
sys.exit(1 if os.environ.get("FAIL_DRAWING") else 0)
"""


class AssembleRunTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="moravane_assemble_")
        self.addCleanup(shutil.rmtree, self.work, True)
        os.makedirs(self.path("repo/scripts"))
        shutil.copy(os.path.join(REPOSITORY, "scripts", "assemble_run.sh"), self.path("repo/scripts"))
        self.write("repo/tools/make_data.py", GENERATOR)
        self.write("repo/data/levels.xml", "first levels")
        self.write("repo/data/gfx/ball.png", "committed ball")
        self.write("repo/data/old.xml", "dropped later")
        self.write("moravane", "first build")

    def path(self, name):
        return os.path.join(self.work, name)

    def write(self, name, text, mode="w"):
        os.makedirs(os.path.dirname(self.path(name)), exist_ok=True)
        with open(self.path(name), mode) as out:
            out.write(text)

    def read(self, name):
        with open(self.path(name)) as source:
            return source.read()

    def assemble(self, **env):
        return subprocess.run(["bash", self.path("repo/scripts/assemble_run.sh"), self.path("run"),
                               self.path("moravane")], env=dict(os.environ, **env), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode

    def draws(self):
        return len(self.read("repo/runs").splitlines()) if os.path.exists(self.path("repo/runs")) else 0

    def test_pictures_are_drawn_again_only_when_the_generator_changes(self):
        self.assertEqual(self.assemble(), 0)
        self.assertEqual((self.draws(), self.read("run/data/gfx/ball.png"), self.read("run/moravane")),
                         (1, "drawn ball", "first build"))

        self.write("repo/data/levels.xml", "second levels")
        os.remove(self.path("repo/data/old.xml"))
        self.write("moravane", "second build")
        self.assertEqual(self.assemble(), 0)
        self.assertEqual((self.draws(), self.read("run/data/gfx/ball.png"), self.read("run/data/levels.xml"),
                          self.read("run/moravane")), (1, "drawn ball", "second levels", "second build"))
        self.assertFalse(os.path.exists(self.path("run/data/old.xml")))

        self.write("repo/tools/make_data.py", "# a new glyph\n", "a")
        self.assertEqual(self.assemble(), 0)
        self.assertEqual(self.draws(), 2)

    def test_a_draw_that_failed_is_done_again(self):
        self.assertNotEqual(self.assemble(FAIL_DRAWING="1"), 0)
        self.assertEqual(self.assemble(), 0)
        self.assertEqual((self.draws(), self.read("run/data/gfx/ball.png")), (2, "drawn ball"))


if __name__ == "__main__":
    REPOSITORY = os.path.abspath(sys.argv[1])
    unittest.main(argv=sys.argv[:1])
