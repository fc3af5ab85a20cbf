#pragma once

#include "vantle/math/vec2.h"
#include "vantle/math/vec3.h"

namespace math {

// A 4 by 4 transform, row-major: entry (i, j) is m[4 * i + j]. Points are column vectors multiplied on
// the right, so the translation sits in entries 3, 7 and 11.
struct Matrix4 {
    float m[16];

    // Constant expressions, so the named constants are set before any static initialiser runs.
    // The identity.
    constexpr Matrix4() : Matrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1) {}
    // Row by row.
    constexpr Matrix4(float m00, float m01, float m02, float m03, float m10, float m11, float m12, float m13,
                      float m20, float m21, float m22, float m23, float m30, float m31, float m32, float m33)
        : m{m00, m01, m02, m03, m10, m11, m12, m13, m20, m21, m22, m23, m30, m31, m32, m33} {}

    float& operator()(int row, int column) { return m[4 * row + column]; }
    float operator()(int row, int column) const { return m[4 * row + column]; }

    // These overwrite the whole matrix and return it.
    Matrix4& Move(float x, float y, float z);
    Matrix4& Scale(float x, float y, float z);
    // Angle in radians about an axis the caller gives as a unit vector.
    Matrix4& Rotate(float angle, float x, float y, float z);

    Matrix4 operator*(const Matrix4& o) const;
    Matrix4 operator+(const Matrix4& o) const;
    Matrix4 operator-(const Matrix4& o) const;
    Matrix4 operator-() const;
    // Exact comparison of all 16 entries.
    bool operator==(const Matrix4& o) const;
    bool operator!=(const Matrix4& o) const { return !(*this == o); }

    // The point (x, y, z, 1) transformed and divided by the resulting w.
    Vector3 TransformCoordinate(const Vector3& p) const;
    // The point (x, y, 0, 1) transformed and divided by the resulting w.
    Vector2 TransformCoordinate(const Vector2& p) const;
    Vector3 operator*(const Vector3& p) const { return TransformCoordinate(p); }
    Vector2 operator*(const Vector2& p) const { return TransformCoordinate(p); }

    static const Matrix4 IDENTITY;
    static const Matrix4 ZERO;
    static constexpr float EPSILON = 0.000001f;
};

// A move by the offset within the drawing plane.
inline Matrix4 Translation(const Vector2& offset) {
    return Matrix4().Move(offset.x, offset.y, 0.0f);
}

}  // namespace math
