#!/usr/bin/env python3
"""Writes the seed corpora (corpus/<target>/) and the reproducers of mended faults (repro/<target>/) of
the fuzz targets beside this script, overwriting its own files and leaving others (inputs that fuzzing
found) alone. Standard library only; run it again after changing it and commit what it writes."""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def word(value):
    return struct.pack("<I", value & 0xFFFFFFFF)


def text_record(text):
    data = text.encode("latin-1") if isinstance(text, str) else text
    return word(len(data)) + data


def write(folder, target, name, data):
    path = os.path.join(HERE, folder, target, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data.encode("latin-1") if isinstance(data, str) else data)


# Pictures -------------------------------------------------------------------------------------------


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, color_type, rows, extra=b"", depth=8):
    """rows: the filtered scan lines (each starts with its filter byte)."""
    header = struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + extra +
            png_chunk(b"IDAT", zlib.compress(rows)) + png_chunk(b"IEND", b""))


def rgba_png(width, height):
    rows = b""
    for y in range(height):
        rows += b"\x00" + bytes(v for x in range(width) for v in (x * 40 % 256, y * 60 % 256, 100, 255 - x * 10))
    return png(width, height, 6, rows)


def jpeg(width, height, blocks):
    """A grey baseline JPEG whose blocks are all mid grey: one-code Huffman tables, two bits a block."""
    segment = lambda marker, body: b"\xff" + bytes([marker]) + struct.pack(">H", len(body) + 2) + body
    jfif = segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    tables = segment(0xDB, b"\x00" + b"\x01" * 64)
    frame = segment(0xC0, struct.pack(">BHHB", 8, height, width, 1) + b"\x01\x11\x00")
    one_code = b"\x01" + b"\x00" * 15 + b"\x00"
    huffman = segment(0xC4, b"\x00" + one_code) + segment(0xC4, b"\x10" + one_code)
    scan = segment(0xDA, b"\x01\x01\x00\x00\x3f\x00")
    bits = "00" * blocks
    bits += "1" * (-len(bits) % 8)
    data = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
    return b"\xff\xd8" + jfif + tables + frame + huffman + scan + data + b"\xff\xd9"


def bitmaps():
    write("corpus", "bitmap", "rgba_3x2.png", rgba_png(3, 2))
    write("corpus", "bitmap", "rgb_2x2.png", png(2, 2, 2, b"\x00" + b"\xff\x00\x00\x00\xff\x00" +
                                                  b"\x01" + b"\x00\x00\xff\x10\x10\x10"))
    write("corpus", "bitmap", "grey_4x1.png", png(4, 1, 0, b"\x00\x00\x40\x80\xff"))
    write("corpus", "bitmap", "palette_with_transparency.png",
          png(2, 1, 3, b"\x00\x01\x00", png_chunk(b"PLTE", b"\xff\x00\x00\x00\x00\xff") +
              png_chunk(b"tRNS", b"\x80\xff")))
    write("corpus", "bitmap", "grey_alpha_16bit.png", png(1, 1, 4, b"\x00\x12\x34\xff\xff", depth=16))
    write("corpus", "bitmap", "grey_8x8.jpg", jpeg(8, 8, 1))
    write("corpus", "bitmap", "grey_16x8.jpg", jpeg(16, 8, 2))

    # Headers asking for 16,000 pixels on a side and more: about 3 GB for the JPEG with our own copies,
    # 2 GB for the PNG before its missing rows are noticed.
    write("repro", "bitmap", "huge_jpeg_header.jpg", jpeg(16000, 16000, 1))
    write("repro", "bitmap", "huge_png_header.png", png(16000, 33000, 6, b"\x00" * 64))
    # A side just over the limit, and the largest size a JPEG header can state.
    write("repro", "bitmap", "png_4097_wide.png", png(4097, 1, 0, b"\x00" * 4098))
    write("repro", "bitmap", "jpeg_largest_header.jpg", jpeg(65535, 65535, 1))
    # A transparency chunk claiming 2 MB in a 78-byte file.
    start = b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 2, 0, 0, 0))
    claim = struct.pack(">I", 2000000) + b"tRNS"
    write("repro", "bitmap", "trns_past_end.png", start + claim + b"\x00" * (78 - len(start) - len(claim)))
    # Every chunk whole, but no end chunk: the decoder read the transparency chunk again and again.
    write("repro", "bitmap", "no_end_chunk.png",
          b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 1, 8, 3, 0, 0, 0)) +
          png_chunk(b"PLTE", b"\xff\x00\x00\x00\x00\xff") + png_chunk(b"tRNS", b"\x80\xff"))


# Archives and records -------------------------------------------------------------------------------


