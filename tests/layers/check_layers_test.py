#!/usr/bin/env python3
"""Runs the layer check on tiny trees of one file with one include.

Usage: check_layers_test.py PATH_TO_check_layers.py
"""

import os
import subprocess
import sys
import tempfile
import unittest

CHECK = None

# (file, the header it includes, whether the check lets it pass)
CASES = [
    ("vantle/utils/config.cpp", "vantle/render/tile.h", False),
    ("vantle/core/log.cpp", "vantle/platform/platform.h", False),
    ("vantle/render/tile.cpp", "vantle/xml/xmlcache.h", True),
    ("vantle/utils/tilemap.h", "vantle/render/tile.h", True),
    ("vantle/utils/timer.cpp", "vantle/platform/platform.h", True),
    ("vantle/render/font_bmf.cpp", "vantle/effects/effect.h", False),
    ("vantle/effects/effects/sprite_effect.cpp", "vantle/game/sprite.h", True),
    ("vantle/game/sprite.cpp", "vantle/effects/effect.h", True),
    ("vantle/effects/effect.cpp", "vantle/game/levels.h", False),
    ("vantle/render/render.cpp", "vantle/render/ogl/render_ogl.h", False),
    ("vantle/platform/sdl/platform_sdl.cpp", "vantle/render/ogl/render_ogl.h", True),
    ("vantle/script/engine.cpp", "vantle/game/users.h", False),
    ("vantle/script/ruby/functions.cpp", "vantle/gui/root_window.h", True),
    ("vantle/script/ruby/engine_ruby.cpp", "vantle/platform/sdl/platform_sdl.h", False),
    ("vantle/gui/window.cpp", "vantle/gui/widgets/button.h", False),
    ("vantle/gui/widgets/dev/board_edit.cpp", "vantle/game/board.h", True),
    ("vantle/gui/window.cpp", "Seaquell/game.h", False),
    ("Seaquell/board.cpp", "vantle/gui/widgets/clickable.h", True),
    ("Seaquell/board.cpp", "vantle/audio/sdl/device_sdl.h", False),
    ("Seaquell/zeph.cpp", "vantle/audio/sdl/device_sdl.h", True),
    ("Seaquell/zeph.cpp", "vantle/script/ruby/engine_ruby.h", True),
    ("vantle/newmodule/thing.cpp", "vantle/core/log.h", False),
    ("vantle/core/log.cpp", "vantle/newmodule/thing.h", False),
]


def run_check(path, include):
    with tempfile.TemporaryDirectory() as root:
        os.makedirs(os.path.join(root, os.path.dirname(path)))
        with open(os.path.join(root, path), "w", encoding="utf-8") as source:
            source.write(f'#pragma once\n\n#include <vector>\n\n#include "{include}"\n')
        return subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)


class LayerCheck(unittest.TestCase):
    def test_passes_includes_of_the_own_layer_and_below_and_names_each_one_that_climbs(self):
        for path, include, passes in CASES:
            with self.subTest(file=path, include=include):
                result = run_check(path, include)
                self.assertEqual(result.returncode, 0 if passes else 1, result.stdout)
                if not passes:
                    self.assertIn(path, result.stdout)
                if not passes and not path.startswith("vantle/newmodule"):
                    self.assertIn(f'{path}:5: includes "{include}"', result.stdout)

    def test_ignores_includes_outside_the_engine_and_the_game(self):
        result = run_check("vantle/core/log.cpp", "tests/support/capture_log.h")
        self.assertEqual(result.returncode, 0, result.stdout)


if __name__ == "__main__":
    CHECK = sys.argv.pop(1)
    unittest.main()
