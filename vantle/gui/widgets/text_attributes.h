#pragma once

#include "vantle/core/ptr.h"
#include "vantle/render/irender.h"
#include "vantle/render/render.h"

class TiXmlElement;

namespace effects {
class Effect;
}

// Readers of the layout attributes that several widgets share.
namespace gui {

// "align": "left", "right" or "center"; any other word, or none, is left.
render::Render::TextAlign ReadAlign(const TiXmlElement* element);

// The whole size a font is asked for: the fraction dropped, 0 for a size not above 0, and a huge one
// held at the largest unsigned value rather than overflowing the conversion.
unsigned int FontSize(float size);

// "filtering": "point", "linear" or "anisotropic"; any other word, or none, is unset.
render::IRender::FilteringMode ReadFiltering(const TiXmlElement* element);

// The effect an element describes: loaded from the effect file its "filename" names, or, without that
// attribute, read from the element itself. Empty for a null element.
core::ptr<effects::Effect> LoadEffect(TiXmlElement* element);

}  // namespace gui
