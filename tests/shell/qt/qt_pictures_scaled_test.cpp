// The windows on a screen scaled by two (ctest runs this program with
// QT_SCALE_FACTOR=2): every picture comes from its double drawing and keeps
// the layout it has at scale 1.

#include "shell/qt/qt_pictures.h"

#include "output/page_view.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/pictures.h"
#include "shell/windows/info_window.h"
#include "tests/support/tavro_window_fixture.h"
#include "tests/support/temp_folder.h"

#include <QGuiApplication>
#include <QLabel>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tavro {
namespace {

class ScaledScreen : public test::TavroWindowTest {
protected:
    void SetUp() override {
        test::TavroWindowTest::SetUp();
        ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
    }

    // Every label of `window` that shows a picture shows it at ratio 2.
    static void ExpectSharpLabels(const QWidget& window) {
        int pictures = 0;
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            const QPixmap pixmap = label->pixmap();
            if (pixmap.isNull()) continue;
            ++pictures;
            EXPECT_EQ(pixmap.devicePixelRatio(), 2.0) << label->objectName().toStdString();
        }
        EXPECT_GT(pictures, 0);
    }

    test::TempConfigHome home_;
};

TEST_F(ScaledScreen, MainWindowLogosAreSharpAndKeepTheirPlace) {
    TFormTavro& window = Start();
    ExpectSharpLabels(window);
    EXPECT_EQ(window.Image_Logo->geometry(), QRect(1, 1, 190, 40));
    EXPECT_EQ(window.Image_Logo_R->size(), QSize(127, 40));
}

TEST_F(ScaledScreen, InformationWindowPicturesAreSharpAndKeepTheirPlace) {
    TFormTavro& window = Start();
    TFormInfo info(&window);
    ExpectSharpLabels(info);
    EXPECT_EQ(info.Image_Bild->size(), QSize(500, 220));
    EXPECT_EQ(info.Image_TUV->geometry(), QRect(405, 46, 64, 64));
}

TEST_F(ScaledScreen, ToolButtonsDrawTheDoubleGlyph) {
    QWidget strip;
    QToolButton* close =
        MakeToolButton(&strip, "Button_Close", "BUTTON_CLOSE", QStringLiteral("X"));
    QToolButton* pdf = MakeToolButton(&strip, "Button_PDF", "BUTTON_PAGE", QStringLiteral("P"));
    SetToolGlyph(pdf, 9990);
    strip.show();
    const QPixmap glyph = close->icon().pixmap(close->iconSize(), close->devicePixelRatio());
    EXPECT_EQ(glyph.size(), QSize(32, 32));
    EXPECT_EQ(glyph.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              ToQImage(LoadPngResource("BUTTON_CLOSE@2x"))
                  .convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(pdf->icon().pixmap(QSize(32, 32), pdf->devicePixelRatio()).size(), QSize(64, 64));
}

} // namespace
} // namespace tavro
