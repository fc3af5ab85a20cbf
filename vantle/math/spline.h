#pragma once

#include <cstddef>
#include <vector>

#include "vantle/math/vec2.h"

namespace math {

// A clamped cubic spline y(x) through control points, with slope 1 at both ends.
class Spline {
public:
    Spline() = default;

    // Points may come in any order; Build sorts them. Callers give distinct x values.
    void AddPoint(float x, float y);
    void AddPoint(const Vector2& point);
    // Removes the control points; the tables keep the last Build's curve until the next Build.
    void Clear();
    void Build();
    // The curve of the last Build at x, extended beyond the outer points; 0 everywhere while that Build
    // had fewer than two points.
    float GetValue(float x) const;

    const std::vector<Vector2>& Points() const { return _points; }

private:
    void BuildTable();
    std::size_t FindInterval(float x) const;

    std::vector<Vector2> _points;
    std::vector<float> _a;
    std::vector<float> _b;
    std::vector<float> _c;
    std::vector<float> _d;
    std::vector<float> _knots;
};

}  // namespace math
