#include "output/data_sheet_page.h"

#include "output/page_frame.h"
#include "output/page_metrics.h"
#include "output/page_owner.h"
#include "output/recording.h"
#include "output/text_metrics.h"
#include "physics/moist_air.h"
#include "physics/unit_conversion.h"
#include "product/catalogue/dimensions.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <algorithm>
#include <vector>

namespace tavro {

namespace {

QString Fixed(double v, int decimals) {
    return QString::fromStdString(FormatNumber(v, ffFixed, 15, decimals));
}

// Where the value columns and the unit stand for one or two cases.
struct Columns {
    int x[4];
    int count;
    int unitX;
    int unitCol;
};

Columns ColumnsOf(int seasonMode) {
    if (seasonMode == 2) return {{1130, 1350, 1600, 1820}, 4, 1850, 9};
    return {{1300, 1650, 0, 0}, 2, 1680, 5};
}

constexpr int kTableCols[4] = {1, 3, 5, 7};

// Clear space between a text and its neighbour on the same line, page units.
constexpr int kGap = 20;
// No text is set smaller than 2 mm characters, still legible on paper.
constexpr int kLeastFittedHeight = 20;
// The left edges of the bypass block and the sketch.
constexpr int kBypassX = 1150;
constexpr int kSketchLeft = kPageLeft + 620;

class Sheet {
public:
    Sheet(const PageOwner& owner, TVkCanvas& canvas)
        : o_(owner), c_(canvas), si_(owner.PageSI()), cols_(ColumnsOf(owner.PageSeasonMode())) {}

    void Draw() {
        const auto notes = o_.PageNotesDataSheet();
        // The first note line stands beside the certification marks.
        DrawTitle(o_, c_, o_.PagePrintOfferHeader(), true, &notes, kCertificationMarksLeft - kGap);
        InputOutputTable();
        DrawCertificationMarks(c_);
        ModelLineAndHint();
        ProcessData();
        WarningRows();
        CalculationBasis();
        BypassBlock();
        Dimensions();
        Sketch();
    }

private:
    void Font(int height, bool bold = false, bool italic = false) {
        c_.SetFont(DrawingFontSpec(height, bold, italic));
    }
    void Text(int x, int y, const QString& text, TextAlign align = TextAlign::Left) {
        c_.SetTextAlign(align);
        c_.TextOut(x, y, text);
        c_.SetTextAlign(TextAlign::Left);
    }
    // Draws text in the current font when it is no wider than room; a
    // longer text (a long translation) is set smaller until it fits, on
    // the same baseline, but never below kLeastFittedHeight, and what
    // still does not fit is cut off at the edge of its room. Returns the
    // width the text takes. The font is left as it was.
    int FittedText(int x, int y, const QString& text, int room, TextAlign align = TextAlign::Left) {
        const int width = c_.TextWidth(text);
        if (width <= room || text.isEmpty()) {
            Text(x, y, text, align);
            return width;
        }
        const FontSpec font = c_.Font();
        FontSpec fitted = font;
        fitted.height = std::max(kLeastFittedHeight, font.height * std::max(room, 0) / width);
        c_.SetFont(fitted);
        int fittedWidth = c_.TextWidth(text);
        while (fittedWidth > room && fitted.height > kLeastFittedHeight) {
            --fitted.height;
            c_.SetFont(fitted);
            fittedWidth = c_.TextWidth(text);
        }
        const int baseline = y + RoundHalfEven(FontAscent(font) - FontAscent(fitted));
        if (fittedWidth <= room) {
            Text(x, baseline, text, align);
        } else {
            const int left = align == TextAlign::Left    ? x
                             : align == TextAlign::Right ? x - room
                                                         : x - room / 2;
            c_.SetTextAlign(align);
            c_.TextRect(Corners(left, y, left + std::max(room, 0), y + Metrics.linePitch), x,
                        baseline, text);
            c_.SetTextAlign(TextAlign::Left);
            fittedWidth = room;
        }
        c_.SetFont(font);
        return fittedWidth;
    }
    // Where the ink of a left-aligned text drawn at x begins: after its
    // leading blanks.
    int InkStart(int x, const QString& text) {
        qsizetype blanks = 0;
        while (blanks < text.size() && text[blanks] == QChar(' '))
            ++blanks;
        return blanks == text.size() ? x : x + c_.TextWidth(text.left(blanks));
    }
    void Rule(int y) {
        c_.SetPen({PenStyle::Dot, 0, Qt::black});
        c_.Line(kPageLeft, y, kPageRight, y);
    }
    QString Cell(ResultTable t, int col, int row) const {
        QString s = o_.PageCell(t, col, row);
        if (t != ResultTable::ProcessData) {
            qsizetype i = 0;
            while (i < s.size() && s[i] == QChar(' '))
                ++i;
            s.remove(0, i);
        }
        return s;
    }

