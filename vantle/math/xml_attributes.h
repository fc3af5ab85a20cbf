#pragma once

class TiXmlElement;

namespace math {

// Reads a number attribute into value when the element has it; returns whether it did. A null element
// has no attributes.
bool ReadFloatAttribute(const TiXmlElement* element, const char* name, float& value);

}  // namespace math
