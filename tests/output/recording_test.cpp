// Recorded pictures: playing them stretched onto another canvas, nested,
// and their text measured by the target.

#include "output/recording.h"

#include "output/painter_canvas.h"
#include "tests/support/recording_inspector.h"

#include <QImage>

#include <gtest/gtest.h>

namespace tavro {
namespace {

using test::Inspect;

TEST(Recording, PlaybackStretchesCoordinatesFontsAndPens) {
    Recording inner(QSize(100, 50));
    {
        TRecordingCanvas c(inner);
        c.SetPen({PenStyle::Solid, 4, Qt::black});
        c.Line(0, 0, 100, 50);
        FontSpec f;
        f.height = 10;
        c.SetFont(f);
        c.SetTextAlign(TextAlign::Right);
        c.TextOut(100, 10, QStringLiteral("edge"));
    }
    Recording outer(QSize(1000, 1000));
    {
        TRecordingCanvas c(outer);
        c.PlayRecording(QRect(200, 100, 400, 100), inner); // 4 × wider, 2 × higher
    }
    // The outer picture keeps the inner one as a nested picture; playing
    // the nested one into its box gives the stretched drawing.
    const test::Inspection nested = Inspect(outer);
    ASSERT_EQ(nested.pictures.size(), 1u);
    EXPECT_EQ(nested.pictures[0].r, QRect(200, 100, 400, 100));
    EXPECT_TRUE(nested.pictures[0].vector);
    const auto* play = std::get_if<Recording::PlayCmd>(&outer.Commands().back());
    ASSERT_NE(play, nullptr);
    Recording flat(QSize(1000, 1000));
    {
        TRecordingCanvas c(flat);
        play->recording->Play(c, play->r);
    }
    const test::Inspection s = Inspect(flat);
    ASSERT_EQ(s.lines.size(), 1u);
    EXPECT_EQ(s.lines[0].from, QPoint(200, 100));
    EXPECT_EQ(s.lines[0].to, QPoint(600, 200));
    EXPECT_EQ(s.lines[0].pen.width, 12); // the mean of the two scales
    ASSERT_EQ(s.texts.size(), 1u);
    EXPECT_EQ(s.texts[0].p, QPoint(600, 120));
    EXPECT_EQ(s.texts[0].font.height, 20);
    EXPECT_EQ(s.texts[0].align, TextAlign::Right); // resolved by the target, not here
}

TEST(Recording, ThinPensStayThinAndTheTargetStateComesBack) {
    Recording pic(QSize(10, 10));
    {
        TRecordingCanvas c(pic);
        c.SetPen({PenStyle::Dot, 0, Qt::black});
        c.Line(0, 0, 10, 10);
    }
    Recording target(QSize(1000, 1000));
    TRecordingCanvas c(target);
    c.SetPen({PenStyle::Solid, 3, Qt::red});
    pic.Play(c, QRect(0, 0, 1000, 1000));
    EXPECT_EQ(c.Pen().width, 3);
    EXPECT_EQ(c.Pen().color, QColor(Qt::red));
    const test::Inspection s = Inspect(target);
    EXPECT_EQ(s.lines[0].pen.width, 0);
    EXPECT_EQ(s.lines[0].pen.style, PenStyle::Dot);
}

TEST(Recording, RightAlignedTextEndsAtItsEdgeOnThePainter) {
    // Played onto a painter, a right-aligned text ends at its x.
    Recording page(QSize(1000, 200));
    {
        TRecordingCanvas c(page);
        FontSpec f;
        f.height = 80;
        c.SetFont(f);
        c.SetTextAlign(TextAlign::Right);
        c.TextOut(800, 40, QStringLiteral("1234"));
    }
    QImage image(1000, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        TPainterCanvas canvas(p);
        page.Play(canvas, QRect(0, 0, 1000, 200));
    }
    int rightmost = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) rightmost = x;
        }
    }
    EXPECT_NEAR(rightmost, 800, 8); // the side bearing of the last digit
    EXPECT_LE(rightmost, 800);
}

} // namespace
} // namespace tavro
