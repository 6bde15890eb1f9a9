#include "controls/vk_controls.h"

#include "shell/qt/fonts.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QMenu>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>

namespace tavro {
namespace {

// A palette in which every colour the captions use is told apart easily.
QPalette TestPalette() {
    QPalette pal;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Window, QColor(128, 128, 128));
        pal.setColor(group, QPalette::WindowText, QColor(255, 0, 0));
        pal.setColor(group, QPalette::Light, QColor(255, 255, 255));
        pal.setColor(group, QPalette::Dark, QColor(0, 0, 0));
    }
    return pal;
}

QImage Render(QWidget& w) {
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The bounding box of the pixels inside `area` that `match`.
QRect Where(const QImage& image, const QRect& area, const std::function<bool(QColor)>& match) {
    QRect found;
    const QRect r = area & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (match(QColor(image.pixel(x, y)))) found |= QRect(x, y, 1, 1);
        }
    }
    return found;
}

bool Reddish(QColor c) {
    return c.red() > 180 && c.green() < 90;
}
bool Whitish(QColor c) {
    return c.red() > 220 && c.green() > 220 && c.blue() > 220;
}
bool Blackish(QColor c) {
    return c.red() < 40 && c.green() < 40 && c.blue() < 40;
}
bool Ink(QColor c) {
    return c != QColor(128, 128, 128);
}

TEST(VkControls, CaptionsEnabledAndEngraved) {
    TVkCheckBox check(QStringLiteral("Energy class"));
    TVkRadioButton radio(QStringLiteral("EN 308"));
    TVkStaticText text(QStringLiteral("mbar"));
    QFont font = UiFont().font;
    font.setStyleStrategy(QFont::NoAntialias); // pure colours only
    for (QWidget* w : std::initializer_list<QWidget*>{&check, &radio, &text}) {
        w->setFont(font);
        w->setPalette(TestPalette());
        w->resize(150, 24);
        const QRect caption =
            w == &check ? check.CaptionArea() : (w == &radio ? radio.CaptionArea() : w->rect());
        const QImage enabled = Render(*w);
        EXPECT_FALSE(Where(enabled, caption, Reddish).isNull()) << w->metaObject()->className();
        EXPECT_TRUE(Where(enabled, caption, Whitish).isNull()) << w->metaObject()->className();
        w->setEnabled(false);
        const QImage disabled = Render(*w);
        const QRect light = Where(disabled, caption, Whitish);
        const QRect dark = Where(disabled, caption, Blackish);
        EXPECT_TRUE(Where(disabled, caption, Reddish).isNull()) << w->metaObject()->className();
        ASSERT_FALSE(light.isNull()) << w->metaObject()->className();
        ASSERT_FALSE(dark.isNull()) << w->metaObject()->className();
        // The light copy lies 1 pixel right and down, under the dark one.
        EXPECT_EQ(light.bottomRight(), dark.bottomRight() + QPoint(1, 1))
            << w->metaObject()->className();
    }
}

TEST(VkControls, CaptionsUseTheControlsFont) {
    TVkCheckBox check(QStringLiteral("Wet bulb"));
    check.setPalette(TestPalette());
    check.resize(200, 40);
    check.setFont(UiFont().font);
    const int small = Where(Render(check), check.CaptionArea(), Reddish).height();
    QFont big = UiFont().font;
    big.setPixelSize(22);
    check.setFont(big);
    const int large = Where(Render(check), check.CaptionArea(), Reddish).height();
    EXPECT_GT(large, small * 3 / 2);
}

TEST(VkControls, CheckBoxWrapsAndCentresItsCaption) {
    TVkCheckBox check(QStringLiteral("Show the energy efficiency class according to EN 13053"));
    check.setFont(UiFont().font);
    check.setPalette(TestPalette());
    check.resize(120, 60);
    const int line = QFontMetrics(check.font()).height();
    const QRect single = Where(Render(check), check.CaptionArea(), Reddish);
    EXPECT_LT(single.height(), 2 * line);
    EXPECT_NEAR(single.center().y(), 30, line / 2 + 1);

    check.SetWordWrap(true);
    EXPECT_TRUE(check.hasHeightForWidth());
    EXPECT_GE(check.heightForWidth(120), 3 * line);
    const QRect wrapped = Where(Render(check), check.CaptionArea(), Reddish);
    EXPECT_GE(wrapped.height(), 2 * line);
    EXPECT_NEAR(wrapped.center().y(), 30, line / 2 + 1);
    EXPECT_LE(wrapped.right(), 119);

    // The wrapped lines are part of the control: a click there toggles it.
    EXPECT_FALSE(check.isChecked());
    QTest::mouseClick(&check, Qt::LeftButton, {}, QPoint(wrapped.right() - 2, wrapped.bottom()));
    EXPECT_TRUE(check.isChecked());
}

