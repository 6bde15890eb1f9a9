// The program's vector pictures among its resources: each one reads, has
// the proportions of the box it is played into and stays inside its size.
// With TAVRO_VECTOR_SHOTS naming a folder, the pictures are also rendered
// there as PNG files for looking at (scripts/render-vectors.sh).

#include "output/vector_pictures.h"

#include "output/painter_canvas.h"
#include "shell/texts/resources.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace tavro {
namespace {

struct Listed {
    int number;
    QSize size;
};

// Logical sizes in the proportions of the boxes the pages play them into.
constexpr Listed kPictures[] = {
    {101, {1560, 1560}}, {201, {1650, 880}},  {203, {2580, 880}},  {3300, {1012, 900}},
    {3310, {880, 720}},  {3320, {1010, 800}}, {3325, {1040, 850}}, {3330, {890, 730}},
    {3340, {1020, 800}}, {3360, {950, 760}},  {3361, {950, 760}},
};

// Every point a picture draws, nested pictures included, as the offending
// description or an empty string when all lie within `size`.
std::string PointOutside(const Recording& r, int depth = 0) {
    const QRect bounds(QPoint(0, 0), QPoint(r.Size().width(), r.Size().height()));
    std::string bad;
    auto check = [&](const QPoint& p, const char* what) {
        if (bad.empty() && !bounds.contains(p))
            bad = std::string(what) + " at (" + std::to_string(p.x()) + ", " +
                  std::to_string(p.y()) + ")";
    };
    for (const Recording::Command& command : r.Commands()) {
        std::visit(
            [&](const auto& c) {
                using T = std::decay_t<decltype(c)>;
                if constexpr (std::is_same_v<T, Recording::MoveToCmd> ||
                              std::is_same_v<T, Recording::LineToCmd>) {
                    check(c.p, "line");
                } else if constexpr (std::is_same_v<T, Recording::TextCmd>) {
                    check(c.p, "text");
                } else if constexpr (std::is_same_v<T, Recording::RectangleCmd> ||
                                     std::is_same_v<T, Recording::EllipseCmd>) {
                    check(c.r.topLeft(), "box");
                    check(c.r.bottomRight(), "box");
                } else if constexpr (std::is_same_v<T, Recording::PolygonCmd>) {
                    for (const QPoint& p : c.points)
                        check(p, "polygon");
                } else if constexpr (std::is_same_v<T, Recording::PlayCmd>) {
                    check(c.r.topLeft(), "nested picture");
                    check(c.r.bottomRight(), "nested picture");
                    if (bad.empty() && c.recording && depth < 8) {
                        const std::string inner = PointOutside(*c.recording, depth + 1);
                        if (!inner.empty()) bad = "inside a nested picture: " + inner;
                    }
                }
            },
            command);
    }
    return bad;
}

TEST(VectorPictures, EveryPictureReadsWithItsSizeAndStaysInside) {
    for (const Listed& listed : kPictures) {
        SCOPED_TRACE(listed.number);
        const Recording r = LoadMetafileResource(listed.number);
        EXPECT_EQ(r.Size(), listed.size);
        EXPECT_GT(r.Commands().size(), 10u);
        EXPECT_EQ(PointOutside(r), "");
    }
}

TEST(VectorPictures, RepeatedLoadsGiveTheSamePicture) {
    const Recording first = LoadMetafileResource(3320);
    const Recording again = LoadMetafileResource(3320);
    EXPECT_EQ(again.Size(), first.Size());
    EXPECT_EQ(again.Commands().size(), first.Commands().size());
}

TEST(VectorPictures, MissingOrForeignResourceIsAResourceError) {
    for (const int number : {0, -1, 99999}) {
        SCOPED_TRACE(number);
        try {
            LoadMetafileResource(number);
            ADD_FAILURE() << "no error";
        } catch (const ResourceError& e) {
            EXPECT_THAT(e.what(), testing::HasSubstr(std::to_string(number)));
        }
    }
    // A raster picture is not a vector picture; reading it fails cleanly.
    ASSERT_TRUE(FindResource(195).has_value());
    EXPECT_THROW(LoadMetafileResource(195), ResourceError);
}

TEST(VectorPictures, RendersForLookingAtWhenAskedTo) {
    const char* folder = std::getenv("TAVRO_VECTOR_SHOTS");
    if (!folder || !*folder) GTEST_SKIP() << "TAVRO_VECTOR_SHOTS names no folder";
    ASSERT_TRUE(QDir().mkpath(QString::fromLocal8Bit(folder)));
    for (const Listed& listed : kPictures) {
        const Recording r = LoadMetafileResource(listed.number);
        // About 900 pixels along the longer side, with a thin margin.
        const double scale = 900.0 / std::max(r.Size().width(), r.Size().height());
        const QSize pixels(int(r.Size().width() * scale), int(r.Size().height() * scale));
        QImage image(pixels + QSize(20, 20), QImage::Format_RGB32);
        image.fill(QColor(250, 250, 250));
        {
            QPainter painter(&image);
            painter.fillRect(QRect(QPoint(10, 10), pixels), Qt::white);
            painter.setViewport(10, 10, pixels.width(), pixels.height());
            painter.setWindow(0, 0, r.Size().width(), r.Size().height());
            TPainterCanvas canvas(painter);
            r.Play(canvas, QRect(QPoint(0, 0), r.Size()));
        }
        const QString file =
            QDir(QString::fromLocal8Bit(folder)).filePath(QString::number(listed.number) + ".png");
        EXPECT_TRUE(image.save(file)) << file.toStdString();
    }
}

} // namespace
} // namespace tavro