def archive(entries, count=None):
    table, data = b"", b""
    for name, body in entries:
        table += text_record(name) + word(len(data)) + word(len(body))
        data += body
    return word(len(entries) if count is None else count) + table + data


def archives():
    write("corpus", "pak", "empty.pak", archive([]))
    write("corpus", "pak", "one_entry.pak", archive([("data/a.xml", b"<a/>")]))
    write("corpus", "pak", "two_entries.pak", archive([("a", b"xyz"), ("bc", b"hello")]))
    write("corpus", "pak", "same_name_twice.pak", archive([("x", b"first"), ("x", b"second"), ("e", b"")]))
    write("corpus", "pak", "named_like_the_archive.pak", archive([("data.pak", b"inner"), ("b", b"b")]))
    write("corpus", "pak", "count_beyond_table.pak", archive([("a", b"xyz")], count=5))
    write("corpus", "pak", "entry_beyond_end.pak", word(1) + text_record("far") + word(100) + word(10) + b"x")


INT, UINT, FLOAT, CHAR, STRING, AT_END = range(6)


def reader_input(kinds, record):
    return bytes([len(kinds)] + kinds) + record


def readers():
    write("corpus", "reader", "every_kind.bin",
          reader_input([INT, UINT, FLOAT, CHAR, STRING, AT_END],
                       word(-5) + word(7) + struct.pack("<f", 1.5) + b"c" + text_record("hello")))
    write("corpus", "reader", "string_cut_short.bin", reader_input([STRING, AT_END], word(50) + b"abc"))
    write("corpus", "reader", "string_with_zero.bin", reader_input([STRING, INT], text_record(b"ab\x00cd") + word(9)))
    write("corpus", "reader", "words_past_end.bin", reader_input([UINT, UINT, FLOAT, CHAR, AT_END], b"\x01\x02"))
    write("corpus", "reader", "nothing.bin", reader_input([], b""))


def options():
    write("corpus", "options", "two.bin", word(2) + text_record("a") + text_record("1") +
          text_record("name") + text_record("value"))
    write("corpus", "options", "markup_in_text.bin", word(1) + text_record('<&>"\'') + text_record("a&b<c>\"d\""))
    write("corpus", "options", "count_too_large.bin", word(1000) + text_record("a") + text_record("1"))
    write("corpus", "options", "ends_inside_entry.bin", word(2) + text_record("a"))
    write("corpus", "options", "empty.bin", word(0))
    write("corpus", "options", "bytes_and_controls.bin", word(1) + text_record("\t\r\n key ") +
          text_record("\xe9\xff\x01 value  "))

    write("corpus", "options_xml", "level.xml",
          '<level><option name="a" value="1"/><option name="a" value="2"/><option name="b"/>'
          '<other name="c" value="3"/><option name="empty" value=""/></level>')
    write("corpus", "options_xml", "escaped.xml",
          "<?xml version='1.0'?>\n<options>\n<option name=\"&lt;n&gt;\" value=\"&amp;&quot;&apos;&#65;\"/>\n"
          "<option name='sp ace' value='  two  spaces  '/>\n</options>\n")
    write("corpus", "options_xml", "nested.xml",
          "<player><options><option name='x' value='y'/></options><option name='z' value='\xe9'/></player>")


def config():
    write("corpus", "config", "defaults_user_setting.cfg",
          "sfx_volume = 1\r\nlanguage = en\r\n# comment\r\n\0language = de\r\nfullscreen = 0\r\n\0language\0fr")
    write("corpus", "config", "quoted_values.cfg",
          'name = "  spaced  "\n\0name = "\n\0quote\0"leading quote')
    write("corpus", "config", "refused_setting.cfg", "a = 1\n\0\0key=with=equals\0value")
    write("corpus", "config", "blank_and_indented.cfg", "  \t indented = yes \r\n=no key\n#x = 1\n\0\0 lead\0\tx\r\n")
    write("corpus", "config", "value_with_zero.cfg", "a = 1\0a = 2\0a\0x\0y")


def localisation():
    write("corpus", "mtable", "en.xml",
          '<?xml version="1.0"?>\r\n<localization>\r\n<messages><m key="a" msg="A"/><m key="b" msg="&amp;"/>'
          '<m key="title" msg="  The title  "/></messages><fonts><f key="f" name="x.xml"/></fonts>'
          '<textures><t key="t" name="y.png"/></textures><!-- note --></localization>\r\n')
    write("corpus", "mtable", "partial_entries.xml",
          "<localization><messages><m key='a'/><m msg='no key'/><m key='a' msg='1'/><m key='a' msg='2'/>"
          "</messages><other/><fonts/></localization>")
    write("corpus", "mtable", "wrong_root.xml", "<messages><m key='a' msg='A'/></messages>")
    write("corpus", "mtable", "broken.xml", "<localization><messages><m key='a' msg='A'></localization>")

    # A UTF-8 document ending inside a character: the parser stepped over the end of the text.
    write("repro", "mtable", "ends_inside_a_character.xml",
          '<?xml version="1.0"?><localization><messages>\xf3')