TEST(VkControls, RadioButtonCaptionAtTheTop) {
    TVkRadioButton radio(QStringLiteral("Effectiveness ASHRAE 84 / AHRI 1060 with wrapping"));
    radio.setFont(UiFont().font);
    radio.setPalette(TestPalette());
    radio.SetWordWrap(true);
    radio.resize(110, 80);
    const int line = QFontMetrics(radio.font()).height();
    const QRect caption = Where(Render(radio), radio.CaptionArea(), Reddish);
    EXPECT_LT(caption.top(), line / 2 + 2);
    EXPECT_GE(caption.height(), 2 * line);
    EXPECT_LE(caption.left(), radio.CaptionArea().left() + 2);
    // The button sits beside the first line, not in the middle.
    const QRect button = Where(Render(radio), QRect(0, 0, radio.CaptionArea().left(), 80), Ink);
    ASSERT_FALSE(button.isNull());
    EXPECT_LT(button.bottom(), line + 6);
}

TEST(VkControls, StaticTextAlignsOneLine) {
    TVkStaticText text(QStringLiteral("Air pressure"));
    text.setFont(UiFont().font);
    text.setPalette(TestPalette());
    text.resize(200, 30);
    EXPECT_EQ(text.Alignment(), Qt::AlignLeft);
    const QRect left = Where(Render(text), text.rect(), Reddish);
    EXPECT_LE(left.left(), 2);
    EXPECT_LT(left.top(), 5); // at the top
    text.SetAlignment(Qt::AlignRight | Qt::AlignBottom);
    EXPECT_EQ(text.Alignment(), Qt::AlignRight);
    const QRect right = Where(Render(text), text.rect(), Reddish);
    EXPECT_GE(right.right(), 196);
    EXPECT_EQ(right.top(), left.top());
    text.SetAlignment(Qt::AlignHCenter);
    const QRect centre = Where(Render(text), text.rect(), Reddish);
    EXPECT_NEAR(centre.center().x(), 100, 2);
    // One line, however long or broken the caption.
    text.setText(QStringLiteral("first\nsecond"));
    EXPECT_LT(Where(Render(text), text.rect(), Reddish).height(),
              QFontMetrics(text.font()).height() + 1);
}

TEST(VkControls, MainMenuFollowsItsFont) {
    TVkMainMenu menu;
    QMenu* file = menu.addMenu(QStringLiteral("File"));
    QFont f = UiFont().font;
    menu.setFont(f);
    EXPECT_EQ(menu.ImageSize(), QFontInfo(f).pixelSize() + 4);
    const int small = menu.sizeHint().height();
    f.setPixelSize(24);
    menu.setFont(f);
    EXPECT_EQ(menu.ImageSize(), 28);
    EXPECT_GE(menu.sizeHint().height(), 28);
    EXPECT_GT(menu.sizeHint().height(), small);
    // The menus, windows of their own, get the bar's font too, also later ones.
    EXPECT_EQ(file->font().pixelSize(), 24);
    QMenu* sub = file->addMenu(QStringLiteral("Language"));
    QMenu* options = menu.addMenu(QStringLiteral("Options"));
    EXPECT_EQ(options->font().pixelSize(), 24);
    f.setPixelSize(13);
    menu.setFont(f);
    EXPECT_EQ(sub->font().pixelSize(), 13);
    EXPECT_EQ(options->font().pixelSize(), 13);
}

