#include "controls/daten_grid.h"

#include "shell/qt/fonts.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace tavro {
namespace {

using Align = TDatenGrid::CellAlign;

TEST(DatenGrid, AlignmentRule) {
    struct Case {
        const char* text;
        Align align;
        const char* shown;
    };
    const Case cases[] = {
        {"#12", Align::Right, "12"},   {"#Winter", Align::Right, "Winter"},
        {"#", Align::Right, ""},       {"##", Align::Right, "#"},
        {"H1", Align::Right, "H1"},    {"H3", Align::Right, "H3"},
        {"H6", Align::Right, "H6"},    {"H7", Align::Left, "H7"},
        {"H0", Align::Left, "H0"},     {"H", Align::Left, "H"},
        {"H30", Align::Left, "H30"},   {"h3", Align::Left, "h3"},
        {"-5", Align::Right, "-5"},    {"+32.0", Align::Right, "+32.0"},
        {"0.5", Align::Right, "0.5"},  {"9,500", Align::Right, "9,500"},
        {"Type", Align::Left, "Type"}, {" 12", Align::Left, " 12"},
        {"", Align::None, ""},
    };
    for (const Case& c : cases) {
        const TDatenGrid::CellLook look = TDatenGrid::LookOf(QString::fromLatin1(c.text));
        EXPECT_EQ(look.align, c.align) << '"' << c.text << '"';
        EXPECT_EQ(look.shown, QString::fromLatin1(c.shown)) << '"' << c.text << '"';
    }
}

TEST(DatenGrid, DefaultsAndCells) {
    TDatenGrid grid;
    ASSERT_EQ(grid.ColCount(), 6);
    const int widths[] = {177, 70, 3, 70, 3, 38};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(grid.ColWidths(c), widths[c]);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.RowHeights(4), 20);
    EXPECT_EQ(grid.size(), QSize(368, 100));
    EXPECT_EQ(grid.Color(), QColor(192, 192, 192));
    EXPECT_EQ(grid.focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(grid.isEnabled()); // refuses the focus without looking disabled
    EXPECT_EQ(grid.CellRect(3, 2), QRect(250, 40, 70, 20));

    grid.SetCell(1, 4, QStringLiteral("#1.5"));
    EXPECT_EQ(grid.Cell(1, 4), "#1.5");
    grid.SetCell(6, 0, QStringLiteral("outside")); // ignored
    grid.SetCell(0, -1, QStringLiteral("outside"));
    EXPECT_EQ(grid.Cell(6, 0), "");
    EXPECT_EQ(grid.CellRect(6, 0), QRect());
    grid.SetRowCount(8);
    EXPECT_EQ(grid.Cell(1, 4), "#1.5");
    EXPECT_EQ(grid.RowHeights(7), 20);
    grid.SetCell(5, 7, QStringLiteral("Pa"));
    EXPECT_EQ(grid.Cell(5, 7), "Pa");
    grid.SetColCount(2);
    EXPECT_EQ(grid.Cell(5, 7), "");
    EXPECT_EQ(grid.CellsSize(), QSize(247, 160));
    grid.Clear();
    EXPECT_EQ(grid.Cell(1, 4), "");
}

// Columns and rows of the image that hold text ink (dark pixels) inside `r`.
QRect InkIn(const QImage& image, const QRect& r) {
    QRect ink;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 100) ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

TEST(DatenGrid, Drawing) {
    TDatenGrid grid;
    grid.setFont(UiFont().font);
    grid.SetCell(0, 0, QStringLiteral("Type"));
    grid.SetCell(1, 0, QStringLiteral("#12"));
    grid.SetCell(3, 0, QStringLiteral("12"));
    grid.SetCell(1, 1, QStringLiteral("H3"));
    grid.SetCell(3, 1, QStringLiteral("#"));
    QImage image(grid.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    grid.render(&image);

    // Silver everywhere without text, no lines, also right of the columns.
    for (const QPoint p : {QPoint(0, 0), QPoint(176, 19), QPoint(177, 20), QPoint(365, 99),
                           QPoint(300, 30), QPoint(250, 25)}) {
        EXPECT_EQ(QColor(image.pixel(p)), QColor(192, 192, 192)) << p.x() << "," << p.y();
    }
    EXPECT_TRUE(InkIn(image, grid.CellRect(3, 1)).isNull()); // a lone "#" draws nothing
    EXPECT_TRUE(InkIn(image, grid.CellRect(0, 2)).isNull());

    const QRect type = InkIn(image, grid.CellRect(0, 0));
    ASSERT_FALSE(type.isNull());
    EXPECT_GE(type.left(), 2);
    EXPECT_LE(type.left(), 4);
    EXPECT_GE(type.top(), 4); // the text's top is 4 pixels down
    EXPECT_LE(type.top(), 4 + QFontMetrics(grid.font()).ascent() / 2);

    // "#12" is drawn as "12", ending 2 pixels left of its cell's right edge,
    // exactly as "12" is in the other column.
    const QRect cell1 = grid.CellRect(1, 0);
    const QRect hash = InkIn(image, cell1);
    const QRect plain = InkIn(image, grid.CellRect(3, 0));
    ASSERT_FALSE(hash.isNull());
    EXPECT_LE(hash.right(), cell1.right() - 2);
    EXPECT_GE(hash.right(), cell1.right() - 4);
    EXPECT_EQ(hash.size(), plain.size());
    EXPECT_EQ(plain.right() - hash.right(), 250 - 177); // same place in its cell
    const QRect h3 = InkIn(image, grid.CellRect(1, 1));
    EXPECT_GE(h3.right(), cell1.right() - 4);
}

TEST(DatenGrid, NeverTakesTheFocus) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit;
    auto* grid = new TDatenGrid;
    auto* last = new QLineEdit;
    layout->addWidget(first);
    layout->addWidget(grid);
    layout->addWidget(last);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(last->hasFocus());
}

} // namespace
} // namespace tavro
