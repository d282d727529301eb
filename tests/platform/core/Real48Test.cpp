#include "platform/core/Real48.h"

#include <cmath>
#include <gtest/gtest.h>

namespace dd {
namespace {

TEST(Real48, ReadsTheStoredExamples) {
    EXPECT_NEAR(Real48ToDouble({0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}), 0.1, 1e-12);
    EXPECT_EQ(Real48ToDouble({0x80, 0, 0, 0, 0, 0x20}), 0.625);
    EXPECT_EQ(Real48ToDouble({0x81, 0, 0, 0, 0, 0}), 1.0);
    EXPECT_EQ(Real48ToDouble({0x81, 0, 0, 0, 0, 0x80}), -1.0);
    EXPECT_EQ(Real48ToDouble({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), 0.0) << "exponent 0 is zero";
}

TEST(Real48, WritesTheStoredExamplesBackByteForByte) {
    const Real48Bytes examples[] = {{0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C},
                                    {0x80, 0, 0, 0, 0, 0x20},
                                    {0x81, 0, 0, 0, 0, 0},
                                    {0x84, 0x12, 0x34, 0x56, 0x78, 0x9A},
                                    {0x01, 0, 0, 0, 0, 0},
                                    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}};
    for (const auto& bytes : examples)
        EXPECT_EQ(DoubleToReal48(Real48ToDouble(bytes)), bytes);
    EXPECT_EQ(DoubleToReal48(0.1), (Real48Bytes{0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}));
    EXPECT_EQ(DoubleToReal48(0.0), (Real48Bytes{}));
    EXPECT_EQ(DoubleToReal48(NAN), (Real48Bytes{}));
    EXPECT_EQ(DoubleToReal48(1e-300), (Real48Bytes{}));
    EXPECT_EQ(DoubleToReal48(1e300)[0], 0xFF);
    EXPECT_EQ(DoubleToReal48(-2.0), (Real48Bytes{0x82, 0, 0, 0, 0, 0x80}));
}

} // namespace
} // namespace dd