    // One row of values from a table: the values, each kept clear of the
    // column before it, the unit, and the label in the room left of the
    // first value drawn. Returns where the label's ink begins (where the
    // values begin when there is no label).
    int TableRow(ResultTable t, int row, int labelX, int y, int wetBulbRow = -1) {
        QString label = o_.PageCell(t, 0, row);
        const bool wb = wetBulbRow >= 0 && o_.PageWetBulb();
        if (wb) label += QStringLiteral(" (DB/WB)");
        std::vector<QString> values;
        for (int i = 0; i < cols_.count; ++i) {
            QString v = Cell(t, kTableCols[i], row);
            if (wb && !v.isEmpty()) v += QStringLiteral(" / ") + Cell(t, kTableCols[i], wetBulbRow);
            values.push_back(v);
        }
        const int valuesStart = Values(values, y);
        Unit(y, Cell(t, cols_.unitCol, row));
        FittedText(labelX, y, label, valuesStart - kGap - labelX);
        return label.trimmed().isEmpty() ? valuesStart : InkStart(labelX, label);
    }
    // The values of one row, right-aligned at their columns, each kept
    // clear of the column before it. Returns the left edge of the leftmost
    // value drawn (the unit position when none is).
    int Values(const std::vector<QString>& values, int y) {
        int start = cols_.unitX;
        for (int i = cols_.count - 1; i >= 0; --i) {
            const QString& v = values[static_cast<size_t>(i)];
            if (v.isEmpty()) continue;
            const int room = i == 0 ? cols_.x[0] - kPageLeft : cols_.x[i] - cols_.x[i - 1] - kGap;
            start = cols_.x[i] - FittedText(cols_.x[i], y, v, room, TextAlign::Right);
        }
        return start;
    }
    void Unit(int y, const QString& unit) {
        FittedText(cols_.unitX, y, unit, kPageRight - cols_.unitX);
    }
    // A label with its value right-aligned at valueX and the unit at unitX,
    // as in the calculation basis, the bypass and the dimensions.
    void LabelledValue(int labelX, int y, const QString& label, int valueX, const QString& value,
                       int unitX, const QString& unit, int unitRoom) {
        const int width = FittedText(valueX, y, value, valueX - labelX, TextAlign::Right);
        FittedText(unitX, y, unit, unitRoom);
        FittedText(labelX, y, label, valueX - width - kGap - labelX);
    }