TEST(VkControls, PageControlDrawsEachCaptionInItsPagesFont) {
    TVkPageControl pages;
    pages.setFont(UiFont().font);
    auto* first = new TVkTabSheet;
    auto* second = new TVkTabSheet;
    EXPECT_EQ(pages.AddPage(first, QStringLiteral("Units")), 0);
    EXPECT_EQ(pages.AddPage(second, QStringLiteral("Units")), 1);
    pages.resize(400, 200);
    pages.show();
    QTabBar* bar = pages.tabBar();
    EXPECT_EQ(bar->tabRect(0).size(), bar->tabRect(1).size());

    QFont big = UiFont().font;
    big.setPixelSize(20);
    second->setFont(big);
    QApplication::processEvents();
    EXPECT_GT(bar->tabRect(1).width(), bar->tabRect(0).width() + 10);
    EXPECT_GE(bar->tabRect(1).height(), QFontMetrics(big).height());

    // Captions centred; the one not selected sits lower by the style's shift.
    QStyleOptionTab opt;
    opt.initFrom(bar);
    const int shift = bar->style()->pixelMetric(QStyle::PM_TabBarTabShiftVertical, &opt, bar);
    EXPECT_EQ(pages.CaptionRect(0), bar->tabRect(0));
    EXPECT_EQ(pages.CaptionRect(1), bar->tabRect(1).translated(0, shift));

    QImage image(bar->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    bar->render(&image);
    auto dark = [](QColor c) { return qGray(c.rgb()) < 100; };
    const QRect ink0 = Where(image, bar->tabRect(0).adjusted(3, 3, -3, -3), dark);
    const QRect ink1 = Where(image, bar->tabRect(1).adjusted(3, 3, -3, -3), dark);
    ASSERT_FALSE(ink0.isNull());
    ASSERT_FALSE(ink1.isNull());
    EXPECT_GT(ink1.height(), ink0.height() * 3 / 2);
    EXPECT_NEAR(ink0.center().x(), bar->tabRect(0).center().x(), 2);
    EXPECT_NEAR(ink1.center().x(), bar->tabRect(1).center().x(), 2);
}

TEST(VkControls, MultiLinePageControlWrapsItsTabsInsteadOfShorteningThem) {
    TVkPageControl pages;
    pages.setFont(UiFont().font);
    const QString captions[] = {QStringLiteral("   Environment   "),
                                QStringLiteral("   Units / Formats   "),
                                QStringLiteral("   Input data   "), QStringLiteral("Process data")};
    for (const QString& c : captions)
        pages.AddPage(new TVkTabSheet, c);
    pages.SetMultiLine(true);
    pages.resize(260, 200);
    pages.show();
    QApplication::processEvents();
    QTabBar* bar = pages.tabBar();

    ASSERT_GE(pages.RowCount(), 2);
    const int rowHeight = pages.TabArea(0).height();
    EXPECT_EQ(bar->height(), pages.RowCount() * rowHeight);
    // The pages start below all rows.
    EXPECT_GE(pages.currentWidget()->mapTo(&pages, QPoint(0, 0)).y(), bar->geometry().bottom());
    // Every tab holds its whole caption.
    const int space = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    for (int i = 0; i < pages.count(); ++i) {
        const QRect r = pages.TabArea(i);
        EXPECT_TRUE(bar->rect().contains(r)) << i;
        EXPECT_GE(r.width(), bar->fontMetrics().horizontalAdvance(captions[i]) + space) << i;
    }

    // A click into the outer row selects its tab, and that row moves next
    // to the pages.
    const int last = pages.count() - 1;
    pages.setCurrentIndex(0);
    QApplication::processEvents();
    const QRect outer = pages.TabArea(last);
    ASSERT_LT(outer.bottom(), pages.TabArea(0).top());
    QTest::mouseClick(bar, Qt::LeftButton, {}, outer.center());
    EXPECT_EQ(pages.currentIndex(), last);
    EXPECT_EQ(pages.TabArea(last).bottom(), bar->height() - 1);
    EXPECT_LT(pages.TabArea(0).bottom(), pages.TabArea(last).top());

    // Wide enough for all: one row, at the tabs' own widths.
    pages.resize(800, 200);
    QApplication::processEvents();
    EXPECT_EQ(pages.RowCount(), 1);
    EXPECT_EQ(bar->height(), rowHeight);
    EXPECT_EQ(pages.TabArea(1).left(), pages.TabArea(0).right() + 1);
}

TEST(VkControls, TabSheetColourAndEditAlignment) {
    TVkTabSheet sheet;
    EXPECT_EQ(sheet.Color(), sheet.palette().color(QPalette::Button));
    sheet.resize(20, 20);
    sheet.SetColor(QColor(255, 255, 224));
    QImage image(sheet.size(), QImage::Format_RGB32);
    sheet.render(&image);
    EXPECT_EQ(QColor(image.pixel(10, 10)), QColor(255, 255, 224));
    EXPECT_EQ(sheet.property("Color").value<QColor>(), QColor(255, 255, 224));

    TVkEdit edit;
    EXPECT_EQ(edit.Alignment(), Qt::AlignLeft);
    edit.setProperty("Alignment", QVariant::fromValue(Qt::Alignment(Qt::AlignRight)));
    EXPECT_EQ(edit.Alignment(), Qt::AlignRight);
    EXPECT_EQ(edit.alignment(), Qt::AlignRight | Qt::AlignVCenter);
    edit.SetAlignment(Qt::AlignHCenter | Qt::AlignTop);
    EXPECT_EQ(edit.alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
}

} // namespace
} // namespace tavro
