#!/usr/bin/env python3
"""scripts/assemble_run.sh in a repository of its own, whose tools/make_data.py is a quick stand-in that
counts its runs: the pictures are drawn once and again only when the generator changes, while the data
tree and the binary are copied afresh every time.

Usage: assemble_run_test.py REPOSITORY
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

REPOSITORY = None

# Draws one picture, over a committed file of the same name as the real generator may; fails half-way
# when asked to.
GENERATOR = """import os, sys
with open(os.path.join(os.path.dirname(__file__), "..", "runs"), "a") as runs:
    runs.write("drawn\\n")
folder = os.path.join(sys.argv[1], "data", "gfx")
os.makedirs(folder, exist_ok=True)
with open(os.path.join(folder, "ball.png"), "w") as out:
    out.write("drawn ball")
if os.environ.get("FAIL_DRAWING"):
    sys.exit(1)
"""


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as out:
        out.write(text)


def read(path):
    with open(path) as source:
        return source.read()


class AssembleRunTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="moravane_assemble_")
        self.repo = os.path.join(self.work, "repo")
        self.run_folder = os.path.join(self.work, "run")
        self.binary = os.path.join(self.work, "moravane")
        write(os.path.join(self.repo, "scripts", "assemble_run.sh"),
              read(os.path.join(REPOSITORY, "scripts", "assemble_run.sh")))
        write(os.path.join(self.repo, "tools", "make_data.py"), GENERATOR)
        write(os.path.join(self.repo, "data", "levels.xml"), "first levels")
        write(os.path.join(self.repo, "data", "gfx", "ball.png"), "committed ball")
        write(os.path.join(self.repo, "data", "old.xml"), "dropped later")
        write(self.binary, "first build")

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def assemble(self, **env):
        return subprocess.run(["bash", os.path.join(self.repo, "scripts", "assemble_run.sh"), self.run_folder,
                               self.binary], env=dict(os.environ, **env), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode

    def draws(self):
        runs = os.path.join(self.repo, "runs")
        return len(read(runs).splitlines()) if os.path.exists(runs) else 0

    def in_run(self, name):
        return read(os.path.join(self.run_folder, name))

    def test_pictures_are_drawn_again_only_when_the_generator_changes(self):
        self.assertEqual(self.assemble(), 0)
        self.assertEqual(self.draws(), 1)
        self.assertEqual(self.in_run("data/gfx/ball.png"), "drawn ball", "drawn files lie over committed ones")
        self.assertEqual(self.in_run("data/levels.xml"), "first levels")
        self.assertEqual(self.in_run("moravane"), "first build")

        write(os.path.join(self.repo, "data", "levels.xml"), "second levels")
        os.remove(os.path.join(self.repo, "data", "old.xml"))
        write(self.binary, "second build")
        self.assertEqual(self.assemble(), 0)
        self.assertEqual(self.draws(), 1, "the generator did not change")
        self.assertEqual(self.in_run("data/gfx/ball.png"), "drawn ball")
        self.assertEqual(self.in_run("data/levels.xml"), "second levels")
        self.assertFalse(os.path.exists(os.path.join(self.run_folder, "data", "old.xml")))
        self.assertEqual(self.in_run("moravane"), "second build")

        with open(os.path.join(self.repo, "tools", "make_data.py"), "a") as generator:
            generator.write("# a new glyph\n")
        self.assertEqual(self.assemble(), 0)
        self.assertEqual(self.draws(), 2)

    def test_a_draw_that_failed_is_done_again(self):
        self.assertNotEqual(self.assemble(FAIL_DRAWING="1"), 0)
        self.assertEqual(self.assemble(), 0)
        self.assertEqual(self.draws(), 2)
        self.assertEqual(self.in_run("data/gfx/ball.png"), "drawn ball")


if __name__ == "__main__":
    REPOSITORY = os.path.abspath(sys.argv[1])
    unittest.main(argv=sys.argv[:1])
