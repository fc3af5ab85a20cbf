#pragma once

#include "vantle/render/render.h"

class TiXmlElement;

namespace gui {

// "align": "left", "right" or "center"; any other word, or none, is left.
render::Render::TextAlign ReadAlign(const TiXmlElement* element);

// The whole size a font is asked for: the fraction dropped, 0 for a size not above 0, and a huge one
// held at the largest unsigned value rather than overflowing the conversion.
unsigned int FontSize(float size);

}  // namespace gui
