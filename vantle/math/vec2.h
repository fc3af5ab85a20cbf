#pragma once

class TiXmlElement;

namespace math {

// Single precision, as the renderer uses it.
constexpr float PI = 3.1415927f;

// A point or a size in screen units (y grows downwards).
struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;

    Vector2() = default;
    constexpr Vector2(float x_, float y_) : x(x_), y(y_) {}
    // Starts at (0, 0) and reads the attributes "x" and "y", each only when present.
    explicit Vector2(TiXmlElement* element);

    Vector2 operator+(const Vector2& o) const { return Vector2(x + o.x, y + o.y); }
    Vector2 operator-(const Vector2& o) const { return Vector2(x - o.x, y - o.y); }
    Vector2 operator-() const { return Vector2(-x, -y); }
    Vector2 operator*(float k) const { return Vector2(x * k, y * k); }
    Vector2 operator/(float k) const { return Vector2(x / k, y / k); }
    Vector2& operator+=(const Vector2& o);
    Vector2& operator-=(const Vector2& o);
    Vector2& operator*=(float k);
    bool operator==(const Vector2& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Vector2& o) const { return !(*this == o); }

    float LengthSq() const { return x * x + y * y; }
    float Length() const;
    // A zero vector stays zero.
    Vector2 Normalized() const;

    // a + t * (b - a) per component; t is not clamped.
    static Vector2 Lerp(const Vector2& a, const Vector2& b, float t);

    static const Vector2 ZERO;
    static const Vector2 UNIT_X;
    static const Vector2 UNIT_Y;
    static const Vector2 NEGATIVE_UNIT_X;
    static const Vector2 NEGATIVE_UNIT_Y;
    static const Vector2 UNIT_SCALE;
};

inline Vector2 operator*(float k, const Vector2& v) {
    return v * k;
}

}  // namespace math
