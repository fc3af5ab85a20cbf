#include "vantle/render/color.h"

#include <climits>
#include <cstring>

#include "vantle/render/utils.h"
#include "vantle/xml/attributes.h"

namespace render {

namespace {

const float kByteMax = 255.0f;

float ReadByte(const char* digits) {
    return static_cast<float>(16 * hex_to_int(digits[0]) + hex_to_int(digits[1])) / kByteMax;
}

void AppendByte(std::string& out, float component) {
    const float scaled = component * kByteMax;
    // No int holds it (or NaN): converting would be undefined, and its digits are spaces anyway.
    if (!(scaled > static_cast<float>(INT_MIN) && scaled < static_cast<float>(INT_MAX))) {
        out += "  ";
        return;
    }
    const int value = static_cast<int>(scaled);
    out += int_to_hex(value / 16);
    out += int_to_hex(value % 16);
}

}  // namespace

Color::Color(const char* hex) {
    const std::size_t length = hex ? std::strlen(hex) : 0;
    if (length < 6) return;
    r = ReadByte(hex);
    g = ReadByte(hex + 2);
    b = ReadByte(hex + 4);
    a = length >= 8 ? ReadByte(hex + 6) : 1.0f;
}

Color::Color(const std::string& hex) : Color(hex.c_str()) {}

void Color::Modulate(const Color& other) {
    r *= other.r;
    g *= other.g;
    b *= other.b;
    a *= other.a;
}

Color Color::Lerp(const Color& a, const Color& b, float t) {
    return Color(a.r + t * (b.r - a.r), a.g + t * (b.g - a.g), a.b + t * (b.b - a.b), a.a + t * (b.a - a.a));
}

std::string Color::ToHex() const {
    std::string out;
    AppendByte(out, r);
    AppendByte(out, g);
    AppendByte(out, b);
    AppendByte(out, a);
    return out;
}

Color ReadColor(const TiXmlElement* element, const char* name, const Color& fallback) {
    const char* hex = xml::FindText(element, name);
    return hex ? Color(hex) : fallback;
}

}  // namespace render
