#!/usr/bin/env python3
"""Writes the seed corpora of the screen-layout and style fuzz targets. Run from anywhere; the files land
beside this script."""

from make_corpus import write

LAYOUTS = {
    "screen.xml": """<gui x="0" y="0" w="800" h="600">
<container id="a" x="10" y="20" w="300" h="200" tabstop="1" lod="0" max_lod="10" state_switch_time="200">
  <states><state name="open" x="10" y="20" w="300" h="400" alpha="0.5"/><state name="closed" alpha="0"/></states>
  <handlers><handler name="on_init" code="x = 1"/><handler name="on_update" function="tick"/></handlers>
  <tooltip x="0" y="0" w="50" h="20"><text id="b" w="50" h="20"/></tooltip>
  <disabled_tooltip><image id="off"/></disabled_tooltip>
  <image id="pic" x="5" y="5" w="10" h="10"/>
  <image id="pic" x="6" y="6" w="10" h="10" visible="false"/>
  <button id="go" style="button.xml"><handlers><handler name="on_click">go()</handler></handlers></button>
</container>
<handler name="on_load" code="loaded"/>
</gui>
""",
    "animated.xml": """<gui>
<container id="fade" w="100" h="100">
  <on_create_animation loop="true" delay="10">
    <key tm="0"><scale x="0" y="0"/><color value="ffffff00"/></key>
    <key tm="300"><scale x="1" y="1"/><angle value="90"/><color value="ffffffff"/></key>
  </on_create_animation>
  <on_create_animation filename="missing_animation.xml"/>
</container>
</gui>
""",
    "includes_itself.xml": """<gui><container id="again" filename="layout.xml"/><text id="t"/></gui>
""",
    "deep.xml": "<gui>" + "<container>" * 990 + "</container>" * 990 + "</gui>\n",
    "deep_tooltips.xml": "<gui><container>" + "<tooltip>" * 400 + "</tooltip>" * 400 + "</container></gui>\n",
}

STYLES = {
    "button.xml": """<style>
<size x="120" y="30"/>
<tile texture="button.png" color="ffffffff"><rect x="0" y="0" w="0.5" h="0.5"/></tile>
<tile_active texture="button.png"/><tile_pressed color="808080"/><shadow color="00000080"/>
<text_font name="menu.xml"/>
<text_color_pressed value="ff0000"/><text_color value="000000"/>
<text_adjust x="1" y="2"/><text_adjust_active x="0" y="3"/>
<switch_time1 value="200"/><switch_time2 value="abc"/>
</style>
""",
    "damaged.xml": """<style><text_color/><text_font/><switch_time1/><size x="nan" y="inf"/><blink/></style>
""",
}


for target, files in (("layout", LAYOUTS), ("style", STYLES)):
    for name, text in files.items():
        write("corpus", target, name, text)
