#pragma once

namespace script {

// The script classes of the power-ups. Each is defined once, after the power-up table has loaded; the
// interpreter starts first when it has not yet. A name argument must be a String and a level an Integer
// (TypeError otherwise); every other failure answers nil or false.

// PowerupDefinition: objects made only by PowerupDefinition.get(name), answering name, level_count and
// level_price(level); the class methods names (ascending) and load_table(ignored), which does nothing.
void InitRubyPowerupDefinition();

// PowerupSet: class methods acting on game::CurrentPowerupSet: select, include?, max_level, level,
// filling, dump, reload!, buy, sell, can_buy and empty?.
void InitRubyPowerupSet();

}  // namespace script
