#include "vantle/math/spline.h"

#include <algorithm>
#include <cmath>

namespace math {

namespace {
constexpr float kEndSlope = 1.0f;
}

void Spline::AddPoint(float x, float y) {
    _points.emplace_back(x, y);
}

void Spline::AddPoint(const Vector2& point) {
    _points.push_back(point);
}

void Spline::Clear() {
    _points.clear();
}

void Spline::Build() {
    const size_t n = _points.size();
    for (std::vector<float>* table : {&_a, &_b, &_c, &_d, &_knots}) table->assign(n, 0.0f);
    // NaN compares false both ways, which would break the sort's ordering; such points go last.
    std::sort(_points.begin(), _points.end(), [](const Vector2& l, const Vector2& r) {
        return std::isnan(r.x) ? !std::isnan(l.x) : l.x < r.x;
    });
    if (n < 2) return;
    BuildTable();
}

void Spline::BuildTable() {
    const size_t n = _points.size();
    std::vector<float> h(n - 1);
    std::vector<float> slope(n - 1);
    for (size_t k = 0; k + 1 < n; ++k) {
        h[k] = _points[k + 1].x - _points[k].x;
        slope[k] = (_points[k + 1].y - _points[k].y) / h[k];
    }

    // Tridiagonal sweep for the second derivatives M.
    std::vector<float> e(n, 0.0f);
    std::vector<float> u(n, 0.0f);
    std::vector<float> second(n, 0.0f);
    e[0] = -0.5f;
    u[0] = (3.0f / h[0]) * (slope[0] - kEndSlope);
    for (size_t i = 1; i + 1 < n; ++i) {
        const float sigma = h[i - 1] / (h[i - 1] + h[i]);
        const float p = sigma * e[i - 1] + 2.0f;
        e[i] = (sigma - 1.0f) / p;
        u[i] = (6.0f * (slope[i] - slope[i - 1]) / (h[i - 1] + h[i]) - sigma * u[i - 1]) / p;
    }
    second[n - 1] = ((6.0f / h[n - 2]) * (kEndSlope - slope[n - 2]) - u[n - 2]) / (e[n - 2] + 2.0f);
    for (size_t k = n - 1; k-- > 0;) second[k] = e[k] * second[k + 1] + u[k];

    for (size_t k = 0; k + 1 < n; ++k) {
        _a[k] = _points[k].y;
        _b[k] = slope[k] - h[k] * (2.0f * second[k] + second[k + 1]) / 6.0f;
        _c[k] = second[k] / 2.0f;
        _d[k] = (second[k + 1] - second[k]) / (6.0f * h[k]);
        _knots[k] = _points[k].x;
    }
    _a[n - 1] = _points[n - 1].y;
    _knots[n - 1] = _points[n - 1].x;
}

size_t Spline::FindInterval(float x) const {
    // The first of the knots 0 .. n-2 that is >= x; the interval is the one before it.
    const size_t last = _knots.size() - 2;
    const auto first_not_below = std::lower_bound(_knots.begin(), _knots.begin() + last + 1, x);
    const size_t index = static_cast<size_t>(first_not_below - _knots.begin());
    if (index == 0) return 0;
    return std::min(index - 1, last);
}

float Spline::GetValue(float x) const {
    if (_knots.size() < 2) return 0.0f;
    const size_t k = FindInterval(x);
    const float t = x - _knots[k];
    return _a[k] + t * (_b[k] + t * (_c[k] + t * _d[k]));
}

}  // namespace math
