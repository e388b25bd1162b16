#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/strings.h"

using namespace fw;

TEST(StrTest, WholeNumbersHaveNoDecimalPart) {
    EXPECT_EQ(Str(0), "0");
    EXPECT_EQ(Str(-0.0), "0");
    EXPECT_EQ(Str(1), "1");
    EXPECT_EQ(Str(1001), "1001");
    EXPECT_EQ(Str(-3), "-3");
    EXPECT_EQ(Str(2147483647.0), "2147483647");
    // Beyond 7 digits whole numbers still show every digit.
    EXPECT_EQ(Str(12345678), "12345678");
    EXPECT_EQ(Str(1e15), "1000000000000000");
    EXPECT_EQ(Str(-1e15), "-1000000000000000");
    EXPECT_EQ(Str(1e20), "100000000000000000000");
}

TEST(StrTest, FractionsUseUpToSevenSignificantDigits) {
    EXPECT_EQ(Str(0.5), "0.5");
    EXPECT_EQ(Str(-0.25), "-0.25");
    EXPECT_EQ(Str(3.14159265358979), "3.141593");
    EXPECT_EQ(Str(1.0 / 3.0), "0.3333333");
    EXPECT_EQ(Str(123456.75), "123456.8");
    EXPECT_EQ(Str(0.1 + 0.2), "0.3");  // no binary noise, no trailing zeros
    EXPECT_EQ(Str(2.00000001), "2");   // rounds to a whole-looking value
}

TEST(ValTest, ReadsTheLeadingNumber) {
    struct Case { const char* text; double value; };
    const Case cases[] = {
        {"12abc", 12},     {"abc", 0},       {"", 0},          {" -3.5x", -3.5},
        {"1e3", 1000},     {"1e", 1},        {"1e+", 1},       {"1e-x", 1},
        {"2E2", 200},      {"1.5e-2", 0.015}, {"+7", 7},        {".5", 0.5},
        {"-.5", -0.5},     {"5.", 5},        {".", 0},         {"-", 0},
        {" \t 42", 42},    {"--5", 0},       {"- 5", 0},       {"0x10", 0},
        {"1,5", 1},        {"007", 7},       {"3.25.1", 3.25}, {"12 34", 12},
        {"e5", 0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << '"' << c.text << '"';
}

TEST(ValTest, OutOfRangeExponents) {
    EXPECT_EQ(Val("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val("1e-400"), 0.0);
    EXPECT_EQ(Val("0.000001e-320"), 0.0);
    EXPECT_EQ(Val("1e99999999999999999999"), std::numeric_limits<double>::infinity());
}

TEST(ValTest, ReadsBackWhatStrWrites) {
    for (double v : {0.0, 1.0, -3.0, 1001.0, 0.5, -0.25, 1e15, 123456.8})
        EXPECT_DOUBLE_EQ(Val(Str(v)), v) << v;
}

TEST(RoundTest, HalvesGoAwayFromZero) {
    EXPECT_EQ(Round(2.5), 3);
    EXPECT_EQ(Round(-2.5), -3);
    EXPECT_EQ(Round(0.5), 1);
    EXPECT_EQ(Round(-0.5), -1);
    EXPECT_EQ(Round(1.5), 2);  // not to even
    EXPECT_EQ(Round(1.4999999), 1);
    EXPECT_EQ(Round(-1.4999999), -1);
    // The largest double below one half: adding 0.5 and flooring gets this wrong.
    EXPECT_EQ(Round(0.49999999999999994), 0);
    EXPECT_EQ(Round(4503599627370497.0), 4503599627370497.0);
}

TEST(ToInt32Test, TruncatesTowardZero) {
    EXPECT_EQ(ToInt32(2.7), 2);
    EXPECT_EQ(ToInt32(-2.7), -2);
    EXPECT_EQ(ToInt32(-0.9), 0);
    EXPECT_EQ(ToInt32(2147483647.9), 2147483647);
    EXPECT_EQ(ToInt32(-2147483648.9), std::numeric_limits<int32_t>::min());
}

TEST(ToInt32Test, SaturatesOutsideTheRange) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(ToInt32(2147483648.0), kMax);
    EXPECT_EQ(ToInt32(1e20), kMax);
    EXPECT_EQ(ToInt32(-2147483649.0), kMin);
    EXPECT_EQ(ToInt32(-1e20), kMin);
    EXPECT_EQ(ToInt32(std::numeric_limits<double>::infinity()), kMax);
    EXPECT_EQ(ToInt32(-std::numeric_limits<double>::infinity()), kMin);
    EXPECT_EQ(ToInt32(std::nan("")), 0);
}
