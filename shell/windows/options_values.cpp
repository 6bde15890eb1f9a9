// The values of the options dialog: air pressure and altitude with their
// ranges in both unit systems, the unit switch, the number separators and
// the OK button that checks them.

#include "shell/windows/options_window.h"

#include "controls/message_dialog.h"
#include "controls/num_edit.h"
#include "controls/vk_controls.h"
#include "physics/moist_air.h"
#include "physics/unit_conversion.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/number_format.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace tavro {

namespace {

// Ranges of the two fields: pressure (mbar, atm) and altitude (m, ft).
constexpr double kPressureSI[] = {600, 1100};
constexpr double kPressureUS[] = {0.6, 1.08};
constexpr double kAltitudeSI[] = {-700, 4200};
constexpr double kAltitudeUS[] = {-2140, 13500};

// The separator a field gives: its character, or the one handed in when it
// is empty. False for a character that is not ASCII.
bool SeparatorOf(const QString& text, const QString& given, char& out) {
    const QString s = text.isEmpty() ? given.left(1) : text.left(1);
    if (s.isEmpty()) {
        out = '\0';
        return true;
    }
    if (s[0].unicode() >= 0x80) return false;
    out = static_cast<char>(s[0].unicode());
    return true;
}

} // namespace

void TFormOptionen::SetRanges() {
    const double* p = si_ ? kPressureSI : kPressureUS;
    const double* h = si_ ? kAltitudeSI : kAltitudeUS;
    Edit_Luftdruck->SetMinValue(p[0]);
    Edit_Luftdruck->SetMaxValue(p[1]);
    Edit_HoeheNN->SetMinValue(h[0]);
    Edit_HoeheNN->SetMaxValue(h[1]);
}

void TFormOptionen::ShowValues() {
    // A value derived from the other field, or converted into the other
    // unit system, can lie just outside its field's range (1100 mbar is
    // -700.2 m, 600 mbar 4203 m): it is shown rounded into the range, so
    // that every field takes what it shows.
    auto show = [](TNumEdit* field, double v) {
        field->SetValue(std::clamp(v, field->MinValue(), field->MaxValue()));
    };
    show(Edit_Luftdruck,
         si_ ? pressure_ : Umrechnung(kTypeAirPressure, kUnitMbar, kUnitAtm, pressure_));
    show(Edit_HoeheNN, si_ ? altitude_ : Umrechnung(kTypeLength, kUnitM, kUnitFt, altitude_));
}

void TFormOptionen::ShowPressure(double pressure) {
    pressure_ = pressure;
    altitude_ = AltitudeFromPressure(pressure);
    ShowValues();
}

void TFormOptionen::Edit_LuftdruckCalculate(TCustomNumEdit& sender) {
    try {
        if (&sender == Edit_Luftdruck) {
            const double v = Edit_Luftdruck->Value();
            ShowPressure(si_ ? v : Umrechnung(kTypeAirPressure, kUnitAtm, kUnitMbar, v));
        } else if (&sender == Edit_HoeheNN) {
            const double v = Edit_HoeheNN->Value();
            altitude_ = si_ ? v : Umrechnung(kTypeLength, kUnitFt, kUnitM, v);
            ShowPressure(PressureFromAltitude(altitude_));
        }
    } catch (const Error&) {
        // The field has already checked its text; what cannot be converted
        // leaves pressure and altitude as they were.
    }
    ShowValues();
}

void TFormOptionen::ShowUnitSystem(bool si) {
    RadioButton_SI->setChecked(si);
    RadioButton_US->setChecked(!si);
    Label_mbar->setText(si ? QStringLiteral("mbar") : QStringLiteral("atm"));
    Label_m->setText(si ? QStringLiteral("m") : QStringLiteral("ft"));
    // Pressure and altitude are kept in mbar and m: shown again in the new
    // units, they are converted from those, not from the rounded texts.
    si_ = si;
    SetRanges();
    ShowValues();
}

void TFormOptionen::ShowSeparators(const QString& decimal, const QString& thousands) {
    decimalGiven_ = decimal.left(1);
    thousandsGiven_ = thousands.left(1);
    Edit_DecimalSeparator->setText(decimalGiven_);
    Edit_ThousandSeparator->setText(thousandsGiven_);
}

bool TFormOptionen::Separators(char& decimal, char& thousands) const {
    char d = 0;
    char t = 0;
    if (!SeparatorOf(Edit_DecimalSeparator->text(), decimalGiven_, d) ||
        !SeparatorOf(Edit_ThousandSeparator->text(), thousandsGiven_, t) ||
        !AreSeparatorsAllowed(d, t)) {
        return false;
    }
    decimal = d;
    thousands = t;
    return true;
}

void TFormOptionen::RefuseSeparator(QLineEdit* field, int message, int title,
                                    const QString& character) {
    QString text = TextOf(message);
    const qsizetype at = text.indexOf(QStringLiteral("%s"));
    if (at >= 0) text.replace(at, 2, character);
    ShowMessageDialog(text, TextOf(title), mkWarning);
    PageControl1->setCurrentWidget(Seite_Einheiten);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

void TFormOptionen::Button_OKClick() {
    if (!TCustomNumEdit::CommitFocused(this)) return;
    const QString decimalText = Edit_DecimalSeparator->text().left(1);
    const QString thousandsText = Edit_ThousandSeparator->text().left(1);
    char d = 0;
    char t = 0;
    if (!SeparatorOf(decimalText, decimalGiven_, d) || !IsDecimalSeparatorAllowed(d)) {
        RefuseSeparator(Edit_DecimalSeparator, 600, 207,
                        decimalText.isEmpty() ? decimalGiven_ : decimalText);
        return;
    }
    if (!SeparatorOf(thousandsText, thousandsGiven_, t) || !IsThousandSeparatorAllowed(t)) {
        RefuseSeparator(Edit_ThousandSeparator, 601, 208,
                        thousandsText.isEmpty() ? thousandsGiven_ : thousandsText);
        return;
    }
    if (d == t) {
        // The field the user changed is the one to correct.
        const bool decimalChanged = !decimalText.isEmpty() && decimalText != decimalGiven_;
        RefuseSeparator(decimalChanged ? Edit_DecimalSeparator : Edit_ThousandSeparator, 602,
                        decimalChanged ? 207 : 208, QString());
        return;
    }
    SetModalResult(mrOk);
}
} // namespace tavro
