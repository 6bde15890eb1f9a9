#include "output/data_sheet_page.h"

#include "output/page_frame.h"
#include "output/page_metrics.h"
#include "output/page_owner.h"
#include "output/recording.h"
#include "physics/moist_air.h"
#include "physics/unit_conversion.h"
#include "product/dimensions.h"
#include "shell/languages.h"
#include "shell/number_format.h"
#include "shell/qt_text.h"

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

// Clear space between a column heading and the one before it, and the
// room of the bold group labels left of the row labels (which start at
// 515), in page units.
constexpr int kHeadingGap = 20;
constexpr int kGroupLabelRoom = 515 - kPageLeft - 15;
constexpr int kLeastFittedHeight = 20;

class Sheet {
public:
    Sheet(const PageOwner& owner, TVkCanvas& canvas)
        : o_(owner), c_(canvas), si_(owner.PageSI()), cols_(ColumnsOf(owner.PageSeasonMode())) {}

    void Draw() {
        const auto notes = o_.PageNotesDataSheet();
        DrawTitle(o_, c_, o_.PagePrintOfferHeader(), true, &notes);
        InputOutputTable();
        HighTemperatureHint();
        DrawCertificationMarks(c_);
        ModelLine();
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
    // The height of the current font at which text stays within maxWidth
    // to keep clear of its neighbour: a longer text (a long translation)
    // is set smaller, down to kLeastFittedHeight (2 mm characters, still
    // legible on paper).
    int FittedHeight(const QString& text, int maxWidth) {
        const int height = c_.Font().height;
        const int width = c_.TextWidth(text);
        if (width <= maxWidth || width <= 0) return height;
        return std::max(kLeastFittedHeight, height * maxWidth / width);
    }
    // Texts drawn in one height, the smallest that any of them needs to
    // fit its room; the font is restored afterwards.
    struct Fitted {
        int x;
        int y;
        QString text;
        int room;
        TextAlign align;
    };
    void FittedTexts(const std::vector<Fitted>& texts) {
        const FontSpec font = c_.Font();
        FontSpec fitted = font;
        for (const Fitted& t : texts)
            fitted.height = std::min(fitted.height, FittedHeight(t.text, t.room));
        c_.SetFont(fitted);
        for (const Fitted& t : texts)
            Text(t.x, t.y, t.text, t.align);
        c_.SetFont(font);
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

    // One row of values from a table: label, a value per column, the unit.
    void TableRow(ResultTable t, int row, int labelX, int y, int wetBulbRow = -1) {
        QString label = o_.PageCell(t, 0, row);
        const bool wb = wetBulbRow >= 0 && o_.PageWetBulb();
        if (wb) label += QStringLiteral(" (DB/WB)");
        Text(labelX, y, label);
        for (int i = 0; i < cols_.count; ++i) {
            QString v = Cell(t, kTableCols[i], row);
            if (wb && !v.isEmpty()) v += QStringLiteral(" / ") + Cell(t, kTableCols[i], wetBulbRow);
            Text(cols_.x[i], y, v, TextAlign::Right);
        }
        Text(cols_.unitX, y, Cell(t, cols_.unitCol, row));
    }

    void InputOutputTable() {
        const PageMetrics& m = Metrics;
        Font(m.smallHeight);
        Text(500, 562, o_.PageLabelText(PageLabel::Hint));
        Font(m.baseHeight, true);
        const bool two = o_.PageSeasonMode() == 2;
        if (o_.PageUseSeasons()) {
            Text(two ? 1180 : 1400, 814, o_.PageLabelText(PageLabel::Heating), TextAlign::Centre);
            if (two) Text(1650, 814, o_.PageLabelText(PageLabel::Cooling), TextAlign::Centre);
        }
        const QString outside = o_.PageLabelText(PageLabel::OutsideAir);
        const QString ret = o_.PageLabelText(PageLabel::ReturnAir);
        // Each heading ends at its column and keeps clear of the one before.
        const int count = o_.PageUseSeasons() && two ? 4 : 2;
        std::vector<Fitted> headings;
        for (int i = 0; i < count; ++i) {
            const int room = i == 0 ? cols_.x[0] - 515 : cols_.x[i] - cols_.x[i - 1] - kHeadingGap;
            headings.push_back(
                {cols_.x[i], 856, i % 2 == 0 ? outside : ret, room, TextAlign::Right});
        }
        FittedTexts(headings);
        Font(m.baseHeight);
        Rule(898);
        TableRow(ResultTable::Inlet, 1, 515, 909);
        TableRow(ResultTable::Inlet, 2, 515, 951);
        Rule(994);
        // The two group labels share one height.
        Font(m.baseHeight, true);
        const QString inlet = o_.PageCell(ResultTable::Inlet, 0, 3);
        const QString outlet = o_.PageCell(ResultTable::Outlet, 0, 0);
        const int groupHeight =
            std::min(FittedHeight(inlet, kGroupLabelRoom), FittedHeight(outlet, kGroupLabelRoom));
        Font(groupHeight, true);
        Text(kPageLeft, 1005, inlet);
        Font(m.baseHeight);
        TableRow(ResultTable::Inlet, 4, 515, 1005);
        TableRow(ResultTable::Inlet, 5, 515, 1047, 8);
        TableRow(ResultTable::Inlet, 6, 515, 1089);
        TableRow(ResultTable::Inlet, 7, 515, 1131);
        TableRow(ResultTable::Inlet, 9, 515, 1173);
        Rule(1221);
        Font(groupHeight, true);
        Text(kPageLeft, 1232, outlet);
        Font(m.baseHeight);
        TableRow(ResultTable::Outlet, 1, 515, 1232);
        TableRow(ResultTable::Outlet, 2, 515, 1274, 5);
        TableRow(ResultTable::Outlet, 3, 515, 1316);
        TableRow(ResultTable::Outlet, 4, 515, 1358);
        TableRow(ResultTable::Outlet, 6, 515, 1400);
        Rule(1442);
        TableRow(ResultTable::VelocityPressureDrop, 0, kPageLeft, 1453);
        TableRow(ResultTable::VelocityPressureDrop, 1, kPageLeft, 1495);
        TableRow(ResultTable::VelocityPressureDrop, 2, kPageLeft, 1537);
    }

    void HighTemperatureHint() {
        const TDatenREK& r = o_.PageRecord();
        if (std::max(r.Temp11, r.Temp21) <= 80) return;
        Font(Metrics.smallHeight);
        Text(kPageRight, 772, TextOf(524), TextAlign::Right);
    }

    void ModelLine() {
        Font(Metrics.baseHeight, true);
        Text(kPageLeft, 772,
             o_.PageLabelText(PageLabel::Designation) + QStringLiteral("  ") +
                 o_.PageLabelText(PageLabel::UnitsInSeries));
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
            Text(kPageLeft, y, labels[r]);
            for (int i = 0; i < cols_.count; ++i) {
                Text(cols_.x[i], y, Cell(ResultTable::ProcessData, kTableCols[i], r),
                     TextAlign::Right);
            }
            Text(cols_.unitX, y, units[r]);
        }
    }

    void WarningRows() {
        const PageMetrics& m = Metrics;
        Rule(Row(45));
        Font(CurrentLanguage == kRussian ? m.smallHeight : m.baseHeight);
        const std::set<int> w = o_.PageWarnings();
        auto has = [&w](int a, int b) { return w.count(a) || w.count(b); };
        const int y0 = Row(45) + m.quarterPitch;
        if (has(5, 6)) {
            Text(kPageLeft, y0, TextOf(122));
            Text(kPageLeft, Row(46) + m.quarterPitch, TextOf(123));
        } else if (has(11, 12)) {
            Text(kPageLeft, y0, TextOf(126));
        }
        if (has(7, 8)) Text(kPageLeft, Row(47) + m.quarterPitch, TextOf(127));
        Font(m.baseHeight);
    }

    void CalculationBasis() {
        const PageMetrics& m = Metrics;
        Rule(Row(49) - m.halfPitch);
        Font(m.baseHeight, true);
        Text(kPageLeft, 2158, TextOf(134));
        Font(m.baseHeight);
        const double p = o_.PageRecord().pbar;
        Text(kPageLeft, 2200, TextOf(1));
        Text(750, 2200,
             si_ ? Fixed(p, 0) : Fixed(Umrechnung(kTypeAirPressure, kUnitMbar, kUnitAtm, p), 2),
             TextAlign::Right);
        Text(780, 2200, si_ ? QStringLiteral("mbar") : QStringLiteral("atm"));
        Text(kPageLeft, 2242, TextOf(2));
        double h = 0;
        try {
            h = AltitudeFromPressure(p);
        } catch (const Error&) {
        }
        Text(750, 2242, Fixed(si_ ? h : Umrechnung(kTypeLength, kUnitM, kUnitFt, h), 0),
             TextAlign::Right);
        Text(780, 2242, si_ ? QStringLiteral("m") : QStringLiteral("ft"));
    }

    void BypassBlock() {
        const int d = o_.PageDesign();
        if (d != 20 && d != 25 && d != 40 && d != 50 && d != 60) return;
        const PageMetrics& m = Metrics;
        const TDatenREK& r = o_.PageRecord();
        Font(m.baseHeight, true);
        Text(1150, 2158, TextOf(185));
        Font(m.baseHeight);
        Text(1150, 2200, TextOf(38));
        Text(1650, 2200,
             si_ ? Fixed(r.AirVelBypass, 1)
                 : Fixed(ToShown(kShownVelocity, false, r.AirVelBypass), 0),
             TextAlign::Right);
        Text(1680, 2200, si_ ? QStringLiteral("m/s") : QStringLiteral("fpm"));
        Text(1150, 2242, TextOf(55));
        Text(1650, 2242, Fixed(r.Bypass, 0), TextAlign::Right);
        Text(1680, 2242, QStringLiteral("mm"));
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
        Text(kPageLeft, si_ ? Row(53) + m.halfPitch : Row(53), TextOf(53));
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
        for (const Item& it : items) {
            const int y = Row(si_ ? it.rowSI : it.rowIP);
            Text(kPageLeft, y, it.label);
            Text(750, y, Fixed(it.mm, 0), TextAlign::Right);
            Text(780, y, QStringLiteral("mm"));
            if (!si_) {
                Font(m.smallHeight, false, true);
                Text(750, y + m.linePitch, Fixed(it.mm / 25.4, 2), TextAlign::Right);
                Text(780, y + m.linePitch, QStringLiteral("in."));
                Font(m.baseHeight);
            }
        }
        Text(kPageLeft, Row(63), TextOf(64));
        Text(750, Row(63), o_.PageLabelText(PageLabel::Weight), TextAlign::Right);
        Text(780, Row(63), si_ ? QStringLiteral("kg") : QStringLiteral("lb"));
    }

    void Sketch() {
        const Recording* sketch = o_.PageSketch();
        if (sketch == nullptr || sketch->Empty()) return;
        const int top = Row(55) + Metrics.linePitch / 2;
        c_.PlayRecording(
            QRect(QPoint(kPageLeft + 620, top), QPoint(kPageLeft + 1700 - 1, top + 400 - 1)),
            *sketch);
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