# Drawn data: the fuzz world serves t.png, font.xml, bird.xml and pop.wav beside the input -----------


def effects():
    every_kind = """<effect>
  <effect><sound sample='pop.wav' volume='0.5'/></effect>
  <fly x='100' y='300' to_x='600' to_y='300' speed='400'>
    <image x='100' y='300' texture='t.png' w='60' h='60'/>
    <text x='100' y='300' font='font.xml' text='AB' color='ffffffff' align='center'/>
    <sprite x='100' y='300' filename='bird.xml'/>
    <sound sample='pop.wav' loop='true' volume_key='sfx'/>
    <finish_effect>
      <particle_system texture='t.png' w='6' h='6' start_color='0000ffff' end_color='0000ff40'>
        <emitter count='40'><speed min='20' max='40'/></emitter>
      </particle_system>
    </finish_effect>
  </fly>
  <affine x='400' y='100'>
    <key tm='0'><scale x='1' y='1'/><color value='00ff00'/></key>
    <key tm='1000'><scale x='2' y='1'/><angle value='90'/><move x='10' y='0'/><color value='00ff0080'/></key>
    <image x='400' y='100' texture='t.png' w='40' h='40'/>
  </affine>
  <affine loop='1'>
    <key tm='0'><scale x='1' y='1'/></key>
    <key tm='1200'><scale x='1' y='1'/></key>
    <boids x='680' y='120' count='4' filename='bird.xml' min_speed='40' max_speed='120'>
      <bound left='620' top='60' right='760' bottom='200'/>
    </boids>
  </affine>
  <random_effect x='200' y='500' count='2' cycles_count='3' period='300'>
    <running_effects>
      <particle_system texture='t.png' w='4' h='4' start_color='ff00ffff' end_color='ff00ff40'>
        <particle_emitter count='10'/>
      </particle_system>
      <image texture='t.png' w='10' h='10'/>
    </running_effects>
  </random_effect>
  <random_runner x='600' y='500' count='1' cycles_count='2' period='250'>
    <points><p x='0' y='0'/><p x='-40' y='0'/></points>
    <running_effect>
      <particle_system texture='t.png' w='4' h='4'><particle_emitter count='8'/></particle_system>
    </running_effect>
  </random_runner>
</effect>"""
    write("corpus", "effect", "every_kind.xml", every_kind)
    write("corpus", "effect", "particles.xml",
          "<effect><particle_system x='5' y='7' start_color='FF0000' end_color='0000FF80' start_size='2' "
          "end_size='0' texture='t.png'><rect left='0' top='0' right='0.5' bottom='0.5'/>"
          "<emitter particles='5' period='100' delay='10' energy_min='100' energy_max='400'>"
          "<position left='-5' top='-5' right='5' bottom='5'/><speed direction='90' spread='30' min='10' max='50'/>"
          "<acceleration x='0' y='10' radial='2' tangential_min='-1' tangential_max='1'/>"
          "<spin min='-90' max='90'/></emitter><particle_emitter period='once' count='3'/>"
          "</particle_system></effect>")
    write("corpus", "effect", "text.xml",
          "<effect><text font='font.xml' text='ABBA' size='12' color='ff0000ff' align='right'/>"
          "<text font='missing.xml'/></effect>")
    write("corpus", "effect", "fly_with_points.xml",
          "<effect><fly from_x='0' from_y='0' to_x='100' to_y='50' speed='200' disp='10' rf='1'>"
          "<spoint x='50' y='-20'/><image texture='t.png' w='4' h='4'/></fly></effect>")
    write("corpus", "effect", "loops_and_sprites.xml",
          "<effect><sprite filename='bird.xml' x='10' y='10'/><sprite filename='fuzz.xml'/>"
          "<random_effect loop='1' no_move='1' period='50'><effects><image texture='t.png'/></effects>"
          "</random_effect><affine loop='1'><key tm='0' delay='5'><pivot x='2' y='2'/></key>"
          "<key tm='100'/></affine></effect>")
    write("corpus", "effect", "broken.xml", "<effect><affine><key tm='0'></effect>")

    # Ten thousand children that all finish in the first frame.
    write("repro", "effect", "ten_thousand_finishing_children.xml", "<effect>" + "<effect/>" * 10000 + "</effect>")

    # Batches whose count is cut to 10,000 on reading still multiplied: each copy a burst of particles
    # (about 25 s and 1.3 GB), or a batch of its own (a minute and 8 GB).
    write("repro", "effect", "runner_of_particle_bursts.xml",
          "<effect><random_runner count='11111111' period='250' loop='1'>"
          "<points><p x='0' y='0'/><p x='40' y='0'/></points><running_effect><particle_system w='4' h='4'>"
          "<particle_emitter count='100' energy_min='0.05' energy_max='0.05'/></particle_system></running_effect>"
          "</random_runner></effect>")
    write("repro", "effect", "random_effect_of_random_effects.xml",
          "<effect><random_effect count='11111111'><running_effects><random_effect count='11111111'>"
          "<running_effects><effect/></running_effects></random_effect></running_effects></random_effect>"
          "</effect>")


