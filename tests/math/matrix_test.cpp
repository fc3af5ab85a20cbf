#include <gtest/gtest.h>

#include "vantle/math/mat4.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"
#include "vantle/math/vec3.h"

namespace {

constexpr float kTolerance = 1e-5f;

TEST(Matrix4Test, TranslationSitsInTheLastColumn) {
    math::Matrix4 move;
    move.Move(1, 2, 3);
    EXPECT_FLOAT_EQ(move.m[3], 1.0f);
    EXPECT_FLOAT_EQ(move.m[7], 2.0f);
    EXPECT_FLOAT_EQ(move.m[11], 3.0f);
    const math::Vector3 p = move * math::Vector3(0, 0, 0);
    EXPECT_EQ(p, math::Vector3(1, 2, 3));
    EXPECT_EQ(move.TransformCoordinate(math::Vector2(1, 1)), math::Vector2(2, 3));
}

TEST(Matrix4Test, RotatesScalesAndComposesAboutAPivot) {
    math::Matrix4 rotate;
    rotate.Rotate(math::PI / 2, 0, 0, 1);
    const math::Vector2 turned = rotate * math::Vector2(1, 0);
    EXPECT_NEAR(turned.x, 0.0f, kTolerance);
    EXPECT_NEAR(turned.y, 1.0f, kTolerance);

    math::Matrix4 scale;
    scale.Scale(2, 3, 4);
    EXPECT_EQ(scale * math::Vector3(1, 1, 1), math::Vector3(2, 3, 4));

    // Scale by 2 about (10, 10): the pivot stays, (11, 10) goes to (12, 10).
    math::Matrix4 to, back;
    to.Move(10, 10, 0);
    back.Move(-10, -10, 0);
    const math::Matrix4 about = to * scale * back;
    EXPECT_EQ(about * math::Vector2(10, 10), math::Vector2(10, 10));
    EXPECT_EQ(about * math::Vector2(11, 10), math::Vector2(12, 10));
}

TEST(Matrix4Test, ArithmeticAndConstants) {
    EXPECT_EQ(math::Matrix4(), math::Matrix4::IDENTITY);
    EXPECT_EQ(math::Matrix4::IDENTITY * math::Matrix4::IDENTITY, math::Matrix4::IDENTITY);
    EXPECT_EQ(math::Matrix4::IDENTITY - math::Matrix4::IDENTITY, math::Matrix4::ZERO);
    EXPECT_EQ(math::Matrix4::IDENTITY + -math::Matrix4::IDENTITY, math::Matrix4::ZERO);
    math::Matrix4 a(1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    math::Matrix4 b(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    // Swapping columns: entry (i, j) = sum over k of a(i, k) * b(k, j).
    EXPECT_EQ(a * b, math::Matrix4(2, 1, 0, 0, 4, 3, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
    EXPECT_NE(a * b, b * a);
}

// Copied during static initialisation of this file, which may run before that of the library's files.
const math::Matrix4 g_identity = math::Matrix4::IDENTITY;
const math::Vector2 g_unit_scale = math::Vector2::UNIT_SCALE;
const math::Rect g_zero_rect = math::Rect::ZERO;

TEST(Matrix4Test, ConstantsAreSetBeforeAnyStaticInitialiserRuns) {
    EXPECT_EQ(g_identity, math::Matrix4());
    EXPECT_EQ(g_unit_scale, math::Vector2(1.0f, 1.0f));
    EXPECT_EQ(g_zero_rect, math::Rect(0.0f, 0.0f, 0.0f, 0.0f));
}

TEST(Matrix4Test, DividesByW) {
    math::Matrix4 projective = math::Matrix4::IDENTITY;
    projective(3, 3) = 2.0f;
    EXPECT_EQ(projective * math::Vector3(2, 4, 6), math::Vector3(1, 2, 3));
}

}  // namespace
