#include "physics/numeric/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

namespace tavro {
namespace {

TEST(NumberText, SeventeenDigitsRoundTrip) {
    for (double v : {0.1, -12.0, 7.2580658427114217, 1e-300, 1.7976931348623157e308, 1013.0}) {
        double back = 0;
        ASSERT_TRUE(ParseDouble(FormatDouble17(v), back)) << FormatDouble17(v);
        EXPECT_EQ(back, v);
    }
    EXPECT_EQ(FormatDouble17(0.1), "0.10000000000000001");
    EXPECT_EQ(FormatDouble17(-12), "-12");
    EXPECT_EQ(FormatDouble17(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(FormatDouble17(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(NumberText, ParseAcceptsOnlyWholeFiniteNumbers) {
    double v = 0;
    EXPECT_TRUE(ParseDouble("+5.5", v));
    EXPECT_EQ(v, 5.5);
    EXPECT_TRUE(ParseDouble("-1e3", v));
    EXPECT_EQ(v, -1000);
    for (const char* bad : {"", "+", "+-5", "5,5", "5.5x", " 5", "nan", "inf", "1e999", "abc"}) {
        EXPECT_FALSE(ParseDouble(bad, v)) << '"' << bad << '"';
    }
}

TEST(NumberText, Int32AcceptsOnlyWholeNumbersInRange) {
    int32_t v = 7;
    EXPECT_TRUE(ParseInt32("+12", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(ParseInt32("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    for (const char* bad : {"", "+", "+-1", "1.0", "2147483648", " 1", "1 ", "0x10"}) {
        int32_t w = 7;
        EXPECT_FALSE(ParseInt32(bad, w)) << '"' << bad << '"';
        EXPECT_EQ(w, 7);
    }
}

// In a locale with a decimal comma (as Qt sets from the environment) the
// file and command-line notation still uses a point.
TEST(NumberText, DecimalCommaLocaleStillUsesAPoint) {
    const char* de = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (de == nullptr) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    double v = 0;
    EXPECT_TRUE(ParseDouble("20.5", v));
    EXPECT_EQ(v, 20.5);
    EXPECT_FALSE(ParseDouble("20,5", v));
    EXPECT_EQ(FormatDouble17(0.5), "0.5");
    std::setlocale(LC_ALL, "C");
}

} // namespace
} // namespace tavro
