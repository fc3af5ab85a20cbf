#pragma once

#include <string>

namespace test {

// The power-up table the power-up tests share:
// - "recolor": prices 10, 20, 40; option "count" 3, 5, 8; level 0 charges 5000 ms owned up to level 0 and
//   3000 ms owned higher, level 1 charges 4000 ms, level 2 has no filling times (1000 ms).
// - "remove_row": one level of price 10 with "halfwidth" 1, charging 2000 ms.
// - "instant": one level of price 1 that charges in 0 ms.
// - "hollow": no levels.
extern const char kPowerupTable[];

// Loads the text into the power-up table singleton as the data file of that name (a name of its own for
// each text: the XML cache keeps documents by name).
void LoadPowerupTable(const std::string& name, const std::string& text = kPowerupTable);

}  // namespace test
