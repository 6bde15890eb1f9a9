#include "output/description_page.h"

#include "output/page_frame.h"
#include "output/page_metrics.h"
#include "output/recording.h"
#include "output/vector_pictures.h"
#include "physics/numeric/errors.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "shell/texts/pictures.h"

#include <algorithm>
#include <array>

namespace tavro {

namespace {

// The frame's pen, which the table grid and the leader lines use.
PenSpec FramePen() {
    return {PenStyle::Solid, 3, Qt::black};
}

// The example's plate distance, printed with the current decimal separator.
QString ExampleGap() {
    return QString::fromStdString(FormatNumber(6.5, ffFixed, 15, 1));
}

class Description {
public:
    Description(const PageOwner& owner, TVkCanvas& canvas) : o_(owner), c_(canvas) {}

    void Draw() {
        DrawTitle(o_, c_, false, false, nullptr);
        Font(Metrics.largeHeight, true);
        c_.TextOut(kPageLeft, Row(12), TextOf(160));
        const std::vector<std::string> lines =
            LoadWideLineListResource(DescriptionResource(CurrentLanguage));
        // The description is set a little smaller than the other pages; the
        // half pitch stays the frame's.
        SetPageMetrics(RoundHalfEven(34 / 1.08), RoundHalfEven(42 / 1.08));
        c_.SetPen(FramePen());
        for (size_t k = 0; k < lines.size(); ++k) {
            const int i = static_cast<int>(k) + 1;
            const bool bold = i == 1 || i == 31 || i == 41;
            Font(i == 1 ? RoundHalfEven(Metrics.baseHeight * 1.2) : Metrics.baseHeight, bold);
            const int y = Row(i + 15);
            c_.TextOut(kPageLeft, y, UiString(lines[k]));
            if (i == 33) Example(y);
            if (i >= 35 && i <= 38) Explanation(i, y);
        }
        DesignTable();
        Font(RoundHalfEven(Metrics.baseHeight / 1.2));
        c_.TextOut(kPageLeft + 1400, Row(45), TextOf(91));
        c_.TextOut(kPageLeft + 1250, Row(54), TextOf(92));
        try {
            c_.PlayRecording(Corners(kPageLeft + 950, Row(44), kPageLeft + 1456, Row(44) + 450),
                             LoadMetafileResource(3300));
        } catch (const Error&) {
            // The page stands without its drawing.
        }
    }

private:
    void Font(int height, bool bold = false) { c_.SetFont(DrawingFontSpec(height, bold)); }

    // The designation example "Tavro 10 / 500 / 750 - 6.5" at (300, y).
    void Example(int y) {
        Font(Metrics.baseHeight);
        example_ = QStringLiteral("Tavro 10 / 500 / 750 - ") + ExampleGap();
        c_.TextOut(kPageLeft + 50, y, example_);
        q_ = c_.TextWidth(example_) + 100;
    }

    // Lines 35 to 38 explain one part of the example each, with a leader
    // line from the explanation to the part's centre.
    void Explanation(int line, int y) {
        Font(Metrics.baseHeight);
        struct Part {
            QString before, part, text;
        };
        const QString gap = ExampleGap();
        const Part parts[] = {
            {QStringLiteral("Tavro 10 / 500 / 750 - "), gap,
             TextOf(93) + QStringLiteral(" (") + gap + QStringLiteral(" mm)")},
            {QStringLiteral("Tavro 10 / 500 / "), QStringLiteral("750"),
             TextOf(92) + QStringLiteral(" (750 mm)")},
            {QStringLiteral("Tavro 10 / "), QStringLiteral("500"),
             TextOf(91) + QStringLiteral(" (500 mm)")},
            {QStringLiteral("Tavro "), QStringLiteral("10"), TextOf(183)},
        };
        const Part& p = parts[line - 35];
        c_.TextOut(kPageLeft + q_, y, p.text);
        const int centre = c_.TextWidth(p.before) + c_.TextWidth(p.part) / 2 + 50;
        const int mid = y + RoundHalfEven(Metrics.linePitch / 2.0);
        c_.MoveTo(kPageLeft + q_ - 10, mid);
        c_.LineTo(kPageLeft + centre, mid);
        c_.LineTo(kPageLeft + centre, Row(49));
    }

    void DesignTable() {
        const QString heading[4] = {TextOf(183), TextOf(185), TextOf(186), TextOf(187)};
        Font(Metrics.baseHeight, true);
        int w = std::max(200, c_.TextWidth(QStringLiteral("Tavro 000")));
        for (const QString& h : heading)
            w = std::max(w, c_.TextWidth(h));
        w += 30;
        const auto centre = [w](int c) { return kPageLeft + w / 2 + c * w; };
        c_.SetTextAlign(TextAlign::Centre);
        for (int c = 0; c < 4; ++c)
            c_.TextOut(centre(c), Row(58), heading[c]);
        // Which of bypass, damper and housing each form of design has.
        struct Design {
            const char* name;
            std::array<bool, 3> has;
        };
        static constexpr Design kDesigns[] = {
            {"Tavro 10", {false, false, false}}, {"Tavro 20", {true, false, false}},
            {"Tavro 25", {true, true, false}},   {"Tavro 30", {false, false, true}},
            {"Tavro 40", {true, false, true}},   {"Tavro 60", {true, true, true}},
        };
        Font(Metrics.baseHeight);
        for (int r = 1; r <= 6; ++r) {
            const Design& d = kDesigns[r - 1];
            const int y = Row(58 + r) + r * Metrics.halfPitch;
            c_.TextOut(centre(0), y, QString::fromLatin1(d.name));
            for (int c = 1; c <= 3; ++c) {
                if (d.has[static_cast<size_t>(c - 1)])
                    c_.TextOut(centre(c), y, QStringLiteral("X"));
            }
        }
        c_.SetTextAlign(TextAlign::Left);
        c_.SetPen(FramePen());
        const auto gridY = [](int i) {
            return kPageTop + (i + 56) * Metrics.linePitch + Metrics.halfPitch * i + 9;
        };
        for (int i = 1; i <= 8; ++i)
            c_.Line(kPageLeft, gridY(i), kPageLeft + 4 * w, gridY(i));
        for (int c = 0; c <= 4; ++c)
            c_.Line(kPageLeft + c * w, gridY(1), kPageLeft + c * w, gridY(8));
    }

    const PageOwner& o_;
    TVkCanvas& c_;
    QString example_;
    int q_ = 0;
};

} // namespace

int DescriptionResource(int language) {
    switch (language) {
    case kGerman:
        return 3301;
    case kFrench:
        return 3303;
    case kCzech:
        return 3306;
    case kPolish:
        return 3307;
    case kChinese:
        return 3308;
    case kRussian:
        return 3309;
    default:
        return 3302;
    }
}

void DescriptionPage(PageOwner& owner, TVkCanvas& canvas, bool /*forPdf*/) {
    Description(owner, canvas).Draw();
}

} // namespace tavro
