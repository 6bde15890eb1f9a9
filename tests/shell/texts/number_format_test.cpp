#include "shell/texts/number_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace tavro {
namespace {

// Every test starts with a point and a comma and restores whatever it set.
class NumberFormat : public testing::Test {
protected:
    void SetUp() override {
        DecimalSeparator = '.';
        ThousandSeparator = ',';
        CurrencyString.clear();
    }
    void TearDown() override { SetUp(); }
    static void UseComma() {
        DecimalSeparator = ',';
        ThousandSeparator = '.';
    }
};

struct FormatCase {
    double value;
    TFloatFormat format;
    int precision;
    int digits;
    const char* point; // with '.' and ','
    const char* comma; // with ',' and '.'
};

TEST_F(NumberFormat, FormatsTable) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const FormatCase cases[] = {
        // General: fixed notation between 1E-4 and the precision, scientific outside.
        {954.3525489656562, ffGeneral, 10, 0, "954.352549", "954,352549"},
        {1013, ffGeneral, 10, 0, "1013", "1013"},
        {0, ffGeneral, 10, 0, "0", "0"},
        {-0.5, ffGeneral, 10, 0, "-0.5", "-0,5"},
        {0.0001, ffGeneral, 15, 0, "0.0001", "0,0001"},
        {0.00001, ffGeneral, 15, 0, "1E-5", "1E-5"},
        {1.5e-7, ffGeneral, 15, 2, "1.5E-07", "1,5E-07"},
        {1e15, ffGeneral, 15, 0, "1E15", "1E15"},
        {999999999999999.0, ffGeneral, 15, 0, "999999999999999", "999999999999999"},
        {123456789012.0, ffGeneral, 10, 0, "1.23456789E11", "1,23456789E11"},
        {0.1, ffGeneral, 17, 0, "0.10000000000000001", "0,10000000000000001"},
        // Exponent: always signed, precision digits kept.
        {1234.5, ffExponent, 5, 2, "1.2345E+03", "1,2345E+03"},
        {-0.00012, ffExponent, 3, 0, "-1.20E-4", "-1,20E-4"},
        {0, ffExponent, 3, 2, "0.00E+00", "0,00E+00"},
        // Fixed: decimals padded, precision caps the significant digits.
        {1013, ffFixed, 10, 2, "1013.00", "1013,00"},
        {1.23456789, ffFixed, 3, 5, "1.23000", "1,23000"},
        {0.004, ffFixed, 10, 2, "0.00", "0,00"},
        {0.006, ffFixed, 10, 2, "0.01", "0,01"},
        {-0.001, ffFixed, 10, 2, "0.00", "0,00"}, // no "-0.00"
        {-0.0, ffFixed, 10, 1, "0.0", "0,0"},
        {9.996, ffFixed, 10, 2, "10.00", "10,00"},
        {12.5, ffFixed, 10, 0, "12", "12"}, // exact halves go to even
        {1234567.891, ffFixed, 10, 2, "1234567.89", "1234567,89"},
        {0.000123456789012, ffFixed, 10, 18, "0.000123456789000000", "0,000123456789000000"},
        // More integer digits than the precision: general notation.
        {1e12, ffFixed, 10, 2, "1E12", "1E12"},
        {9999999999.996, ffFixed, 10, 2, "1E10", "1E10"},
        // Number and currency: thousands separators.
        {1234567.891, ffNumber, 10, 2, "1,234,567.89", "1.234.567,89"},
        {-1234, ffNumber, 10, 0, "-1,234", "-1.234"},
        {999, ffNumber, 10, 1, "999.0", "999,0"},
        {100000, ffNumber, 10, 0, "100,000", "100.000"},
        {1234.5, ffCurrency, 10, 2, "1,234.50", "1.234,50"},
        // Not finite.
        {nan, ffFixed, 10, 2, "NAN", "NAN"},
        {inf, ffGeneral, 10, 2, "INF", "INF"},
        {-inf, ffNumber, 10, 2, "-INF", "-INF"},
    };
    for (const FormatCase& c : cases) {
        SetUp();
        EXPECT_EQ(FormatNumber(c.value, c.format, c.precision, c.digits), c.point)
            << c.value << " format " << c.format;
        UseComma();
        EXPECT_EQ(FormatNumber(c.value, c.format, c.precision, c.digits), c.comma)
            << c.value << " format " << c.format;
    }
}

