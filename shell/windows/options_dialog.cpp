#include "shell/windows/options_dialog.h"

#include "controls/vk_controls.h"
#include "shell/windows/options_window.h"

#include <QLineEdit>
#include <QPointer>

namespace tavro {

namespace {

QPointer<TFormOptionen> dialog;

} // namespace

TFormOptionen* OptionsDialog() {
    return dialog;
}

bool EditOptions(QWidget* owner, OptionsValues& values) {
    if (!dialog) dialog = new TFormOptionen(owner);
    TFormOptionen& d = *dialog;
    d.ShowUnitSystem(values.SI);
    d.ShowPressure(values.pbar);
    d.ShowHumidityMode(values.AirState);
    d.ShowAirQuantityMode(values.AirQuant);
    d.ShowSeparators(QString::fromStdString(values.DecimalSeparator),
                     QString::fromStdString(values.ThousandSeparator));
    d.RadioButton_PHI_USA->setChecked(values.USEffectiveness);
    d.RadioButton_PHI_Europa->setChecked(!values.USEffectiveness);
    d.CheckBox_TotalEff->setChecked(values.USEffectiveness && values.TotalEff);
    d.CheckBox_WB->setChecked(values.WetBulbOnDataSheet);
    d.CheckBox_HCLASS->setChecked(values.EnergyClass);
    d.CheckBox_Frost->setChecked(values.FrostCheck);
    d.CheckBox_TotalEff->setEnabled(values.USEffectiveness);
    d.CheckBox_HCLASS->setEnabled(!values.USEffectiveness);
    if (d.ShowModal() != mrOk) return false;
    values.SI = d.UnitSI();
    values.pbar = d.Pressure();
    values.AirState = d.HumidityMode();
    values.AirQuant = d.AirQuantityMode();
    // OK takes only a usable pair; should the dialog be closed with OK
    // otherwise, the separators stay as they were.
    char decimal = 0;
    char thousands = 0;
    if (d.Separators(decimal, thousands)) {
        values.DecimalSeparator = std::string(1, decimal);
        values.ThousandSeparator = thousands == '\0' ? std::string() : std::string(1, thousands);
    }
    values.USEffectiveness = d.RadioButton_PHI_USA->isChecked();
    values.TotalEff = d.CheckBox_TotalEff->isChecked();
    values.WetBulbOnDataSheet = d.CheckBox_WB->isChecked();
    values.EnergyClass = d.CheckBox_HCLASS->isChecked();
    values.FrostCheck = d.CheckBox_Frost->isChecked();
    return true;
}

} // namespace tavro