    void InputOutputTable() {
        const PageMetrics& m = Metrics;
        Font(m.smallHeight);
        // The hint line ends before the certification marks.
        FittedText(500, 562, o_.PageLabelText(PageLabel::Hint),
                   kCertificationMarksLeft - kGap - 500);
        Font(m.baseHeight, true);
        const bool two = o_.PageSeasonMode() == 2;
        if (o_.PageUseSeasons()) {
            const int room = two ? 1650 - 1180 - kGap : 2 * (kPageRight - 1400);
            FittedText(two ? 1180 : 1400, 814, o_.PageLabelText(PageLabel::Heating), room,
                       TextAlign::Centre);
            if (two)
                FittedText(1650, 814, o_.PageLabelText(PageLabel::Cooling), room,
                           TextAlign::Centre);
        }
        const QString outside = o_.PageLabelText(PageLabel::OutsideAir);
        const QString ret = o_.PageLabelText(PageLabel::ReturnAir);
        // Each heading ends at its column and keeps clear of the one before;
        // the first has the width of the column after it, so that headings
        // of equal length come out in equal heights.
        const int count = o_.PageUseSeasons() && two ? 4 : 2;
        for (int i = 0; i < count; ++i) {
            const int room =
                i == 0 ? cols_.x[1] - cols_.x[0] - kGap : cols_.x[i] - cols_.x[i - 1] - kGap;
            FittedText(cols_.x[i], 856, i % 2 == 0 ? outside : ret, room, TextAlign::Right);
        }
        Font(m.baseHeight);
        Rule(898);
        TableRow(ResultTable::Inlet, 1, 515, 909);
        TableRow(ResultTable::Inlet, 2, 515, 951);
        Rule(994);
        // Each group label ends before the row label on its line begins.
        const int inletRow = TableRow(ResultTable::Inlet, 4, 515, 1005);
        Font(m.baseHeight, true);
        FittedText(kPageLeft, 1005, o_.PageCell(ResultTable::Inlet, 0, 3),
                   inletRow - kGap - kPageLeft);
        Font(m.baseHeight);
        TableRow(ResultTable::Inlet, 5, 515, 1047, 8);
        TableRow(ResultTable::Inlet, 6, 515, 1089);
        TableRow(ResultTable::Inlet, 7, 515, 1131);
        TableRow(ResultTable::Inlet, 9, 515, 1173);
        Rule(1221);
        const int outletRow = TableRow(ResultTable::Outlet, 1, 515, 1232);
        Font(m.baseHeight, true);
        FittedText(kPageLeft, 1232, o_.PageCell(ResultTable::Outlet, 0, 0),
                   outletRow - kGap - kPageLeft);
        Font(m.baseHeight);
        TableRow(ResultTable::Outlet, 2, 515, 1274, 5);
        TableRow(ResultTable::Outlet, 3, 515, 1316);
        TableRow(ResultTable::Outlet, 4, 515, 1358);
        TableRow(ResultTable::Outlet, 6, 515, 1400);
        Rule(1442);
        TableRow(ResultTable::VelocityPressureDrop, 0, kPageLeft, 1453);
        TableRow(ResultTable::VelocityPressureDrop, 1, kPageLeft, 1495);
        TableRow(ResultTable::VelocityPressureDrop, 2, kPageLeft, 1537);
    }

    // The model line and, on the same line, the high-temperature hint,
    // which keeps clear of it.
    void ModelLineAndHint() {
        Font(Metrics.baseHeight, true);
        const int model =
            FittedText(kPageLeft, 772,
                       o_.PageLabelText(PageLabel::Designation) + QStringLiteral("  ") +
                           o_.PageLabelText(PageLabel::UnitsInSeries),
                       kPageRight - kPageLeft);
        const TDatenREK& r = o_.PageRecord();
        if (std::max(r.Temp11, r.Temp21) > 80) {
            Font(Metrics.smallHeight);
            FittedText(kPageRight, 772, TextOf(524), kPageRight - kPageLeft - model - kGap,
                       TextAlign::Right);
        }
        Font(Metrics.baseHeight);
    }

