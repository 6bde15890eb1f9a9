// The Tavro window's captions, its limit checks with their messages, the
// process-data table and the condensation hint.

#include "product/windows/tavro_window.h"

#include "controls/daten_grid.h"
#include "controls/num_edit.h"
#include "physics/numeric/rounding.h"
#include "physics/unit_conversion.h"
#include "product/model/frost_messages.h"
#include "product/model/limit_bounds.h"
#include "product/model/limit_check.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace tavro {

void TFormTavro::SetCaptions() {
    TFormProdukt::SetCaptions();
    SetTitle(QStringLiteral("Tavro - ") + TextOf(65));
    LB_GKante->setText(TextOf(91));
    LB_GBreite->setText(TextOf(92));
    LB_PAbstand->setText(TextOf(93));
    LB_Hoehe->setText(TextOf(54));
    LB_Breite->setText(TextOf(55));
    LB_Tiefe->setText(TextOf(56));
    LB_Gewicht->setText(TextOf(64));
    Button_Bauform->setText(TextOf(183));
    ShowDesignation();
}

void TFormTavro::FormCreate() {
    TFormProdukt::FormCreate();
    // At start a device change calculates the inlet states.
    Aenderung_Geraet();
}

void TFormTavro::RefreshUnits() {
    TFormProdukt::RefreshUnits();
    if (LE_Hoehe == nullptr) return;
    for (QLabel* l : {LE_Hoehe, LE_Breite, LE_Tiefe}) {
        l->setText(SI ? QStringLiteral("mm") : QStringLiteral("in."));
    }
    LE_Gewicht->setText(SI ? QStringLiteral("kg") : QStringLiteral("lb"));
    if (!L_Gewicht->text().isEmpty()) ShowDimensionsAndWeight();
}

void TFormTavro::RunCalculation() {
    if (!CommitPendingEntries()) return;
    TFormProdukt::RunCalculation();
    checkedFrost_.reset();
}

void TFormTavro::SetInputLimits() {
    TFormProdukt::SetInputLimits();
    Edit_GBreite->SetContent(TextOf(92));
    Edit_GBreite->SetErrorMessage(TextOf(105));
    for (int c = 0; c < 2; ++c) {
        for (int s = 0; s < 2; ++s) {
            TNumEdit* e = Edit_Temp[c][s];
            e->SetMinValue(kLimitBounds.minTemperature.In(SI));
            e->SetMaxValue(kLimitBounds.maxTemperature.In(SI));
            e->SetValidation(true);
        }
    }
}

bool TFormTavro::CheckLimits(const TDatenREK& r) {
    // With the option on, a case below its frost limit warns among the
    // other limit messages.
    checkedFrost_.reset();
    if (UseFrostCheck) checkedFrost_ = TryCheckFrost(r);
    const LimitResult result =
        LimitCheck(r, Design, DpLimit, checkedFrost_ ? &*checkedFrost_ : nullptr);
    Warnings.insert(result.messages.begin(), result.messages.end());
    return std::none_of(Warnings.begin(), Warnings.end(),
                        [](int n) { return LimitMessageClass(n) == LimitClass::error; });
}

QString TFormTavro::WarningText(int number) {
    const ShowOptions options{SI, CurrentLanguage, CurrentSeparators()};
    const FrostCheck* frost = checkedFrost_ ? &*checkedFrost_ : Frost();
    return QString::fromStdString(LimitMessageText(number, options, frost));
}

void TFormTavro::ShowProcessData() {
    ShowTable(ShownTable::ProcessData, Tabelle_Prozessdaten);
}

void TFormTavro::ShowHint() {
    TFormProdukt::ShowHint();
    if (!ResultsValid || Daten->WetMode == 0) return;
    // French sets a non-breaking space before the exclamation mark, Chinese
    // the full-width mark its texts use.
    const QString mark = CurrentLanguage == kFrench    ? QStringLiteral("\u00A0!")
                         : CurrentLanguage == kChinese ? QStringLiteral("\uFF01")
                                                       : QStringLiteral("!");
    QString text = TextOf(42) + mark;
    const QString frost = FrostHintText();
    if (!frost.isEmpty()) text += QStringLiteral(" - ") + frost;
    LB_Hinweis->setText(text);
    // 1.2 times as wide as the text, centred at x 245 (324 with two cases),
    // but moved (and at most narrowed to the page) so that the text stays
    // clear of the page's edges.
    constexpr int kEdge = 4;
    const int page = TabSheet_Luftaustritt->width();
    const int width =
        std::min(RoundHalfEven(QFontMetrics(LB_Hinweis->font()).horizontalAdvance(text) * 1.2),
                 page - 2 * kEdge);
    const int centre = SeasonMode == 2 ? 324 : 245;
    const int left = std::clamp(centre - width / 2, kEdge, page - kEdge - width);
    LB_Hinweis->setGeometry(left, Tabelle_Luftaustritt->height() + 2, width, 18);
}

} // namespace tavro
