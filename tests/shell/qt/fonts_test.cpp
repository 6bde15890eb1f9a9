#include "shell/qt/fonts.h"

#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/texts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>

#include <gtest/gtest.h>

namespace tavro {
namespace {

void Apply(int language) {
    CurrentLanguage = static_cast<uint8_t>(language);
    ApplyLanguageFonts();
}

TEST(Fonts, FacesAndSizes) {
    CreateSharedFonts();
    EXPECT_EQ(UiFont().font.family(), "Tahoma");
    EXPECT_EQ(UiFont().font.pixelSize(), 11);
    EXPECT_EQ(DrawingFont().font.family(), "Arial");
    EXPECT_EQ(DrawingFont().font.pointSize(), 8);
    EXPECT_EQ(UiFont().charset, 1); // until a language is applied
    // Both faces resolve to an installed face with Arial's metrics.
    EXPECT_EQ(QFontInfo(DrawingFont().font).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(UiFont().font).family(), "Liberation Sans");
}

TEST(Fonts, LanguageSetsCharsetAndCodePage) {
    Apply(kPolish);
    EXPECT_EQ(UiFont().charset, 238);
    EXPECT_EQ(DrawingFont().charset, 238);
    EXPECT_EQ(UiCodePage, 1250);
    Apply(kGerman);
    EXPECT_EQ(UiFont().charset, 162);
    EXPECT_EQ(UiCodePage, 1254);
    Apply(kChinese);
    EXPECT_EQ(DrawingFont().charset, 134);
    EXPECT_EQ(UiCodePage, 936);
    Apply(kRussian);
    EXPECT_EQ(UiFont().charset, 204);
    Apply(kEnglish);
}

int InkOf(const QString& text, const QFont& font) {
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(2, 24, text);
    p.end();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    }
    return ink;
}

TEST(Fonts, ChineseHasRealGlyphs) {
    EXPECT_TRUE(QFontDatabase::families().contains("WenQuanYi Micro Hei"));
    QFont f = DrawingFont().font;
    f.setPixelSize(20);
    // A real glyph differs from the box drawn for a character no font has.
    const int real = InkOf(QString::fromUtf8("中"), f);
    const int box = InkOf(QString(QChar(0xE000)), f);
    EXPECT_GT(real, 20);
    EXPECT_NE(real, box);
}

TEST(Fonts, CaptionsReachQtInEveryLanguage) {
    for (int language : AvailableLanguages) {
        Apply(language);
        const QString caption = TextOf(105);
        EXPECT_EQ(caption, QString::fromStdU16String(TableText(10000 + 1000 * language + 105)))
            << language;
        EXPECT_FALSE(caption.contains(QChar('?')));
    }
    Apply(kEnglish);
}

TEST(Fonts, PicturesReachQt) {
    const QImage logo = ToQImage(LoadJpegResource(3202));
    EXPECT_EQ(logo.height(), 42);
    EXPECT_FALSE(logo.isNull());
    EXPECT_TRUE(ToQImage(Picture{}).isNull());
}

} // namespace
} // namespace tavro
