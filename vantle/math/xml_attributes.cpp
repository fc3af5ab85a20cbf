#include "vantle/math/xml_attributes.h"

#include <tinyxml.h>

#include <locale>
#include <sstream>

namespace math {

namespace {

float ParseFloat(const char* text) {
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    float value = 0.0f;
    if (!(stream >> value)) return 0.0f;
    return value;
}

}  // namespace

bool ReadFloatAttribute(const TiXmlElement* element, const char* name, float& value) {
    if (!element) return false;
    const char* text = element->Attribute(name);
    if (!text) return false;
    value = ParseFloat(text);
    return true;
}

}  // namespace math
