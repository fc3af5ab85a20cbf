#!/usr/bin/env python3
"""The data tree as the play command assembles it: the committed files plus what tools/make_data.py makes.

Usage: data_tree_test.py REPOSITORY
"""

import glob
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

REPOSITORY = None
# Attributes of screen, style and effect elements that name a data file, and the folder the name is taken in.
FILE_ATTRIBUTES = {"style": "", "texture": "", "default": "", "active": "", "pressed": "", "disabled": "",
                   "shadow": "", "filename": "", "font": "data/fonts/"}
# Elements whose "text" is a message key; a missing key would show as the key itself.
LOCALISED_TEXT = ("text", "button", "textbox")
# Handler code that names a screen file or a message key.
SCREEN_CALL = re.compile(r"gui_load(?:_nc)?\('([^']*)'\)")
MESSAGE_CALL = re.compile(r"localize\('([^']*)'\)")
# Handler code that plays a sample (named in the sample folder) or a music file (named from the run folder).
SOUND_CALL = re.compile(r"sound_play(?:_v)?\('([^']*)'")
MUSIC_CALL = re.compile(r"music_play(?:_nl)?\('([^']*)'\)")
# The power-ups the board acts on, with the option each reads from every level ("" for none).
POWERUP_OPTIONS = {"remove_row": "halfwidth", "remove_col": "halfwidth", "remove_block": "halfwidth",
                   "remove_color": "", "recolor": "halfwidth", "reshuffle": "halfwidth", "rnd_bombs": "count",
                   "remove_rb": "count"}
SOUND_SIZE_LIMIT = 16 * 1024
# A sample that handler code names: quoted, without a folder (a music file is named from the run folder).
SAMPLE_NAME = re.compile(r"'([\w.-]+\.ogg)'")
# The animations the game's code selects on its balls, by the file that selects each, and which balls'
# sprites must have it: all of them, all but the tokens (no removal takes a token and a click collects it,
# so none is ever lit or hovered), or the block ball that the bombs drop.
BALL_ANIMATIONS = [("ball.cpp", "default", "all"), ("ball.cpp", "over", "not tokens"),
                   ("ball.cpp", "mouse_over", "not tokens"), ("board_win.cpp", "random", "all"),
                   ("board_win.cpp", "lightwave", "all"), ("board_waves.cpp", "inserting", "remove_block")]
# A plain ball's sprite: "ball0" is colour 1, and so on. The rainbow ball takes any of those colours and
# shows it in every look, named "<look>_<colour>"; with no colour it keeps the plain names.
PLAIN_BALL = re.compile(r"ball\d+")
# Where a name is selected: a call, or what a ball's CurrentLook returns.
ANIMATION_CALL = re.compile(r"(?:(?:Set|Start)Animation\(|CurrentLook\(\) const \{\s*return )([^;]*);")
# Children read as a window's own data, not made as windows (Window::Load, UniButton, PowerupButton); a
# unibutton's state looks are containers, so the windows in them are checked too.
WINDOW_OWN = dict.fromkeys(("handlers", "states", "on_create_animation", "tooltip", "disabled_tooltip"))
STATE_LOOKS = dict.fromkeys(("default", "active", "pressed", "disabled"), "container")
POWERUP_LOOKS = dict.fromkeys(("ready_effect", "not_ready_effect", "mouse_effect", "disabled", "unavailable", "levels"))
# The windows whose other children the loader makes windows of.
WINDOW_HOLDERS = {"gui": {}, "container": {}, "unibutton": STATE_LOOKS, "powerup_button": POWERUP_LOOKS,
                  "powerupbutton": POWERUP_LOOKS}
# A registration names its factory before the name: "XFactory::instance()->Register(" or "factory->Register(".
REGISTRATION = re.compile(r'(\w+Factory)\b|->Register\(\s*(?:"(\w+)"|(k\w+)\b)')
NAME_CONSTANT = re.compile(r'(k\w+)(?:\[\])? = "(\w+)"')
OWNED_FUNCTORS = re.compile(r"kFunctors\[\] = \{(.*?)\n\};", re.S)
FUNCTOR_CALL = re.compile(r"call_functor\('([^']*)'\)")
# The script's global functions, as rows {"name", {parameters}, &function}.
SCRIPT_FUNCTION = re.compile(r'\{"([\w?!]+)", \{[^}]*\}, &\w+\}')
# A call without a receiver; string literals are blanked first.
BARE_CALL = re.compile(r"(?<![\w.:$@])([a-z_]\w*[?!]?)\(")
STRING = re.compile(r"'(?:[^'\\]|\\.)*'|\"(?:[^\"\\]|\\.)*\"")
RUBY_KEYWORDS = {"if", "elsif", "unless", "while", "until", "and", "or", "not", "return", "when", "defined?",
                 "yield", "super"}
