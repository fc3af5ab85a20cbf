#pragma once

#include <string>

class TiXmlElement;

namespace render {

// Red, green, blue and alpha, nominally 0 to 1; nothing clamps them.
struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    // Transparent black.
    Color() = default;
    Color(float red, float green, float blue) : r(red), g(green), b(blue), a(1.0f) {}
    Color(float red, float green, float blue, float alpha) : r(red), g(green), b(blue), a(alpha) {}
    // Six or eight hexadecimal digits: red, green, blue, then optional alpha (opaque without it).
    // Shorter text gives transparent black; characters that are no digit count as 0.
    explicit Color(const char* hex);
    explicit Color(const std::string& hex);

    // Multiplies component by component, in place.
    void Modulate(const Color& other);
    // a + t * (b - a) per component; t is not clamped.
    static Color Lerp(const Color& a, const Color& b, float t);
    // Eight lower-case digits, red, green, blue, alpha; out-of-range components give spaces.
    std::string ToHex() const;

    bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Color& o) const { return !(*this == o); }
};

// The attribute's hexadecimal digits as Color(const char*) reads them, or the fallback when it is absent.
Color ReadColor(const TiXmlElement* element, const char* name, const Color& fallback);

}  // namespace render
