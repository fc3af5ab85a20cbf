#include "vantle/xml/attributes.h"

#include <tinyxml.h>

#include <cmath>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"

namespace xml {

bool Has(const TiXmlElement* element, const char* name) {
    return FindText(element, name) != nullptr;
}

const char* FindText(const TiXmlElement* element, const char* name) {
    return element ? element->Attribute(name) : nullptr;
}

std::string ReadText(const TiXmlElement* element, const char* name, const std::string& fallback) {
    const char* text = FindText(element, name);
    return text ? std::string(text) : fallback;
}

std::optional<float> FindFloat(const TiXmlElement* element, const char* name) {
    const char* text = FindText(element, name);
    if (!text) return std::nullopt;
    const float value = core::str2float(text);
    if (std::isfinite(value)) return value;
    core::Log::instance()->Write("Error: %s=\"%s\" of <%s> is no finite number, read as absent", name, text,
                                 element->Value());
    return std::nullopt;
}

float ReadFloat(const TiXmlElement* element, const char* name, float fallback) {
    return FindFloat(element, name).value_or(fallback);
}

unsigned int ReadUnsigned(const TiXmlElement* element, const char* name, unsigned int fallback) {
    const char* text = FindText(element, name);
    return text ? core::str2unsigned(text) : fallback;
}

int ReadInt(const TiXmlElement* element, const char* name, int fallback) {
    const char* text = FindText(element, name);
    return text ? core::str2int(text) : fallback;
}

bool ReadBool(const TiXmlElement* element, const char* name, bool fallback) {
    const char* text = FindText(element, name);
    return text ? core::str2bool(text) : fallback;
}

math::Vector2 ReadPoint(const TiXmlElement* element, const math::Vector2& fallback) {
    return ReadPoint(element, "x", "y", fallback);
}

math::Vector2 ReadPoint(const TiXmlElement* element, const char* x_name, const char* y_name,
                        const math::Vector2& fallback) {
    return math::Vector2(ReadFloat(element, x_name, fallback.x), ReadFloat(element, y_name, fallback.y));
}

}  // namespace xml
