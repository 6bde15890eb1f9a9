#include "controls/tab_rows.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

constexpr int kRow = 20;

TEST(TabRows, TabsThatFitStayInOneRowAtTheirOwnWidths) {
    const TabRows r = LayOutTabRows({100, 80, 90}, 400, kRow, 1, true);
    EXPECT_EQ(r.rows, 1);
    EXPECT_EQ(r.height, kRow);
    EXPECT_EQ(r.rects[0], QRect(0, 0, 100, kRow));
    EXPECT_EQ(r.rects[1], QRect(100, 0, 80, kRow));
    EXPECT_EQ(r.rects[2], QRect(180, 0, 90, kRow));
}

TEST(TabRows, TabsWrapInOrderAndEveryRowFillsTheWidth) {
    // 150 + 140 fit into 300; the third and fourth go into a second row.
    const TabRows r = LayOutTabRows({150, 140, 120, 100}, 300, kRow, -1, true);
    ASSERT_EQ(r.rows, 2);
    EXPECT_EQ(r.height, 2 * kRow);
    EXPECT_EQ((std::vector<int>{0, 0, 1, 1}), r.rowOf);
    for (int row = 0; row < 2; ++row) {
        int left = 0;
        for (size_t i = 0; i < r.rects.size(); ++i) {
            if (r.rowOf[i] != row) continue;
            EXPECT_EQ(r.rects[i].left(), left) << i;
            left = r.rects[i].right() + 1;
        }
        EXPECT_EQ(left, 300) << "row " << row; // stretched to the full width
    }
    // The extra pixels are shared evenly: 80 over two tabs.
    EXPECT_EQ(r.rects[2].width(), 160);
    EXPECT_EQ(r.rects[3].width(), 140);
    // Without a valid current tab the rows keep their order, the first row
    // next to the pages below.
    EXPECT_EQ(r.rects[0].top(), kRow);
    EXPECT_EQ(r.rects[2].top(), 0);
}

TEST(TabRows, TheRowOfTheCurrentTabLiesNextToThePages) {
    const std::vector<int> widths{100, 100, 100, 100, 100};
    // Three rows of two, two and one tab.
    for (bool below : {true, false}) {
        for (int current = 0; current < 5; ++current) {
            const TabRows r = LayOutTabRows(widths, 250, kRow, current, below);
            ASSERT_EQ(r.rows, 3);
            const int next = below ? 2 * kRow : 0;
            EXPECT_EQ(r.rects[static_cast<size_t>(current)].top(), next)
                << "current " << current << (below ? " below" : " above");
            // The rows after it follow outwards, then those before it.
            const int row = r.rowOf[static_cast<size_t>(current)];
            const int following = (row + 1) % 3;
            const size_t tab = following == 0 ? 0 : following == 1 ? 2 : 4;
            EXPECT_EQ(r.rects[tab].top(), kRow) << "current " << current;
        }
    }
}

TEST(TabRows, ATabWiderThanTheBarHasARowOfItsOwnAndHiddenTabsNone) {
    const TabRows r = LayOutTabRows({60, 500, 0, 60}, 300, kRow, 3, true);
    EXPECT_EQ(r.rows, 3);
    EXPECT_EQ((std::vector<int>{0, 1, -1, 2}), r.rowOf);
    EXPECT_TRUE(r.rects[2].isNull());
    EXPECT_EQ(r.rects[1].width(), 500); // never narrower than its caption
    EXPECT_EQ(r.rects[3], QRect(0, 2 * kRow, 300, kRow));

    const TabRows none = LayOutTabRows({}, 300, kRow, 0, true);
    EXPECT_EQ(none.rows, 0);
    EXPECT_EQ(none.height, 0);
}

} // namespace
} // namespace tavro
