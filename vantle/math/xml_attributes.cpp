#include "vantle/math/xml_attributes.h"

#include <tinyxml.h>

#include "vantle/core/strutils.h"

namespace math {

bool ReadFloatAttribute(const TiXmlElement* element, const char* name, float& value) {
    if (!element) return false;
    const char* text = element->Attribute(name);
    if (!text) return false;
    value = core::str2float(text);
    return true;
}

}  // namespace math