# Every setting the engine and the game read; each has its shipped value in data/defaults.cfg.
SETTINGS = {"fullscreen", "sfx_volume", "music_volume", "master_volume", "fps_limit_active", "fps_limit_inactive",
            "lod", "cheats_enabled", "timeout_time", "language", "localized_data", "fall_delay", "wow1", "wow2",
            "wow3", "highlight_threshold", "highlight2_threshold", "random_animations_period",
            "lightwave_threshold", "lightwave_period", "lightwave_step_time", "bonus_animation_length",
            "bonus_animation_emissions_count", "replater_action_period", "makebadball_action_period"}
# A setting is read by the configuration's Get, or through a function that hands its key on to it: in the
# sources one named ...Setting, in handler code config_get or a function or lambda named ...setting.
CONFIG_GET = re.compile(r"Config::instance\(\)->Get\(([^()]*(?:\([^()]*\))?[^()]*)\)")
SOURCE_SETTING_READ = re.compile(r'(?:Config::instance\(\)->Get|\b\w*Setting)\(\s*"(\w+)"')
HANDLER_SETTING_READ = re.compile(r"\b(?:config_get|\w*setting(?:\.call)?)\('(\w+)'\)")
HANDLER_CONFIG_GET = re.compile(r"\bconfig_get\(([^()]*)\)")
# The function a line of formatted C++ source belongs to, and the one a piece of handler code is in.
SOURCE_FUNCTION = re.compile(r"^\S[^\n]*?\b(\w+)\([^\n]*\{$", re.M)
HANDLER_FUNCTION = re.compile(r"\bdef (\w+)|\b(\w+) = lambda\b")
PICTURE_SIDE_LIMIT = 1022
BOARD_WIDTH = 22
BOARD_HEIGHT = 16


def source_text(name):
    with open(os.path.join(REPOSITORY, name)) as text:
        return text.read()


def engine_and_game_sources():
    names = glob.glob(os.path.join(REPOSITORY, "vantle", "**", "*.[ch]*"), recursive=True)
    names += glob.glob(os.path.join(REPOSITORY, "Seaquell", "**", "*.[ch]*"), recursive=True)
    return [source_text(name) for name in sorted(names)]


def registered_names(factory):
    """The names the engine and the game register with one factory, a name constant read in its file."""
    names = set()
    for text in engine_and_game_sources():
        constants = dict(NAME_CONSTANT.findall(text))
        last_factory = None
        for match in REGISTRATION.finditer(text):
            if match.group(1):
                last_factory = match.group(1)
            elif last_factory == factory:
                names.add(match.group(2) or constants.get(match.group(3)))
    return names - {None}


def owned_functors():
    """The functors a window or the game holds, registered from its kFunctors table."""
    return {name for text in engine_and_game_sources() for table in OWNED_FUNCTORS.findall(text)
            for name in re.findall(r'\{"(\w+)",', table)}


def window_elements(element, kind):
    """The elements the loader makes windows of below a window of the kind, through those holding windows."""
    own = WINDOW_HOLDERS.get(kind)
    if own is None:
        return
    for child in element:
        if child.tag in WINDOW_OWN:
            continue
        if child.tag in own:
            yield from window_elements(child, own[child.tag])
            continue
        yield child
        yield from window_elements(child, child.tag)


def picture_size(data):
    """Width and height from a PNG header or a JPEG's SOF0 or SOF2 frame; None for anything else."""
    if data.startswith(b"\x89PNG\r\n\x1a\n") and data[12:16] == b"IHDR":
        return struct.unpack(">II", data[16:24])
    at = 2 if data.startswith(b"\xff\xd8") else len(data)
    while at + 9 <= len(data) and data[at] == 0xff and data[at + 1] != 0xda:
        if data[at + 1] in (0xc0, 0xc2):
            height, width = struct.unpack(">HH", data[at + 5:at + 9])
            return width, height
        at += 2 + struct.unpack(">H", data[at + 2:at + 4])[0]
    return None