def fonts():
    font = ("<font filename='t.png' size='16' default_kerning='0.5'><common scaleW='16'/>"
            "<char id='65' x='0' y='0' w='8' h='10' xoffset='1' yoffset='2' xadvance='9'/>"
            "<chars><c id='66' x='8' y='0' w='6' h='12' xadvance='7'/></chars>"
            "<symbol code='67' x='0' y='8' w='1' h='1'/>"
            "<kerning first='65' second='66' amount='-2'/>"
            "<kernings><k first='66' second='65' amount='3'/><k code1='65' code2='65' value='9'/></kernings>"
            "</font>")
    write("corpus", "font", "glyphs_and_kerning.xml", font + "\0ABBA CAB")
    write("corpus", "font", "no_picture.xml",
          "<font filename='missing.png' size='0'><char id='65' x='0' y='0' w='8' h='10' xadvance='9'/></font>"
          "\0AAA")
    write("corpus", "font", "bad_codes.xml",
          "<font filename='t.png'><char id='300' w='8'/><char id='-1'/><char id='x'/><common scaleW='-4'/>"
          "</font>\0\xff\x80A")
    write("corpus", "font", "empty_text.xml", font + "\0")

    write("repro", "font", "ends_inside_a_character.xml", "<?xml version='1.0'?><font filename='t.png'>\xe2\0AB")
    # Nested deeper than the parser's recursion can go.
    write("repro", "font", "nested_too_deeply.xml", "<font>" + "<a>" * 100000 + "\0AB")


def sprites():
    frames = ("<frame color='FF0000' length='100'/><frame texture='t.png' length='50'>"
              "<rect left='0' top='0' right='0.5' bottom='0.5'/></frame><frame color='0000FF80' length='200'/>")
    write("corpus", "sprite", "animations.xml",
          "<?xml version='1.0'?>\n<sprite x='10' y='20' w='30' h='40' max_shift='200'>"
          "<animation name='idle' default='yes' loop='true'>" + frames + "</animation>"
          "<animation name='over'><frame color='FFFFFF'/></animation><ignored/>"
          "<sprite x='1' y='2' w='3' h='4'><animation name='over' default='1'><frame/></animation></sprite>"
          "</sprite>")
    write("corpus", "sprite", "affine_and_effects.xml",
          "<sprite w='16' h='16'><animation name='spin' default='1'>" + frames +
          "<affine loop='1'><key tm='0'><angle value='0'/></key><key tm='300'><angle value='360'/>"
          "<color value='ff000080'/></key></affine>"
          "<under_effect><image texture='t.png' w='8' h='8'/></under_effect>"
          "<over_effect><particle_system w='2' h='2'><emitter count='3'/></particle_system></over_effect>"
          "</animation></sprite>")
    write("corpus", "sprite", "contains_itself.xml",
          "<sprite><animation name='a' default='1'><frame/><over_effect><sprite filename='fuzz.xml'/>"
          "</over_effect></animation></sprite>")
    write("corpus", "sprite", "broken.xml", "<sprite><animation name='a'></sprite>")


def tilemaps():
    write("corpus", "tilemap", "tiles.xml",
          "<?xml version='1.0'?>\n<tilemap><tile name='a' texture='t.png'>"
          "<rect left='0' top='0' right='0.5' bottom='0.5'/></tile>"
          "<tile name='b' color='ff000080'/><tile texture='t.png' color='00ff00'/>"
          "<tile name='t' texture='missing.png'/><tile name='a' texture='fuzz.xml'/></tilemap>")
    write("corpus", "tilemap", "wrong_root.xml", "<tiles><tile name='a'/></tiles>")
    write("corpus", "tilemap", "broken.xml", "<tilemap><tile name='a'></tilemap>")


def main():
    bitmaps()
    archives()
    readers()
    options()
    config()
    localisation()
    effects()
    fonts()
    sprites()
    tilemaps()


if __name__ == "__main__":
    main()