TEST_F(NumberFormat, SeparatorOptions) {
    ThousandSeparator = '\0';
    EXPECT_EQ(FormatNumber(1234567, ffNumber, 10, 0), "1234567");
    ThousandSeparator = ' ';
    EXPECT_EQ(FormatNumber(1234567, ffNumber, 10, 0), "1 234 567");
    CurrencyString = "EUR";
    EXPECT_EQ(FormatNumber(-1234.5, ffCurrency, 10, 2), "-1 234.50 EUR");
    // Out-of-range arguments are clamped, never crash.
    EXPECT_EQ(FormatNumber(2.0 / 3, ffFixed, 99, -3), "1");
    EXPECT_EQ(FormatNumber(2.0 / 3, ffGeneral, 0, 9), "0.7");
}

// Callers that pass their own separators get them whatever the process has.
TEST_F(NumberFormat, GivenSeparatorsIgnoreTheProcessSettings) {
    UseComma();
    CurrencyString = "PLN";
    const NumberSeparators own{'\'', ' ', "CHF"};
    EXPECT_EQ(FormatNumber(-1234567.126, ffCurrency, 12, 2, own), "-1 234 567'13 CHF");
    EXPECT_EQ(FormatNumber(1.5e-7, ffGeneral, 4, 0, own), "1'5E-7");
    EXPECT_EQ(FormatNumber(12.5, ffExponent, 3, 2, own), "1'25E+01");
    EXPECT_EQ(FormatG(0.25, 6, own), "0'25");
    EXPECT_EQ(FormatNumber(-1234567.126, ffCurrency, 12, 2), "-1.234.567,13 PLN");
    const NumberSeparators current = CurrentSeparators();
    EXPECT_EQ(current.decimal, ',');
    EXPECT_EQ(current.thousands, '.');
    EXPECT_EQ(current.currency, "PLN");
}

TEST_F(NumberFormat, RoundTrips) {
    const double values[] = {0,   1013,  -12.75,  954.3525489656562, 1e-300, 1.7976931348623157e308,
                             0.1, -2140, 13500.5, 6.02214076e23,     1e-5,   123456.789};
    for (bool comma : {false, true}) {
        if (comma) UseComma();
        for (double v : values) {
            const std::string text = FormatNumber(v, ffGeneral, 17, 0);
            double back = -1;
            ASSERT_TRUE(ParseNumber(text, back)) << text;
            EXPECT_EQ(back, v) << text;
            const std::string fixed = FormatNumber(v, ffFixed, 15, 3);
            ASSERT_TRUE(ParseNumber(fixed, back) || std::fabs(v) >= 1e15) << fixed;
        }
        for (int32_t i : {0, 1, -1, 42, 2147483647, -2147483647 - 1}) {
            int32_t back = 7;
            ASSERT_TRUE(ParseInteger(std::to_string(i), back));
            EXPECT_EQ(back, i);
        }
    }
}

TEST_F(NumberFormat, ParsesWithTheDecimalPoint) {
    double v = 0;
    EXPECT_TRUE(ParseNumber(" 12.5\t", v));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(ParseNumber("+3", v));
    EXPECT_EQ(v, 3);
    EXPECT_TRUE(ParseNumber("-.5", v));
    EXPECT_EQ(v, -0.5);
    EXPECT_TRUE(ParseNumber("5.", v));
    EXPECT_EQ(v, 5);
    EXPECT_TRUE(ParseNumber("1E-3", v));
    EXPECT_EQ(v, 0.001);
    EXPECT_TRUE(ParseNumber("2.5e+2", v));
    EXPECT_EQ(v, 250);
    v = 99;
    for (const char* bad :
         {"",      "  ",  ".",   "-",    "+-1",   "1e",   "1e+", "1.2.3", "1,5", "1,234.5",
          "1 000", "nan", "inf", "-inf", "1e999", "0x10", "12a", "e5",    "1..", "1.5 kg"}) {
        EXPECT_FALSE(ParseNumber(bad, v)) << '"' << bad << '"';
    }
    EXPECT_EQ(v, 99); // unchanged by every failure
}

TEST_F(NumberFormat, ParsesWithTheDecimalComma) {
    UseComma();
    double v = 0;
    EXPECT_TRUE(ParseNumber("1013,5", v));
    EXPECT_EQ(v, 1013.5);
    EXPECT_TRUE(ParseNumber("-0,25e1", v));
    EXPECT_EQ(v, -2.5);
    EXPECT_TRUE(ParseNumber("1013", v));
    EXPECT_EQ(v, 1013);
    EXPECT_FALSE(ParseNumber("1013.5", v));  // a point is no number here
    EXPECT_FALSE(ParseNumber("1.013,5", v)); // nor are thousands separators
}

