#!/usr/bin/env python3
"""Fails when a source of the engine or the game includes a header from a layer above its own.

Usage: check_layers.py [ROOT]   (ROOT defaults to the repository holding this script)

Every folder under vantle/ and Seaquell/ belongs to exactly one layer; a few files belong to a layer other
than their folder's. A file may include headers of its own layer and of the layers below it. A file in a
folder the table does not know fails too, so a new folder gets its place here (and its target in the
CMake lists) before it gets code.
"""

import os
import re
import sys

# name: (what it holds, the layers directly below it). What a layer may include is itself and everything
# reachable downwards from it.
LAYERS = {
    "base": ("core, threading, math, io, xml, i18n and the plain utilities", []),
    "facades": ("platform, input and audio facades, timers", ["base"]),
    "render": ("rendering without its back end", ["facades"]),
    "effects": ("effects and sprites", ["render"]),
    "backends": ("SDL and OpenGL back ends", ["effects"]),
    "script": ("script engine interface", ["base"]),
    "game": ("game framework", ["effects", "script"]),
    "gui": ("GUI framework", ["game"]),
    "widgets": ("GUI widgets", ["gui"]),
    # The global script functions and script classes drive the GUI and the game framework.
    "script_ruby": ("Ruby script back end", ["gui"]),
    "seaquell": ("the game", ["widgets"]),
    # Start-up installs every back end.
    "application": ("application and start-up", ["seaquell", "backends", "script_ruby"]),
}

# Folders (exactly, not their subfolders) and single files (path without extension) with their layer.
PLACES = {
    "vantle/core": "base",
    "vantle/threading": "base",
    "vantle/math": "base",
    "vantle/io": "base",
    "vantle/xml": "base",
    "vantle/i18n": "base",
    "vantle/utils": "base",
    "vantle/platform": "facades",
    "vantle/input": "facades",
    "vantle/audio": "facades",
    "vantle/utils/timer": "facades",
    "vantle/utils/sheduler": "facades",
    "vantle/utils/fps_manager": "facades",
    "vantle/render": "render",
    "vantle/utils/tilemap": "render",
    "vantle/effects": "effects",
    "vantle/effects/effects": "effects",
    "vantle/game/sprite": "effects",
    "vantle/platform/sdl": "backends",
    "vantle/input/sdl": "backends",
    "vantle/audio/sdl": "backends",
    "vantle/render/ogl": "backends",
    "vantle/script": "script",
    "vantle/game": "game",
    "vantle/gui": "gui",
    "vantle/gui/widgets": "widgets",
    "vantle/gui/widgets/dev": "widgets",
    "vantle/script/ruby": "script_ruby",
    "Seaquell": "seaquell",
    "Seaquell/zeph": "application",
    "Seaquell/main": "application",
}

SCANNED = ("vantle", "Seaquell")
SOURCE_SUFFIXES = (".h", ".hpp", ".inl", ".cpp", ".cc")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]((?:vantle|Seaquell)/[^">]+)[">]')


def reachable(layer):
    """The layer and every layer below it."""
    seen = set()
    pending = [layer]
    while pending:
        current = pending.pop()
        if current not in seen:
            seen.add(current)
            pending.extend(LAYERS[current][1])
    return seen


def layer_of(path):
    """The layer of a repository-relative path with forward slashes, or None."""
    stem = os.path.splitext(path)[0]
    if stem in PLACES:
        return PLACES[stem]
    return PLACES.get(os.path.dirname(path))


def describe(layer):
    return f"{layer} ({LAYERS[layer][0]})"


def sources(root):
    for top in SCANNED:
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def check_file(root, path):
    """Problems of one file, each a line naming the file."""
    own = layer_of(path)
    if own is None:
        return [f"{path}: its folder has no layer; add it to scripts/check_layers.py and the CMake lists"]
    allowed = reachable(own)
    problems = []
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            included = match.group(1)
            target = layer_of(included)
            if target is None:
                problems.append(f'{path}:{number}: includes "{included}", which lies in no layer')
            elif target not in allowed:
                problems.append(f'{path}:{number}: includes "{included}": {describe(own)} climbs to '
                                f'{describe(target)}')
    return problems


def main(argv):
    root = argv[1] if len(argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    problems = []
    for path in sources(root):
        problems.extend(check_file(root, path))
    for problem in problems:
        print(problem)
    if problems:
        print(f"layers broken: {len(problems)} problem(s)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
