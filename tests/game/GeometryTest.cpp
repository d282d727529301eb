#include "game/Geometry.h"

#include <cmath>
#include <gtest/gtest.h>

namespace dd {
namespace {

TEST(NormalizeAngle, BringsAnglesIntoRange) {
    EXPECT_DOUBLE_EQ(Normalized(-0.1, true), 2 * kPi - 0.1);
    EXPECT_DOUBLE_EQ(Normalized(3.5, false), 3.5 - 2 * kPi);
    EXPECT_EQ(Normalized(kPi, false), kPi);
    EXPECT_EQ(Normalized(2 * kPi, true), 0.0);
    EXPECT_EQ(Normalized(0, false), 0.0);
    EXPECT_DOUBLE_EQ(Normalized(-kPi, false), kPi);
    EXPECT_DOUBLE_EQ(Normalized(7 * kPi, true), kPi);
    EXPECT_DOUBLE_EQ(Normalized(-5 * kPi / 2, false), -kPi / 2);
    for (double a : {-1e9, 1e9, 123456.7}) {
        double p = Normalized(a, true);
        EXPECT_GE(p, 0.0);
        EXPECT_LT(p, 2 * kPi);
    }
}

TEST(ToPolar, GivesScreenAnglesForEveryQuadrant) {
    TPolar zero = ToPolar({0, 0});
    EXPECT_EQ(zero.Length, 0.0);
    EXPECT_DOUBLE_EQ(zero.Angle, 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(ToPolar({0, -5}).Angle, kPi / 2);
    EXPECT_DOUBLE_EQ(ToPolar({0, 5}).Angle, 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(ToPolar({-3, 0}).Angle, kPi);
    EXPECT_DOUBLE_EQ(ToPolar({3, 0}).Angle, 0);
    EXPECT_DOUBLE_EQ(ToPolar({3, 3}).Angle, 7 * kPi / 4);
    EXPECT_DOUBLE_EQ(ToPolar({3, -3}).Angle, kPi / 4);
    EXPECT_DOUBLE_EQ(ToPolar({-3, -3}).Angle, 3 * kPi / 4);
    EXPECT_DOUBLE_EQ(ToPolar({-3, 3}).Angle, 5 * kPi / 4);
    EXPECT_DOUBLE_EQ(ToPolar({3, 4}).Length, 5);
}

TEST(FromPolar, InvertsToPolar) {
    TRealPoint up = FromPolar({2, kPi / 2});
    EXPECT_NEAR(up.X, 0, 1e-12);
    EXPECT_DOUBLE_EQ(up.Y, -2);
    for (TRealPoint v : {TRealPoint{3, -4}, TRealPoint{-7, 1}, TRealPoint{0.5, 9}}) {
        TRealPoint back = FromPolar(ToPolar(v));
        EXPECT_NEAR(back.X, v.X, 1e-12);
        EXPECT_NEAR(back.Y, v.Y, 1e-12);
    }
}

TEST(Scalars, SignMinMax) {
    EXPECT_EQ(SignOf(-0.0001), -1.0);
    EXPECT_EQ(SignOf(0), 0.0);
    EXPECT_EQ(SignOf(5), 1.0);
    EXPECT_EQ(MaxOf(1, 2), 2);
    EXPECT_EQ(MinOf(1, 2), 1);
    EXPECT_EQ(SegmentLength({{1, 1}, {4, 5}}), 5);
}

TEST(SegmentIntersection, DegenerateAndParallelSegmentsDoNotCross) {
    TRealPoint p{9, 9};
    bool touches = true;
    EXPECT_FALSE(SegmentIntersection({{0, 0}, {0, 5}}, {{1, 0}, {1, 5}}, p, touches));
    EXPECT_EQ(p.X, 0);
    EXPECT_FALSE(touches);
    EXPECT_FALSE(SegmentIntersection({{0, 0}, {5, 0}}, {{0, 1}, {5, 1}}, p, touches));
    EXPECT_FALSE(SegmentIntersection({{2, 2}, {2, 2}}, {{0, 0}, {5, 5}}, p, touches));
    p = {9, 9};
    EXPECT_FALSE(SegmentIntersection({{0, 0}, {4, 4}}, {{0, 1}, {4, 5}}, p, touches));
    EXPECT_EQ(p.X, 0);
    EXPECT_EQ(p.Y, 0);
}

TEST(SegmentIntersection, VerticalAgainstHorizontalIsComparedEndsIncluded) {
    TRealPoint p;
    bool touches = true;
    EXPECT_TRUE(SegmentIntersection({{3, -2}, {3, 2}}, {{0, 2}, {3, 2}}, p, touches));
    EXPECT_EQ(p.X, 3);
    EXPECT_EQ(p.Y, 2);
    EXPECT_FALSE(touches);
    EXPECT_FALSE(SegmentIntersection({{0, 5}, {4, 5}}, {{6, 0}, {6, 9}}, p, touches));
    EXPECT_EQ(p.X, 6);
    EXPECT_EQ(p.Y, 5);
}

TEST(SegmentIntersection, GeneralCrossingRoundsTheOffsetAlongTheSecondSegment) {
    TRealPoint p;
    bool touches = false;
    // The first inner corner of the star, before its final rounding.
    EXPECT_TRUE(
        SegmentIntersection({{-1, -223}, {-143, 216}}, {{-231, -55}, {229, -55}}, p, touches));
    EXPECT_EQ(p.X, -55);
    EXPECT_EQ(p.Y, -55);
    EXPECT_FALSE(touches);
    EXPECT_TRUE(SegmentIntersection({{0, 0}, {4, 4}}, {{0, 0}, {4, -4}}, p, touches));
    EXPECT_TRUE(touches);
    // The lines cross at (1.5, 1.5), off both segments; the offset (-1.5, 1.5) from the second
    // segment's start rounds its halves to the even neighbours.
    EXPECT_FALSE(SegmentIntersection({{0, 0}, {1, 1}}, {{3, 0}, {4, -1}}, p, touches));
    EXPECT_EQ(p.X, 1);
    EXPECT_EQ(p.Y, 2);
}

} // namespace
} // namespace dd