def plate_faults(level_map):
    """(column, row, fault) for a plate on an emitter and for a plate in a cell where no ball comes to rest.

    Balls come from the emitters, straight down, and from the balls placed at the start; they fall
    straight or diagonally down through existing cells."""
    layers = level_map.split(";") + [""] * 4
    cells, emitters, plates, placed = (layer.ljust(BOARD_WIDTH * BOARD_HEIGHT, "0") for layer in layers[:4])

    def exists(x, y):
        return 0 <= x < BOARD_WIDTH and 0 <= y < BOARD_HEIGHT and cells[x + y * BOARD_WIDTH] != "0"

    reached = {(x, y) for y in range(BOARD_HEIGHT) for x in range(BOARD_WIDTH)
               if exists(x, y) and placed[x + y * BOARD_WIDTH] != "0"}
    front = list(reached) + [(x, y + 1) for y in range(BOARD_HEIGHT) for x in range(BOARD_WIDTH)
                             if exists(x, y) and emitters[x + y * BOARD_WIDTH] != "0" and exists(x, y + 1)]
    while front:
        x, y = front.pop()
        reached.add((x, y))
        front += [(x + dx, y + 1) for dx in (-1, 0, 1) if exists(x + dx, y + 1) and (x + dx, y + 1) not in reached]
    faults = []
    for y in range(BOARD_HEIGHT):
        for x in range(BOARD_WIDTH):
            at = x + y * BOARD_WIDTH
            if not exists(x, y) or plates[at] == "0":
                continue
            if emitters[at] != "0":
                faults.append((x, y, "plate on an emitter"))
            elif (x, y) not in reached:
                faults.append((x, y, "plate where no ball comes to rest"))
    return faults


class DataTreeTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.run_folder = tempfile.mkdtemp(prefix="moravane_tree_")
        shutil.copytree(os.path.join(REPOSITORY, "data"), os.path.join(cls.run_folder, "data"))
        subprocess.run([sys.executable, os.path.join(REPOSITORY, "tools", "make_data.py"), cls.run_folder],
                       check=True, stdout=subprocess.DEVNULL)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.run_folder, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.run_folder, name)

    def files(self, pattern):
        return sorted(glob.glob(self.path(pattern), recursive=True))

    def screens(self):
        return [name for name in self.files("data/gui/**/*.xml") if os.sep + "styles" + os.sep not in name]

    def assertFound(self, name):
        self.assertTrue(os.path.isfile(self.path(name)), name)

    def handler_codes(self, name):
        return [handler.get("code", "") for handler in ElementTree.parse(name).getroot().iter("handler")]

    def test_every_xml_file_parses_and_every_screen_is_a_gui(self):
        for name in self.files("data/**/*.xml"):
            with self.subTest(name):
                root = ElementTree.parse(name).getroot()
                if os.sep + "gui" + os.sep in name and os.sep + "styles" + os.sep not in name:
                    self.assertEqual(root.tag, "gui")

    def test_every_file_a_screen_a_style_an_effect_or_a_handler_names_exists(self):
        for name in (self.files("data/gui/**/*.xml") + self.files("data/tilemaps/*.xml") +
                     self.files("data/effects/**/*.xml")):
            named = [folder + element.get(attribute) for element in ElementTree.parse(name).getroot().iter()
                     for attribute, folder in FILE_ATTRIBUTES.items() if element.get(attribute) is not None]
            for code in self.handler_codes(name):
                named += (SCREEN_CALL.findall(code) + MUSIC_CALL.findall(code) +
                          ["data/sfx/" + sample for sample in SOUND_CALL.findall(code)])
            for file in named:
                with self.subTest(file=name, named=file):
                    self.assertFound(file)

    def message_keys(self):
        table = ElementTree.parse(self.path("data/i18n/en.xml")).getroot()
        return {message.get("key") for message in table.iter("msg")}

    def test_every_message_key_a_screen_names_is_in_the_table(self):
        keys = self.message_keys()
        for name in self.files("data/gui/**/*.xml"):
            root = ElementTree.parse(name).getroot()
            named = [element.get("text") for element in root.iter() if element.tag in LOCALISED_TEXT]
            named += [key for code in self.handler_codes(name) for key in MESSAGE_CALL.findall(code)]
            for key in filter(None, named):
                with self.subTest(file=name, key=key):
                    self.assertTrue(key in keys, key)

    def test_every_entry_of_every_preload_list_exists_and_no_list_holds_a_carriage_return(self):
        lists = self.files("data/preload_*")
        self.assertEqual(len(lists), 10)
        for name in lists:
            with open(name, "rb") as list_file:
                data = list_file.read()
            with self.subTest(name):
                self.assertNotIn(b"\r", data)
                for entry in data.decode().split("\n"):
                    self.assertFound(entry)

    def test_every_committed_sound_is_a_small_ogg_file(self):
        sounds = self.files("data/sfx/*.ogg") + self.files("data/music/*.ogg")
        self.assertTrue(sounds)
        for name in sounds:
            with open(name, "rb") as sound:
                data = sound.read()
            with self.subTest(name):
                self.assertTrue(data.startswith(b"OggS"))
                self.assertLess(len(data), SOUND_SIZE_LIMIT)

    def test_every_sound_is_played_by_an_effect_or_a_handler_and_every_sound_played_exists(self):
        played = set()
        for name in self.files("data/**/*.xml"):
            root = ElementTree.parse(name).getroot()
            samples = [sound.get("sample") for sound in root.iter("sound") if sound.get("sample")]
            samples += [sample for code in self.handler_codes(name) for sample in SAMPLE_NAME.findall(code)]
            for sample in samples:
                with self.subTest(file=name, sample=sample):
                    self.assertFound("data/sfx/" + sample)
            played.update(samples)
        sounds = self.files("data/sfx/*.ogg")
        self.assertTrue(sounds)
        for name in sounds:
            with self.subTest(file=name):
                self.assertIn(os.path.basename(name), played, "no effect file or screen handler plays it")

    def test_every_animation_the_game_selects_on_a_ball_is_in_the_sprites_of_the_balls_it_is_selected_on(self):
        sources = {name: source_text(os.path.join("Seaquell", name)) for name in
                   ("ball_factory.cpp", "board_fall.cpp", "ball.cpp", "board_win.cpp", "board_waves.cpp")}
        tokens = set(re.findall(r'"data/sprites/(\w+)\.xml"', sources["board_fall.cpp"]))
        balls = set(re.findall(r'"data/sprites/(\w+)\.xml"', sources["ball_factory.cpp"])) | tokens
        self.assertLessEqual({"ball0", "ball7", "remove_color", "remove_block", "token10"}, balls)
        on = {"all": balls, "not tokens": balls - tokens, "remove_block": {"remove_block"}}
        colors = range(1, 1 + len([ball for ball in balls if PLAIN_BALL.fullmatch(ball)]))
        for source, animation, kind in BALL_ANIMATIONS:
            with self.subTest(file="Seaquell/" + source, animation=animation):
                self.assertIn('"%s"' % animation, sources[source])
            for sprite in sorted(on[kind]):
                name = "data/sprites/%s.xml" % sprite
                root = ElementTree.parse(self.path(name)).getroot()
                names = {element.get("name") for element in root.iter("animation")}
                looks = [animation]
                if sprite == "remove_color":
                    looks += ["%s_%d" % (animation, color) for color in colors]
                for look in looks:
                    with self.subTest(file=name, animation=look):
                        self.assertIn(look, names)
        listed = {animation for _, animation, _ in BALL_ANIMATIONS}
        for source in sorted(glob.glob(os.path.join(REPOSITORY, "Seaquell", "*.cpp"))):
            for animation in re.findall(r'"(\w+)"', "".join(ANIMATION_CALL.findall(source_text(source)))):
                with self.subTest(file=source, animation=animation):
                    self.assertIn(animation, listed, "selected on a ball, but BALL_ANIMATIONS does not say where")

    def test_every_setting_the_code_reads_is_listed_and_has_its_value_in_the_defaults(self):
        with open(self.path("data/defaults.cfg")) as defaults:
            shipped = {line.split("=")[0].strip() for line in defaults
                       if "=" in line and not line.lstrip().startswith("#")}
        read = set()
        for name in sorted(glob.glob(os.path.join(REPOSITORY, "vantle", "**", "*.[ch]*"), recursive=True) +
                           glob.glob(os.path.join(REPOSITORY, "Seaquell", "*.[ch]*"))):
            text = source_text(name)
            read.update(SOURCE_SETTING_READ.findall(text))
            functions = list(SOURCE_FUNCTION.finditer(text))
            for get in CONFIG_GET.finditer(text):
                if get.group(1).startswith('"'):
                    continue
                inside = [f.group(1) for f in functions if f.start() < get.start()][-1:]
                with self.subTest(file=name, read=get.group(0)):
                    self.assertTrue(inside and (inside[0].endswith("Setting") or inside[0] == "config_get"),
                                    "reads a setting by a name this check cannot follow")
        for name in self.screens():
            for code in self.handler_codes(name):
                read.update(HANDLER_SETTING_READ.findall(code))
                for get in HANDLER_CONFIG_GET.finditer(code):
                    if get.group(1).startswith("'"):
                        continue
                    inside = [f.group(1) or f.group(2) for f in HANDLER_FUNCTION.finditer(code[:get.start()])][-1:]
                    with self.subTest(file=name, read=get.group(0)):
                        self.assertTrue(inside and inside[0].endswith("setting"),
                                        "reads a setting by a name this check cannot follow")
        self.assertLessEqual({"fall_delay", "highlight2_threshold", "replater_action_period", "master_volume"},
                             read)
        for key in sorted(read):
            with self.subTest(read=key):
                self.assertIn(key, SETTINGS, "read by the code, but SETTINGS does not list it")
        for key in sorted(SETTINGS):
            with self.subTest(setting=key):
                self.assertIn(key, read, "listed, but nothing reads it")
                self.assertIn(key, shipped, "no value in data/defaults.cfg")

    def test_the_power_up_table_prices_and_charges_every_level_of_the_eight_power_ups(self):
        root = ElementTree.parse(self.path("data/powerups.xml")).getroot()
        powerups = {powerup.get("name"): powerup for powerup in root.iter("powerup")}
        self.assertEqual(set(powerups), set(POWERUP_OPTIONS))
        for name, option in POWERUP_OPTIONS.items():
            for index, level in enumerate(powerups[name].findall("level")):
                with self.subTest(powerup=name, level=index):
                    self.assertGreater(int(level.get("price")), 0)
                    times = [int(step.get("time")) for step in level.find("filling_time").findall("level")]
                    self.assertTrue(times and all(time > 0 for time in times))
                    options = {o.get("name"): o.get("value") for o in level.findall("option")}
                    if option:
                        self.assertTrue(options.get(option, "").isdigit(), options)

    def test_the_board_the_map_and_the_jigsaw_find_every_file_they_name_and_the_pictures_those_name(self):
        named = set()
        for source in ("board_artwork.cpp", "ball_factory.cpp"):
            named.update(re.findall(r'"(data/(?:effects|sprites)/[a-z_0-9]+\.xml)"',
                                    source_text(os.path.join("Seaquell", source))))
        named.update("data/effects/%s%d.xml" % (kind, i) for kind in ("remove_ball", "all_ball_remove")
                     for i in range(8))
        named.update("data/sprites/ball%d.xml" % i for i in range(8))
        self.assertGreater(len(named), 60)
        named.update(["data/gfx/backgrounds/minibacks/01_01.png"] +
                     ["data/gfx/jigsaw_border_%s.png" % look for look in ("normal", "active", "start")] +
                     ["data/effects/jigsaw/%s.xml" % name for name in
                      ("place", "place_orig", "swap", "swap_result", "swap_result2", "no_way", "win")])
        levels = ElementTree.parse(self.path("data/levels.xml")).getroot()
        named.update("data/gfx/backgrounds/minibacks/%s.png" % option.get("value")
                     for option in levels.iter("option") if option.get("name") == "background")
        for name in sorted(named):
            with self.subTest(name):
                self.assertFound(name)
                if name.endswith(".xml"):
                    for element in ElementTree.parse(self.path(name)).getroot().iter():
                        if element.get("texture"):
                            self.assertFound(element.get("texture"))

    def test_every_level_map_has_its_layers_at_full_size_and_places_only_known_balls(self):
        levels = ElementTree.parse(self.path("data/levels.xml")).getroot()
        self.assertEqual([len(list(episode.iter("level"))) for episode in levels.iter("episode")], [4, 4, 4])
        for level in levels.iter("level"):
            with self.subTest(level.get("name")):
                layers = [o.get("value") for o in level.iter("option") if o.get("name") == "map"][0].split(";")
                self.assertIn(len(layers), (3, 4, 5))
                self.assertEqual({len(layer) for layer in layers}, {22 * 16})
                self.assertLessEqual(set(layers[2]), set("0123"))
                if len(layers) > 3:
                    self.assertLessEqual(set(layers[3]), set("012345678abcdefghijklmnopq"))

    def test_every_plate_of_every_level_lies_where_a_ball_comes_to_rest(self):
        levels = ElementTree.parse(self.path("data/levels.xml")).getroot()
        for level in levels.iter("level"):
            level_map = [o.get("value") for o in level.iter("option") if o.get("name") == "map"][0]
            with self.subTest(level.get("name")):
                self.assertEqual(plate_faults(level_map), [])

    def test_every_element_of_every_screen_is_a_window_the_factory_makes_or_one_its_window_reads(self):
        windows = registered_names("WindowFactory")
        self.assertLessEqual({"container", "text", "unibutton", "powerup_button", "qx_board"}, windows)
        for name in self.screens():
            root = ElementTree.parse(name).getroot()
            for element in window_elements(root, "gui"):
                with self.subTest(file=name, element=element.tag, id=element.get("id")):
                    self.assertTrue(element.tag in windows, element.tag)
            placed = [handler.tag for handlers in root.iter("handlers") for handler in handlers]
            with self.subTest(file=name, element="handler"):
                self.assertEqual(placed, ["handler"] * len(list(root.iter("handler"))))

    def test_every_functor_a_handler_calls_is_registered(self):
        functors = registered_names("FunctorFactory") | owned_functors()
        self.assertLessEqual({"set_volume", "add_user", "preload_main", "game_pause", "remove_random_blocks"},
                             functors)
        for name in self.screens():
            for code in self.handler_codes(name):
                for functor in FUNCTOR_CALL.findall(code):
                    with self.subTest(file=name, functor=functor):
                        self.assertTrue(functor in functors, functor)

    def test_every_function_a_handler_calls_without_a_receiver_is_a_script_global_or_defined_on_its_screen(self):
        functions = set()
        for source in ("vantle/script/ruby/global_functions.cpp", "vantle/gui/script_functions.cpp"):
            functions.update(SCRIPT_FUNCTION.findall(source_text(source)))
        self.assertLessEqual({"log", "gui_load", "call_functor", "localize"}, functions)
        for name in self.screens():
            codes = [STRING.sub("''", code) for code in self.handler_codes(name)]
            defined = set(re.findall(r"\bdef ([a-z_]\w*[?!]?)", "\n".join(codes)))
            for called in sorted({called for code in codes for called in BARE_CALL.findall(code)}):
                with self.subTest(file=name, function=called):
                    self.assertTrue(called in functions | defined | RUBY_KEYWORDS, called)

    def test_every_font_draws_every_printable_ascii_character(self):
        for name in self.files("data/fonts/*.xml"):
            chars = {int(char.get("id")) for char in ElementTree.parse(name).getroot().iter("char")}
            with self.subTest(name):
                self.assertEqual([chr(code) for code in range(32, 127) if code not in chars], [])

    def test_every_picture_is_a_png_or_jpeg_of_at_most_1022_pixels_a_side(self):
        pictures = [name for name in self.files("data/**/*") if name.lower().endswith((".png", ".jpg", ".jpeg"))]
        self.assertGreater(len(pictures), 100)
        for name in pictures:
            with open(name, "rb") as picture:
                size = picture_size(picture.read())
            with self.subTest(name):
                self.assertIsNotNone(size)
                self.assertTrue(all(0 < side <= PICTURE_SIDE_LIMIT for side in size), size)
        # The jigsaw's fallback, cut by the game itself: whole, baseline, 8-bit, three components.
        with open(self.path("data/gfx/backgrounds/walps/04_wp_x1280b.jpg"), "rb") as picture:
            data = picture.read()
        self.assertTrue(data.endswith(b"\xff\xd9") and b"\xff\xc0\x00\x11\x08" in data)


if __name__ == "__main__":
    REPOSITORY = os.path.abspath(sys.argv[1])
    unittest.main(argv=sys.argv[:1])
