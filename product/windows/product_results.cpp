// The calculation driver of the product window and its result tables:
// the Calculate command, the limit-check report, the velocity and
// pressure-drop table and the outlet table.

#include "product/windows/product_window.h"

#include "controls/daten_grid.h"
#include "controls/message_dialog.h"
#include "physics/numeric/rounding.h"
#include "physics/unit_conversion.h"
#include "shell/qt/qt_text.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace tavro {

void TFormProdukt::RunCalculation() {
    if (!ValidateAndReport()) return;
    SetResultsValid(false);
    ReadInputs();
    ReadDeviceInputs();
    // The records swallow their own faults and keep what they computed.
    for (int c = 0; c < Cases(); ++c) {
        Case(c).Calculate();
        Case(c).ClassifyEnergy();
    }
    AfterCalculation();
    SetResultsValid(true);
    ShowInputs();
    ShowVelocityAndPressureDrop();
}

bool TFormProdukt::ValidateAndReport() {
    auto messages = [this] {
        QString text;
        for (int n : Warnings) {
            if (!text.isEmpty()) text += QStringLiteral("\n\n");
            text += WarningText(n);
        }
        return text;
    };
    Warnings.clear();
    NoErrors = CheckLimits(*Daten);
    QString text = messages();
    if (SeasonMode == 2) {
        const std::set<int> winter = Warnings;
        const bool winterClean = NoErrors;
        Warnings.clear();
        const bool summerClean = CheckLimits(*DatenSommer);
        if (!text.isEmpty()) text = Edit_Winter->text() + QStringLiteral(":\n\n") + text;
        if (!Warnings.empty()) {
            if (!text.isEmpty()) text += QStringLiteral("\n\n----------------------\n\n");
            text += Edit_Sommer->text() + QStringLiteral(":\n\n") + messages();
        }
        Warnings.insert(winter.begin(), winter.end());
        NoErrors = winterClean && summerClean;
    }
    if (!Warnings.empty()) {
        ShowMessageDialog(text, TextOf(NoErrors ? 103 : 104) + QStringLiteral("!"),
                          NoErrors ? mkWarning : mkError);
    }
    return Warnings.empty() || NoErrors;
}

void TFormProdukt::SetResultsValid(bool valid) {
    ResultsValid = valid;
    const bool sheet = valid && PreviewAvailable();
    const bool chart = valid && ChartAvailable();
    Button_Datenblatt->setEnabled(sheet);
    Button_Diagramm->setEnabled(chart);
    MenuItem(QStringLiteral("Menu_Ansicht_Datenblatt"))->setEnabled(sheet);
    MenuItem(QStringLiteral("Menu_Ansicht_Diagramm"))->setEnabled(chart);
    if (valid) {
        ShowInputs();
        ShowVelocityAndPressureDrop();
        ShowOutletStates();
        ShowProcessData();
    } else {
        ClearResults();
    }
}

void TFormProdukt::ClearResults() {
    for (TDatenGrid* t : {Tabelle_Luftaustritt, Tabelle_Prozessdaten}) {
        for (int row = 0; row < t->RowCount(); ++row) {
            for (int c = 0; c < Cases(); ++c) {
                for (int s = 0; s < 2; ++s)
                    t->SetCell(ValueColumn(c, s), row, QString());
            }
        }
    }
    if (ChartAvailable()) ShowDiagram(false, false);
    LB_Hinweis->clear();
}

QString TFormProdukt::WarningText(int) {
    return QStringLiteral("Error");
}

bool TFormProdukt::CheckLimits(const TDatenREK&) {
    return true;
}

void TFormProdukt::ShowProcessData() {}

void TFormProdukt::ShowHint() {
    LB_Hinweis->clear();
}

void TFormProdukt::ReadDeviceInputs() {}

