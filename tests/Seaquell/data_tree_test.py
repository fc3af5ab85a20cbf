#!/usr/bin/env python3
"""The data tree as the play command assembles it: the committed files plus what tools/make_data.py makes.

Usage: data_tree_test.py REPOSITORY
"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

REPOSITORY = None
# Attributes of screen and style elements that name a data file, and the folder the name is taken in.
FILE_ATTRIBUTES = {"style": "", "texture": "", "default": "", "active": "", "pressed": "", "disabled": "",
                   "shadow": "", "font": "data/fonts/"}
# Elements whose "text" is a message key; a missing key would show as the key itself.
LOCALISED_TEXT = ("text", "button", "textbox")
# Handler code that names a screen file or a message key.
SCREEN_CALL = re.compile(r"gui_load(?:_nc)?\('([^']*)'\)")
MESSAGE_CALL = re.compile(r"localize\('([^']*)'\)")


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

    def test_every_xml_file_parses_and_every_screen_is_a_gui(self):
        for name in self.files("data/**/*.xml"):
            with self.subTest(name):
                root = ElementTree.parse(name).getroot()
                if os.sep + "gui" + os.sep in name and os.sep + "styles" + os.sep not in name:
                    self.assertEqual(root.tag, "gui")

    def test_every_file_a_screen_or_a_style_names_exists(self):
        for name in self.files("data/gui/**/*.xml") + self.files("data/tilemaps/*.xml"):
            for element in ElementTree.parse(name).getroot().iter():
                for attribute, folder in FILE_ATTRIBUTES.items():
                    value = element.get(attribute)
                    if value is None:
                        continue
                    with self.subTest(file=name, element=element.tag, attribute=attribute):
                        self.assertTrue(os.path.isfile(self.path(folder + value)), value)

    def message_keys(self):
        table = ElementTree.parse(self.path("data/i18n/en.xml")).getroot()
        return {message.get("key") for message in table.iter("msg")}

    def test_every_message_key_a_screen_names_is_in_the_table(self):
        keys = self.message_keys()
        for name in self.files("data/gui/**/*.xml"):
            root = ElementTree.parse(name).getroot()
            named = [element.get("text") for element in root.iter() if element.tag in LOCALISED_TEXT]
            for handler in root.iter("handler"):
                named += MESSAGE_CALL.findall(handler.get("code", ""))
            for key in filter(None, named):
                with self.subTest(file=name, key=key):
                    self.assertTrue(key in keys, key)

    def test_every_screen_a_handler_loads_exists(self):
        for name in self.files("data/gui/**/*.xml"):
            for handler in ElementTree.parse(name).getroot().iter("handler"):
                for screen in SCREEN_CALL.findall(handler.get("code", "")):
                    with self.subTest(file=name, screen=screen):
                        self.assertTrue(os.path.isfile(self.path(screen)), screen)

    def test_every_entry_of_every_preload_list_exists_and_no_list_holds_a_carriage_return(self):
        lists = self.files("data/preload_*")
        self.assertEqual(len(lists), 10)
        for name in lists:
            with open(name, "rb") as list_file:
                data = list_file.read()
            with self.subTest(name):
                self.assertNotIn(b"\r", data)
                for entry in data.decode().split("\n"):
                    self.assertTrue(os.path.isfile(self.path(entry)), repr(entry))


if __name__ == "__main__":
    REPOSITORY = os.path.abspath(sys.argv[1])
    unittest.main(argv=sys.argv[:1])
