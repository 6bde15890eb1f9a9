#include "chart/process_lines.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavro {
namespace {

TDatenREK Air(double t11, double t12, double t21, double t22, double x) {
    TDatenREK r;
    r.Temp11 = t11;
    r.Temp12 = t12;
    r.Temp21 = t21;
    r.Temp22 = t22;
    r.X11 = r.X12 = r.X21 = r.X22 = x;
    return r;
}

TEST(ProcessLines, ReturnAirThenOutsideAirPerCaseTheCoolingCaseDotted) {
    const TDatenREK winter = Air(-10, 15, 22, 2, 5);
    const TDatenREK summer = Air(32, 26, 24, 30, 12);
    const ProcessLines p = LinesOfCases({&winter, &summer}, 1, 0);
    ASSERT_EQ(p.lines.size(), 4u);
    EXPECT_EQ(p.lines[0][0].t, 22);
    EXPECT_EQ(p.lines[0][1].t, 2);
    EXPECT_EQ(p.lines[1][0].t, -10);
    EXPECT_EQ(p.lines[1][1].t, 15);
    EXPECT_EQ(p.lines[3][0].t, 32);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(p.lines[i][0].style, i < 2 ? 0 : 2) << i;
        EXPECT_EQ(p.lines[i][0].line, p.lines[i][1].line);
    }
    EXPECT_NE(p.lines[0][0].line, p.lines[1][0].line);
    EXPECT_EQ(p.lines[0][0].line, p.lines[2][0].line);
    EXPECT_EQ(p.tempRange, 1);
    EXPECT_EQ(p.humRange, 0);
}

// Ranges rise to hold the hottest and most humid state, never fall, and a
// second pass keeps them: the window and a stored selection draw alike.
TEST(ProcessLines, RangesRiseToHoldEveryStateAndStay) {
    struct Row {
        double t, x;
        int start, tempRange, humRange;
    };
    const Row rows[] = {
        {60, 20, 0, 0, 0},  {60.1, 20.1, 0, 1, 1}, {85, 45, 1, 2, 3},
        {130, 60, 0, 4, 4}, {20, 5, 3, 3, 3},
    };
    for (const Row& row : rows) {
        const TDatenREK r = Air(0, row.t, 10, 5, row.x);
        const ProcessLines p = LinesOfCases({&r}, row.start, row.start);
        EXPECT_EQ(p.tempRange, row.tempRange) << row.t;
        EXPECT_EQ(p.humRange, row.humRange) << row.x;
        const ProcessLines again = LinesOfCases({&r}, p.tempRange, p.humRange);
        EXPECT_EQ(again.tempRange, p.tempRange);
        EXPECT_EQ(again.humRange, p.humRange);
    }
}

TEST(ProcessLines, NoCasesNoLinesRangesKept) {
    const ProcessLines p = LinesOfCases({}, 2, 3);
    EXPECT_TRUE(p.lines.empty());
    EXPECT_EQ(p.tempRange, 2);
    EXPECT_EQ(p.humRange, 3);
}

} // namespace
} // namespace tavro
