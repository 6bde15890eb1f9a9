// The Tavro window's captions, its limit checks with their messages, the
// process-data table and the condensation hint.

#include "product/windows/tavro_window.h"

#include "controls/daten_grid.h"
#include "controls/num_edit.h"
#include "physics/numeric/rounding.h"
#include "physics/unit_conversion.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace tavro {

namespace {

// Message numbers that stop a calculation.
constexpr int kErrors[] = {1, 2, 3, 4, 6, 8, 9, 10, 12, 30};

// Fills the "%s" placeholders of a text in order.
QString Fill(QString text, std::initializer_list<QString> values) {
    for (const QString& v : values) {
        const qsizetype at = text.indexOf(QStringLiteral("%s"));
        if (at < 0) break;
        text.replace(at, 2, v);
    }
    return text;
}

} // namespace

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
}

void TFormTavro::SetInputLimits() {
    TFormProdukt::SetInputLimits();
    Edit_GBreite->SetContent(TextOf(92));
    Edit_GBreite->SetErrorMessage(TextOf(105));
    for (int c = 0; c < 2; ++c) {
        for (int s = 0; s < 2; ++s) {
            TNumEdit* e = Edit_Temp[c][s];
            e->SetMinValue(SI ? -30 : -22);
            e->SetMaxValue(SI ? 80 : 176);
            e->SetValidation(true);
        }
    }
}

bool TFormTavro::CheckLimits(const TDatenREK& r) {
    auto add = [this](int n) { Warnings.insert(n); };
    if (std::min(r.Temp11, r.Temp21) < -30) add(1);
    if (std::max(r.Temp11, r.Temp21) > 80) add(2);
    if (std::min(r.Phi11, r.Phi21) < 0) add(3);
    if (std::max(r.Phi11, r.Phi21) > 100) add(4);
    const double vLow = std::min(r.Vel1, r.Vel2);
    const double vHigh = std::max(r.Vel1, r.Vel2);
    if (vLow < 0.2 || vHigh > 5.5) {
        add(6);
    } else if (vLow < 0.5 || vHigh > 4.0) {
        add(5);
    }
    const double ratio = r.SVol11 / r.SVol21;
    if (ratio >= 2 || ratio <= 0.5) {
        add(8);
    } else if (ratio > 1.5 || ratio < 2.0 / 3.0) {
        add(7);
    }
    if (r.Width < 100) add(9);
    if (Design > 20 && r.Edge < 400) add(10);
    const double dp = std::max(r.Dp1, r.Dp2);
    if (dp > RoundHalfEven(DpLimit * 1.1)) {
        add(12);
    } else if (dp > DpLimit) {
        add(11);
    }
    if (std::max(r.X11, r.X21) > 150 || std::min(r.X11, r.X21) < 0) add(30);
    for (int n : kErrors) {
        if (Warnings.count(n)) return false;
    }
    return true;
}

QString TFormTavro::WarningText(int number) {
    switch (number) {
    case 1:
    case 2:
        return Fill(TextOf(106), {SI ? QStringLiteral("-30") : QStringLiteral("-22"),
                                  SI ? QStringLiteral("80°C") : QStringLiteral("176°F")});
    case 3:
    case 4:
        return Fill(TextOf(107), {QStringLiteral("0"), QStringLiteral("90%")});
    case 5:
    case 6:
        return SI ? Fill(TextOf(108), {Number(0.5, 1), Number(3.5, 1) + QStringLiteral(" m/s")})
                  : Fill(TextOf(108), {QStringLiteral("100"), QStringLiteral("688 fmp")});
    case 7:
    case 8:
        return Fill(TextOf(110), {Number(0.66, 2), Number(1.5, 2)});
    case 9:
        return Fill(TextOf(120), {QStringLiteral("100 mm")});
    case 10:
        return TextOf(121);
    case 11:
    case 12:
        return TextOf(109);
    case 30:
        return Fill(TextOf(474), {QStringLiteral("0"),
                                  SI ? QStringLiteral("150 g/kg") : QStringLiteral("1050 gr/lb")});
    default:
        return QString();
    }
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
    if (std::min(Daten->Temp11, Daten->Temp21) < -5) text += QStringLiteral(" - ") + TextOf(43);
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
