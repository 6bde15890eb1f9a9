#include "shell/qt/qt_pictures.h"

#include "shell/qt/qt_text.h"
#include "shell/texts/pictures.h"

#include <QImage>

#include <gtest/gtest.h>

namespace tavro {
namespace {

// Both in one pixel format, since a pixmap keeps its pixels premultiplied.
QImage Pixels(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Pixels(const Picture& picture) {
    return ToQImage(picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(QtPictures, DoubleDrawingKeepsTheLayoutSize) {
    const QPixmap single = ScreenPixmap(3202, 1.0);
    const QPixmap doubled = ScreenPixmap(3202, 2.0);
    EXPECT_EQ(single.devicePixelRatio(), 1.0);
    EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
    EXPECT_EQ(doubled.height(), 84);
    EXPECT_EQ(LayoutSize(single), QSize(190, 42));
    EXPECT_EQ(LayoutSize(doubled), QSize(190, 42));
    // Without a double drawing the picture itself, at ratio 1.
    EXPECT_EQ(ScreenPixmap(195, 2.0).devicePixelRatio(), 1.0);
    EXPECT_THROW(ScreenPixmap("BUTTON_NONE", 2.0), ResourceError);
}

// The icon must hand a scaled screen the double drawing itself, not the
// small glyph scaled up.
TEST(QtPictures, IconDrawsEachScaleFromItsOwnDrawing) {
    const QIcon icon = ScreenIcon("BUTTON_CLOSE");
    const QPixmap at1 = icon.pixmap(QSize(16, 16), 1.0);
    const QPixmap at2 = icon.pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(at1.size(), QSize(16, 16));
    EXPECT_EQ(at2.size(), QSize(32, 32));
    EXPECT_EQ(Pixels(at1), Pixels(LoadPngResource("BUTTON_CLOSE")));
    EXPECT_EQ(Pixels(at2), Pixels(LoadPngResource("BUTTON_CLOSE@2x")));
    EXPECT_EQ(ScreenIcon(9990).pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
    EXPECT_THROW(ScreenIcon("BUTTON_NONE"), ResourceError);
}

TEST(QtPictures, ProgramIconHasEveryThemeSize) {
    const QList<QSize> sizes = ProgramIcon().availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

} // namespace
} // namespace tavro