    void ProcessData() {
        const PageMetrics& m = Metrics;
        const bool eu = o_.PageEU();
        const bool hclass = o_.PageHCLASS() && !eu;
        const QString labels[8] = {eu ? TextOf(441) + QStringLiteral(" (AHRI 1060)")
                                      : TextOf(47) + QStringLiteral(" (EN 308)"),
                                   eu ? TextOf(442) + QStringLiteral(" (AHRI 1060)")
                                      : TextOf(48) + QStringLiteral(" (EN 308)"),
                                   hclass ? TextOf(560) : QString(),
                                   hclass ? TextOf(47) + QStringLiteral(" ErP Lot 6") : QString(),
                                   TextOf(28),
                                   TextOf(29),
                                   TextOf(41),
                                   QString()};
        const QString units[8] = {QStringLiteral("%"),
                                  QStringLiteral("%"),
                                  QString(),
                                  hclass ? QStringLiteral("%") : QString(),
                                  si_ ? QStringLiteral("kW") : QStringLiteral("BTU/h"),
                                  si_ ? QStringLiteral("kW") : QStringLiteral("BTU/h"),
                                  si_ ? QStringLiteral("g/kg") : QStringLiteral("gr/lb"),
                                  si_ ? QStringLiteral("kg/h") : QStringLiteral("lb/h")};
        Font(m.baseHeight);
        for (int r = 0; r < 8; ++r) {
            if ((r == 2 || r == 3) && !hclass) continue;
            const int y = kPageTop + (r + 35) * m.linePitch +
                          (r < 4 ? m.halfPitch / 2 + 2 * m.quarterPitch : m.linePitch) +
                          (r >= 6 ? m.halfPitch : 0);
            std::vector<QString> values;
            for (int i = 0; i < cols_.count; ++i)
                values.push_back(Cell(ResultTable::ProcessData, kTableCols[i], r));
            const int valuesStart = Values(values, y);
            Unit(y, units[r]);
            FittedText(kPageLeft, y, labels[r], valuesStart - kGap - kPageLeft);
        }
    }

    void WarningRows() {
        const PageMetrics& m = Metrics;
        Rule(Row(45));
        Font(CurrentLanguage == kRussian ? m.smallHeight : m.baseHeight);
        const std::set<int> w = o_.PageWarnings();
        auto has = [&w](int a, int b) { return w.count(a) || w.count(b); };
        auto line = [this](int y, int text) {
            FittedText(kPageLeft, y, TextOf(text), kPageRight - kPageLeft);
        };
        const int y0 = Row(45) + m.quarterPitch;
        if (has(5, 6)) {
            line(y0, 122);
            line(Row(46) + m.quarterPitch, 123);
        } else if (has(11, 12)) {
            line(y0, 126);
        }
        if (has(7, 8)) line(Row(47) + m.quarterPitch, 127);
        // The frost line takes the first of the three lines left free.
        const QString frost = o_.PageFrostLine();
        const int frostRow = !has(5, 6) && !has(11, 12) ? 45
                             : !has(5, 6)               ? 46
                             : !has(7, 8)               ? 47
                                                        : 0;
        if (!frost.isEmpty() && frostRow > 0) {
            FittedText(kPageLeft, Row(frostRow) + m.quarterPitch, frost, kPageRight - kPageLeft);
        }
        Font(m.baseHeight);
    }

    void CalculationBasis() {
        const PageMetrics& m = Metrics;
        Rule(Row(49) - m.halfPitch);
        Font(m.baseHeight, true);
        // The bypass heading stands at 1150 on the same line.
        FittedText(kPageLeft, 2158, TextOf(134), kBypassX - kGap - kPageLeft);
        Font(m.baseHeight);
        const double p = o_.PageRecord().pbar;
        LabelledValue(
            kPageLeft, 2200, TextOf(1), 750,
            si_ ? Fixed(p, 0) : Fixed(Umrechnung(kTypeAirPressure, kUnitMbar, kUnitAtm, p), 2), 780,
            si_ ? QStringLiteral("mbar") : QStringLiteral("atm"), kBypassX - kGap - 780);
        double h = 0;
        try {
            h = AltitudeFromPressure(p);
        } catch (const Error&) {
        }
        LabelledValue(kPageLeft, 2242, TextOf(2), 750,
                      Fixed(si_ ? h : Umrechnung(kTypeLength, kUnitM, kUnitFt, h), 0), 780,
                      si_ ? QStringLiteral("m") : QStringLiteral("ft"), kBypassX - kGap - 780);
    }

