#include "product/model/show_options.h"

#include "shell/texts/texts.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavro {
namespace {

// The model shows figures with the caller's separators and texts in the
// caller's language, whatever the process has set.
TEST(ShowOptions, FiguresAndTextsFollowTheOptionsNotTheProcess) {
    const char savedDecimal = DecimalSeparator;
    DecimalSeparator = ';';
    ShowOptions german{true, kGerman, {',', '.', ""}};
    EXPECT_EQ(ShownNumber(1234.56, 1, german), "1234,6");
    EXPECT_EQ(ShownNumber(1234.56, 1, german, true), "1.234,6");
    EXPECT_EQ(ShownNumber(-0.04, 1, german), "0,0");
    EXPECT_EQ(ShownNumber(std::numeric_limits<double>::quiet_NaN(), 2, german), "NAN");
    EXPECT_EQ(ShownText(105, german), TextIn(105, kGerman));
    EXPECT_FALSE(ShownText(105, german).empty());
    const ShowOptions unknown{true, 99, {}};
    EXPECT_EQ(ShownText(105, unknown), "");
    DecimalSeparator = savedDecimal;
}

} // namespace
} // namespace tavro
