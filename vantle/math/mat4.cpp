#include "vantle/math/mat4.h"

#include <cmath>

namespace math {

namespace {
constexpr int kSize = 4;
constexpr int kEntries = 16;
}  // namespace

const Matrix4 Matrix4::IDENTITY;
const Matrix4 Matrix4::ZERO(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);

Matrix4& Matrix4::Move(float x, float y, float z) {
    *this = Matrix4(1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z, 0, 0, 0, 1);
    return *this;
}

Matrix4& Matrix4::Scale(float x, float y, float z) {
    *this = Matrix4(x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1);
    return *this;
}

Matrix4& Matrix4::Rotate(float angle, float x, float y, float z) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;
    *this = Matrix4(t * x * x + c, t * x * y - s * z, t * x * z + s * y, 0,  //
                    t * x * y + s * z, t * y * y + c, t * y * z - s * x, 0,  //
                    t * x * z - s * y, t * y * z + s * x, t * z * z + c, 0,  //
                    0, 0, 0, 1);
    return *this;
}

Matrix4 Matrix4::operator*(const Matrix4& o) const {
    Matrix4 result = ZERO;
    for (int i = 0; i < kSize; ++i) {
        for (int j = 0; j < kSize; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < kSize; ++k) sum += (*this)(i, k) * o(k, j);
            result(i, j) = sum;
        }
    }
    return result;
}

Matrix4 Matrix4::operator+(const Matrix4& o) const {
    Matrix4 result;
    for (int i = 0; i < kEntries; ++i) result.m[i] = m[i] + o.m[i];
    return result;
}

Matrix4 Matrix4::operator-(const Matrix4& o) const {
    Matrix4 result;
    for (int i = 0; i < kEntries; ++i) result.m[i] = m[i] - o.m[i];
    return result;
}

Matrix4 Matrix4::operator-() const {
    Matrix4 result;
    for (int i = 0; i < kEntries; ++i) result.m[i] = -m[i];
    return result;
}

bool Matrix4::operator==(const Matrix4& o) const {
    for (int i = 0; i < kEntries; ++i) {
        if (m[i] != o.m[i]) return false;
    }
    return true;
}

Vector3 Matrix4::TransformCoordinate(const Vector3& p) const {
    const float x = m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3];
    const float y = m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7];
    const float z = m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11];
    const float w = m[12] * p.x + m[13] * p.y + m[14] * p.z + m[15];
    return Vector3(x / w, y / w, z / w);
}

Vector2 Matrix4::TransformCoordinate(const Vector2& p) const {
    const Vector3 result = TransformCoordinate(Vector3(p.x, p.y, 0.0f));
    return Vector2(result.x, result.y);
}

}  // namespace math