    void BypassBlock() {
        const int d = o_.PageDesign();
        if (d != 20 && d != 25 && d != 40 && d != 50 && d != 60) return;
        const PageMetrics& m = Metrics;
        const TDatenREK& r = o_.PageRecord();
        Font(m.baseHeight, true);
        FittedText(kBypassX, 2158, TextOf(185), kPageRight - kBypassX);
        Font(m.baseHeight);
        const int unitRoom = kPageRight - 1680;
        LabelledValue(kBypassX, 2200, TextOf(38), 1650,
                      si_ ? Fixed(r.AirVelBypass, 1)
                          : Fixed(ToShown(kShownVelocity, false, r.AirVelBypass), 0),
                      1680, si_ ? QStringLiteral("m/s") : QStringLiteral("fpm"), unitRoom);
        LabelledValue(kBypassX, 2242, TextOf(55), 1650, Fixed(r.Bypass, 0), 1680,
                      QStringLiteral("mm"), unitRoom);
        if (!si_) {
            Font(m.smallHeight, false, true);
            Text(1650, 2284, Fixed(r.Bypass / 25.4, 2), TextAlign::Right);
            Text(1680, 2284, QStringLiteral("in."));
            Font(m.baseHeight);
        }
    }

    void Dimensions() {
        const PageMetrics& m = Metrics;
        Rule(Row(53));
        Font(m.baseHeight, true);
        FittedText(kPageLeft, si_ ? Row(53) + m.halfPitch : Row(53), TextOf(53),
                   kPageRight - kPageLeft);
        Font(m.baseHeight);
        const TDatenREK& r = o_.PageRecord();
        UnitSelection sel;
        sel.design = o_.PageDesign();
        sel.units = r.Series;
        sel.edge = r.Edge;
        sel.width = r.Width;
        sel.ptype = r.PType;
        sel.vBypass = r.AirVelBypass;
        sel.volume = r.SVol11;
        const OuterSize size = OuterDimensions(sel);
        struct Item {
            int rowSI, rowIP;
            QString label;
            int mm;
        };
        const Item items[] = {{57, 55, TextOf(91), r.Edge},
                              {59, 57, TextOf(54) + QStringLiteral(" (H)"), size.H},
                              {60, 59, TextOf(55) + QStringLiteral(" (B)"), size.B},
                              {61, 61, TextOf(56) + QStringLiteral(" (T)"), size.T}};
        // The units stop short of the sketch.
        const int unitRoom = kSketchLeft - kGap - 780;
        for (const Item& it : items) {
            const int y = Row(si_ ? it.rowSI : it.rowIP);
            LabelledValue(kPageLeft, y, it.label, 750, Fixed(it.mm, 0), 780, QStringLiteral("mm"),
                          unitRoom);
            if (!si_) {
                Font(m.smallHeight, false, true);
                Text(750, y + m.linePitch, Fixed(it.mm / 25.4, 2), TextAlign::Right);
                Text(780, y + m.linePitch, QStringLiteral("in."));
                Font(m.baseHeight);
            }
        }
        LabelledValue(kPageLeft, Row(63), TextOf(64), 750, o_.PageLabelText(PageLabel::Weight), 780,
                      si_ ? QStringLiteral("kg") : QStringLiteral("lb"), unitRoom);
    }

    void Sketch() {
        const Recording* sketch = o_.PageSketch();
        if (sketch == nullptr || sketch->Empty()) return;
        const int top = Row(55) + Metrics.linePitch / 2;
        c_.PlayRecording(
            QRect(QPoint(kSketchLeft, top), QPoint(kPageLeft + 1700 - 1, top + 400 - 1)), *sketch);
    }

    const PageOwner& o_;
    TVkCanvas& c_;
    bool si_;
    Columns cols_;
};

} // namespace

void DataSheetPage(PageOwner& owner, TVkCanvas& canvas, bool) {
    Sheet(owner, canvas).Draw();
}

} // namespace tavro