void TFormProdukt::ShowVelocityAndPressureDrop() {
    TDatenGrid* t = Tabelle_w_dp;
    t->SetCell(0, 0, TextOf(49));
    t->SetCell(0, 1, TextOf(22));
    t->SetCell(0, 2, TextOf(22) + QStringLiteral(" (") + TextOf(24) + QStringLiteral(") "));
    const int unit = UnitColumn();
    t->SetCell(unit, 0, SI ? QStringLiteral("m/s") : QStringLiteral("fpm"));
    t->SetCell(unit, 1, SI ? QStringLiteral("Pa") : QStringLiteral("in.WG"));
    t->SetCell(unit, 2, t->Cell(unit, 1));
    // A pressure drop far beyond the limit is not shown at all.
    const double shownLimit = RoundHalfEven(DpLimit * 1.5);
    auto dp = [&](double v) {
        if (v > shownLimit) return QString();
        return Number(ToShown(kShownPressureDrop, SI, v), SI ? 0 : 2);
    };
    for (int c = 0; c < Cases(); ++c) {
        const TDatenREK& r = Case(c);
        for (int s = 0; s < 2; ++s) {
            const int col = ValueColumn(c, s);
            t->SetCell(col, 0,
                       Number(ToShown(kShownVelocity, SI, s == 0 ? r.Vel1 : r.Vel2), SI ? 2 : 0));
            t->SetCell(col, 1, dp(s == 0 ? r.Dp1 : r.Dp2));
            t->SetCell(col, 2, dp(s == 0 ? r.Dp1Std : r.Dp2Std));
        }
    }
}

void TFormProdukt::ShowOutletStates() {
    struct Row {
        int text;
        double TDatenII::*field1;
        double TDatenII::*field2;
        const DisplayQuantity* quantity;
        int decimalsSI, decimalsIP;
        int unitTextSI;
        const char* unitSI;
        int unitTextIP;
        const char* unitIP;
    };
    static const Row rows[] = {
        {17, &TDatenII::Vol12, &TDatenII::Vol22, &kShownVolumeFlow, 0, 0, 410, "", 0, "acfm"},
        {12, &TDatenII::Temp12, &TDatenII::Temp22, &kShownTemperature, 1, 1, 411, "", 412, ""},
        {13, &TDatenII::Phi12, &TDatenII::Phi22, nullptr, 1, 1, 0, "%", 0, "%"},
        {14, &TDatenII::X12, &TDatenII::X22, &kShownHumidityRatio, 2, 1, 0, "g/kg", 0, "gr/lb"},
        {51, &TDatenII::WetBulb12, &TDatenII::WetBulb22, &kShownTemperature, 1, 1, 411, "", 412,
         ""},
        {25, &TDatenII::H12, &TDatenII::H22, &kShownEnthalpy, 1, 1, 0, "kJ/kg", 0, "BTU/lb"},
    };
    TDatenGrid* t = Tabelle_Luftaustritt;
    t->SetCell(0, 0, TextOf(10));
    const int unit = UnitColumn();
    for (int i = 0; i < 6; ++i) {
        const Row& row = rows[i];
        t->SetCell(0, i + 1, QStringLiteral("    ") + TextOf(row.text));
        const int unitText = SI ? row.unitTextSI : row.unitTextIP;
        t->SetCell(unit, i + 1,
                   unitText > 0 ? TextOf(unitText)
                                : QString::fromUtf8(SI ? row.unitSI : row.unitIP));
        for (int c = 0; c < Cases(); ++c) {
            for (int s = 0; s < 2; ++s) {
                const double v = Case(c).*(s == 0 ? row.field1 : row.field2);
                const double shown = row.quantity ? ToShown(*row.quantity, SI, v) : v;
                t->SetCell(ValueColumn(c, s), i + 1,
                           Number(shown, SI ? row.decimalsSI : row.decimalsIP));
            }
        }
    }
    if (ChartAvailable()) ShowDiagram(false, true);
    ShowHint();
}

} // namespace tavro

namespace tavro {

QString TFormProdukt::PageCell(ResultTable table, int col, int row) const {
    switch (table) {
    case ResultTable::Inlet:
        return Tabelle_Lufteintritt->Cell(col, row);
    case ResultTable::VelocityPressureDrop:
        return Tabelle_w_dp->Cell(col, row);
    case ResultTable::Outlet:
        return Tabelle_Luftaustritt->Cell(col, row);
    case ResultTable::ProcessData:
        return Tabelle_Prozessdaten->Cell(col, row);
    }
    return {};
}

QString TFormProdukt::PageLabelText(PageLabel label) const {
    switch (label) {
    case PageLabel::Hint:
        return LB_Hinweis->text();
    case PageLabel::OutsideAir:
        return LB_Zuluft->text();
    case PageLabel::ReturnAir:
        return LB_Abluft->text();
    case PageLabel::Heating:
        return Edit_Winter->text();
    case PageLabel::Cooling:
        return Edit_Sommer->text();
    default:
        return {};
    }
}

} // namespace tavro
