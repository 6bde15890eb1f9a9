#include "output/sketch.h"

#include "output/text_metrics.h"
#include "output/vector_pictures.h"
#include "physics/numeric/errors.h"
#include "physics/numeric/rounding.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace tavro {

namespace {

struct FrontView {
    int design;
    int picture;
    int h, w, h2, w2;
};

constexpr FrontView kViews[] = {
    {10, 3310, 720, 880, 220, 380},  {20, 3320, 800, 1010, 300, 510},
    {25, 3320, 800, 1010, 300, 510}, {30, 3330, 730, 890, 230, 390},
    {40, 3340, 800, 1020, 300, 520}, {60, 3360, 760, 950, 260, 450},
};

constexpr int kBase = 100;
constexpr int kGround = 990 - kBase; // the line the units stand on

// The character height of a font whose cell (characters with internal
// leading) is `cell` high.
int CharacterHeightForCell(int cell) {
    FontSpec probe;
    probe.height = 1000;
    const QFontMetricsF fm(MakeQFont(probe));
    return RoundHalfEven(cell * 1000.0 / (fm.ascent() + fm.descent()));
}

void ArrowHead(TVkCanvas& canvas, double ex, double ey, double ux, double uy) {
    const double vx = -uy, vy = ux;
    canvas.Polygon(
        {QPoint(RoundHalfEven(ex), RoundHalfEven(ey)),
         QPoint(RoundHalfEven(ex + 40 * ux + 10 * vx), RoundHalfEven(ey + 40 * uy + 10 * vy)),
         QPoint(RoundHalfEven(ex + 40 * ux - 10 * vx), RoundHalfEven(ey + 40 * uy - 10 * vy))});
}

// Thin extension lines from the corners of the edges that the arrows
// dimension out to the arrows, clear of the drawing by a small gap and a
// little past the arrow, as on a dimensioned drawing.
void ExtensionLines(TVkCanvas& canvas, int design, int n, int heightTop, int depthY, int w2,
                    int h2) {
    constexpr int kGap = 10, kPast = 18;
    canvas.SetPen({PenStyle::Solid, 0, Qt::black});
    const int heightX = 133;
    canvas.Line(200 - kGap, kGround, heightX - kPast, kGround);
    // With several units of design 25 the top is the damper of the last
    // one; a line from there would cross the units before it.
    if (design != 25 || n == 1) canvas.Line(200 - kGap, heightTop, heightX - kPast, heightTop);
    canvas.Line(200, kGround + kGap, 200, depthY + kPast);
    canvas.Line(200 + 500 * n, kGround + kGap, 200 + 500 * n, depthY + kPast);
    const int widthX = 500 * n + 400;
    const int edgeX = 200 + 500 * n;
    canvas.Line(edgeX + kGap, kGround, widthX + kPast, kGround);
    canvas.Line(edgeX + w2 + kGap, kGround - h2, widthX + w2 + kPast, kGround - h2);
}

} // namespace

Recording& SketchPicture() {
    static Recording picture(QSize(2970, 1100));
    return picture;
}

void DrawDimensionArrow(TVkCanvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.SetPen({PenStyle::Solid, 0, Qt::black});
    canvas.Line(x1, y1, x2, y2);
    double ux, uy;
    if (std::fabs(double(y1) - y2) < 0.1) {
        ux = x2 >= x1 ? 1 : -1;
        uy = 0;
    } else {
        const double len = std::hypot(double(x2) - x1, double(y2) - y1);
        ux = (x2 - x1) / len;
        uy = (y2 - y1) / len;
    }
    canvas.SetBrush({BrushStyle::Solid, Qt::black});
    // At each end the head points away from the other end.
    ArrowHead(canvas, x1, y1, ux, uy);
    ArrowHead(canvas, x2, y2, -ux, -uy);
}

void DrawSketch(int design, int n) {
    n = std::clamp(n, 1, 4);
    Recording& picture = SketchPicture();
    picture.Reset(QSize(2970, 1100));
    TWMFCanvas canvas(picture);
    const FrontView* view = nullptr;
    for (const FrontView& v : kViews) {
        if (v.design == design) view = &v;
    }
    const int h2 = view ? view->h2 : 0;
    const int w2 = view ? view->w2 : 0;
    if (view) {
        std::shared_ptr<const Recording> front;
        try {
            front = std::make_shared<const Recording>(LoadMetafileResource(view->picture));
        } catch (const Error&) {
        }
        for (int d = 0; d < n; ++d) {
            int h = view->h, w = view->w, number = view->picture;
            if (d == n - 1 && design == 25) {
                h = 850;
                w = 1040;
                number = 3325;
            }
            std::shared_ptr<const Recording> shown = front;
            if (number != view->picture) {
                try {
                    shown = std::make_shared<const Recording>(LoadMetafileResource(number));
                } catch (const Error&) {
                    shown = nullptr;
                }
            }
            const QRect box(QPoint(200 + 500 * d, kGround - h),
                            QPoint(200 + 500 * d + w - 1, kGround - 1));
            if (shown) canvas.PlayRecording(box, *shown);
        }
    }
    const int depthY = 990 - 2 * kBase / 3;
    const int heightTop = 490 - kBase - (design == 25 ? 50 : 0);
    if (view) ExtensionLines(canvas, design, n, heightTop, depthY, w2, h2);
    DrawDimensionArrow(canvas, 200, depthY, 200 + 500 * n, depthY);
    DrawDimensionArrow(canvas, 133, kGround, 133, heightTop);
    DrawDimensionArrow(canvas, 500 * n + 400, kGround, 500 * n + 400 + w2, kGround - h2);
    FontSpec letters;
    letters.face = QStringLiteral("Arial");
    letters.height = CharacterHeightForCell(90);
    canvas.SetFont(letters);
    canvas.SetBrush({BrushStyle::Clear, Qt::white});
    canvas.SetTextAlign(TextAlign::Centre);
    canvas.TextOut(70, 695 - kBase, QStringLiteral("H"));
    canvas.TextOut(250 * n + 200, 990 - kBase / 2, QStringLiteral("T"));
    canvas.TextOut(500 * n + w2 / 2 + 400, kGround - h2 / 2, QStringLiteral("  B"));
}

} // namespace tavro
