#pragma once

#include <optional>
#include <string>

#include "vantle/math/vec2.h"

class TiXmlElement;

namespace xml {

// Readers of an element's attributes. A null element has no attributes. Each Read gives the attribute's
// value, or the fallback when it is absent; numbers are read by the rules of core/strutils.

// Whether the element has the attribute, whatever its text.
bool Has(const TiXmlElement* element, const char* name);

// The attribute's text, or null when absent; it lives as long as the element.
const char* FindText(const TiXmlElement* element, const char* name);
std::string ReadText(const TiXmlElement* element, const char* name, const std::string& fallback = "");

// As core::str2float reads it. A value that is not finite ("nan", "inf", 1e39) counts as absent and is
// logged: no such number reaches a caller.
std::optional<float> FindFloat(const TiXmlElement* element, const char* name);
float ReadFloat(const TiXmlElement* element, const char* name, float fallback);

// As core::str2unsigned and core::str2int read them: text that holds no number reads as 0.
unsigned int ReadUnsigned(const TiXmlElement* element, const char* name, unsigned int fallback);
int ReadInt(const TiXmlElement* element, const char* name, int fallback);

// As core::str2bool reads it: exactly "true", "yes" or "1" are true, any other text is false.
bool ReadBool(const TiXmlElement* element, const char* name, bool fallback);

// "x" and "y" (or the two names given), each read with ReadFloat and falling back to its own coordinate.
math::Vector2 ReadPoint(const TiXmlElement* element, const math::Vector2& fallback = math::Vector2());
math::Vector2 ReadPoint(const TiXmlElement* element, const char* x_name, const char* y_name,
                        const math::Vector2& fallback);

}  // namespace xml
