// The calculation driver of the product window and its result tables:
// the Calculate command, the limit-check report, the velocity and
// pressure-drop table and the outlet table.

#include "product/windows/product_window.h"

#include "controls/daten_grid.h"
#include "controls/message_dialog.h"
#include "product/model/result_rows.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

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

void TFormProdukt::ShowTable(ShownTable table, TDatenGrid* grid) {
    const ShowOptions options{SI, CurrentLanguage, CurrentSeparators()};
    const ShownFlags flags{EU, HCLASS, DpLimit, UseFrostCheck};
    const TableCells cells =
        ShownCells(table, *Daten, SeasonMode == 2 ? DatenSommer.get() : nullptr, flags, options);
    const int rows = std::min(grid->RowCount(), static_cast<int>(cells.size()));
    // Rows the table does not fill this time (the frost rows of a case no
    // longer at risk) stay empty.
    for (int row = rows; row < grid->RowCount(); ++row) {
        for (int col = 0; col < grid->ColCount(); ++col)
            grid->SetCell(col, row, QString());
    }
    for (int row = 0; row < rows; ++row) {
        const std::vector<std::string>& line = cells[static_cast<size_t>(row)];
        const int cols = std::min(grid->ColCount(), static_cast<int>(line.size()));
        for (int col = 0; col < cols; ++col)
            grid->SetCell(col, row, QString::fromStdString(line[static_cast<size_t>(col)]));
    }
}

void TFormProdukt::ShowVelocityAndPressureDrop() {
    ShowTable(ShownTable::VelocityPressureDrop, Tabelle_w_dp);
}

void TFormProdukt::ShowOutletStates() {
    ShowTable(ShownTable::Outlet, Tabelle_Luftaustritt);
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
