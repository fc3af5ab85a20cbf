#include "powerup_table.h"

#include "support/temp_dir.h"
#include "vantle/game/powerup_definition.h"

namespace test {

const char kPowerupTable[] = R"(<?xml version="1.0"?>
<powerups>
  <powerup name="remove_row">
    <level price="10">
      <option name="halfwidth" value="1"/>
      <filling_time><level time="2000"/></filling_time>
    </level>
  </powerup>
  <powerup name="recolor">
    <level price="10">
      <option name="count" value="3"/>
      <filling_time><level time="5000"/><level time="3000"/></filling_time>
    </level>
    <level price="20">
      <option name="count" value="5"/>
      <filling_time><level time="4000"/></filling_time>
    </level>
    <level price="40">
      <option name="count" value="8"/>
    </level>
  </powerup>
  <powerup name="instant">
    <level price="1"><filling_time><level time="0"/></filling_time></level>
  </powerup>
  <powerup name="hollow"/>
</powerups>
)";

void LoadPowerupTable(const std::string& name, const std::string& text) {
    TempDir dir;
    dir.Write(name, text);
    WorkingDirectory cwd(dir.Path());
    game::PowerupDefinitionTable::instance()->Load(name);
}

}  // namespace test