TEST_F(NumberFormat, ParsesIntegers) {
    int32_t v = 0;
    EXPECT_TRUE(ParseInteger(" -7 ", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(ParseInteger("+8", v));
    EXPECT_EQ(v, 8);
    EXPECT_TRUE(ParseInteger("007", v));
    EXPECT_EQ(v, 7);
    v = 5;
    for (const char* bad : {"", "-", "+", "+-1", "--1", "1.5", "1e3", "2147483648", "-2147483649",
                            "12a", "1 2", "0x1F"}) {
        EXPECT_FALSE(ParseInteger(bad, v)) << '"' << bad << '"';
    }
    EXPECT_EQ(v, 5);
}

TEST_F(NumberFormat, PercentGNotation) {
    EXPECT_EQ(FormatG(600), "600");
    EXPECT_EQ(FormatG(1100), "1100");
    EXPECT_EQ(FormatG(-2140), "-2140");
    EXPECT_EQ(FormatG(1.08), "1.08");
    EXPECT_EQ(FormatG(1013.256), "1013.26");
    EXPECT_EQ(FormatG(1e6), "1e+06");
    EXPECT_EQ(FormatG(0.0001), "0.0001");
    EXPECT_EQ(FormatG(0.00001), "1e-05");
    EXPECT_EQ(FormatG(1013.256, 15), "1013.256");
    UseComma();
    EXPECT_EQ(FormatG(0.6), "0,6");
}

TEST_F(NumberFormat, SeparatorsThatWouldGarbleNumbersAreRefused) {
    // A separator that can be part of a number ("0" shows -12.0 as
    // "-1200"), or that is no visible ASCII character, is refused.
    for (char c : {'0', '5', '9', 'a', 'e', 'E', 'x', 'Z', '+', '-', '\t', '\n', '\x7f', '\x01',
                   static_cast<char>(0xC3), static_cast<char>(0xB7)}) {
        EXPECT_FALSE(IsDecimalSeparatorAllowed(c)) << int(c);
        EXPECT_FALSE(IsThousandSeparatorAllowed(c)) << int(c);
    }
    for (char c : {'.', ',', '\'', ';', ':', '/', '_', '#', '"', '`', '~'}) {
        EXPECT_TRUE(IsDecimalSeparatorAllowed(c)) << c;
        EXPECT_TRUE(IsThousandSeparatorAllowed(c)) << c;
    }
    // The blank groups thousands only; '\0' is no grouping.
    EXPECT_FALSE(IsDecimalSeparatorAllowed(' '));
    EXPECT_TRUE(IsThousandSeparatorAllowed(' '));
    EXPECT_FALSE(IsDecimalSeparatorAllowed('\0'));
    EXPECT_TRUE(IsThousandSeparatorAllowed('\0'));
    EXPECT_TRUE(AreSeparatorsAllowed(',', ' '));
    EXPECT_TRUE(AreSeparatorsAllowed('.', '\''));
    EXPECT_FALSE(AreSeparatorsAllowed(',', ','));
    EXPECT_FALSE(AreSeparatorsAllowed(' ', ','));
    EXPECT_FALSE(AreSeparatorsAllowed('.', '5'));
}

TEST_F(NumberFormat, SeparatorsFromTheLocale) {
    // The C locale has a point and no thousands separator: the point is
    // taken, and a thousands point that would collide becomes a comma.
    UseComma();
    SeparatorsFromLocale();
    EXPECT_EQ(DecimalSeparator, '.');
    EXPECT_EQ(ThousandSeparator, ',');

    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8";
    SeparatorsFromLocale();
    EXPECT_EQ(DecimalSeparator, ',');
    EXPECT_EQ(ThousandSeparator, '.');
    // Formatting and parsing stay independent of the C locale.
    SetUp();
    EXPECT_EQ(FormatNumber(1234.5, ffNumber, 10, 1), "1,234.5");
    double v = 0;
    EXPECT_TRUE(ParseNumber("0.5", v));
    if (std::setlocale(LC_ALL, "fr_FR.UTF-8") != nullptr) {
        SeparatorsFromLocale(); // a narrow no-break space between thousands
        EXPECT_EQ(DecimalSeparator, ',');
        EXPECT_EQ(ThousandSeparator, ' ');
    }
    std::setlocale(LC_ALL, "C");
}

} // namespace
} // namespace tavro
