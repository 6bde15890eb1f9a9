// The air inputs of the product window: reading the edits into the records,
// showing the records in the inlet table and the edits, the input modes,
// the unit system and the heating/cooling cases.

#include "product/windows/product_window.h"

#include "controls/daten_grid.h"
#include "controls/num_edit.h"
#include "physics/unit_conversion.h"
#include "product/model/limit_bounds.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/number_format.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace tavro {

namespace {

// The useful range of the flows in every flow unit.
constexpr double kMinFlow = 1;
constexpr double kMaxFlow = 999999;

} // namespace

void TFormProdukt::ReadInputs() {
    for (int c = 0; c < 2; ++c) {
        TDatenREK& r = Case(c);
        r.AirState = AirState;
        r.AirQuant = AirQuant;
        r.pbar = pbar;
        r.VolumeAt = 0;
        for (int s = 0; s < 2; ++s) {
            // Committed values only: a text still being typed is read once
            // the field has taken it.
            const double flow = Edit_SVol[c][s]->CommittedValue();
            const double temp = Edit_Temp[c][s]->CommittedValue();
            const double humidity = Edit_Feuchte[c][s]->CommittedValue();
            double& svol = s == 0 ? r.SVol11 : r.SVol21;
            double& vol = s == 0 ? r.Vol11 : r.Vol21;
            double& mair = s == 0 ? r.MAir11 : r.MAir21;
            if (AirQuant == 0) svol = FromShown(kShownVolumeFlow, SI, flow);
            if (AirQuant == 1) vol = FromShown(kShownVolumeFlow, SI, flow);
            if (AirQuant == 3) mair = FromShown(kShownMassFlow, SI, flow);
            (s == 0 ? r.Temp11 : r.Temp21) = FromShown(kShownTemperature, SI, temp);
            if (AirState == 1) {
                (s == 0 ? r.X11 : r.X21) = FromShown(kShownHumidityRatio, SI, humidity);
            } else if (AirState == 7) {
                (s == 0 ? r.WetBulb11 : r.WetBulb21) = FromShown(kShownTemperature, SI, humidity);
            } else {
                (s == 0 ? r.Phi11 : r.Phi21) = humidity;
            }
        }
    }
}

void TFormProdukt::ShowInputs() {
    ShowTable(ShownTable::Inlet, Tabelle_Lufteintritt);
    AfterShowInputs();
}

void TFormProdukt::RefreshUnits() {
    if (Tabelle_Lufteintritt == nullptr) return;
    ShowTable(ShownTable::Inlet, Tabelle_Lufteintritt);
    ShowVelocityAndPressureDrop();
    // The result tables carry their labels and units also while they hold
    // no results.
    ShowOutletStates();
    ShowProcessData();
    if (!ResultsValid) ClearResults();
}

void TFormProdukt::ShowEditsFromRecords() {
    for (int c = 0; c < 2; ++c) {
        const TDatenREK& r = Case(c);
        for (int s = 0; s < 2; ++s) {
            double flow;
            if (AirQuant == 1) {
                flow = ToShown(kShownVolumeFlow, SI, s == 0 ? r.Vol11 : r.Vol21);
            } else if (AirQuant == 3) {
                flow = ToShown(kShownMassFlow, SI, s == 0 ? r.MAir11 : r.MAir21);
            } else {
                flow = ToShown(kShownVolumeFlow, SI, s == 0 ? r.SVol11 : r.SVol21);
            }
            double humidity;
            if (AirState == 1) {
                humidity = ToShown(kShownHumidityRatio, SI, s == 0 ? r.X11 : r.X21);
            } else if (AirState == 7) {
                humidity = ToShown(kShownTemperature, SI, s == 0 ? r.WetBulb11 : r.WetBulb21);
            } else {
                humidity = s == 0 ? r.Phi11 : r.Phi21;
            }
            // The edits show their values rounded to their decimals (none
            // for flows, one for temperatures and humidities) and keep them
            // unrounded until the user changes the text.
            Edit_SVol[c][s]->SetValue(flow);
            Edit_Temp[c][s]->SetValue(ToShown(kShownTemperature, SI, s == 0 ? r.Temp11 : r.Temp21));
            Edit_Feuchte[c][s]->SetValue(humidity);
        }
    }
}

void TFormProdukt::SetInputLimits() {
    // Flows and humidities are not range-checked where they are typed (the
    // limit checks of Calculate judge them); their limits name the useful
    // range in the message that answers a text that is no number.
    const int flowText = AirQuant == 1 ? 17 : AirQuant == 3 ? 33 : 16;
    const int humidityText = AirState == 1 ? 14 : AirState == 7 ? 51 : 13;
    const LimitBounds& b = kLimitBounds;
    double humidityLimits[2] = {b.minRelativeHumidity, b.maxRelativeHumidity};
    if (AirState == 1) {
        humidityLimits[0] = b.minHumidityRatio.In(SI);
        humidityLimits[1] = b.maxHumidityRatio.In(SI);
    } else if (AirState == 7) {
        humidityLimits[0] = b.minTemperature.In(SI);
        humidityLimits[1] = b.maxTemperature.In(SI);
    }
    for (int c = 0; c < 2; ++c) {
        for (int s = 0; s < 2; ++s) {
            for (TNumEdit* e : {Edit_SVol[c][s], Edit_Temp[c][s], Edit_Feuchte[c][s]})
                e->SetErrorMessage(TextOf(105));
            Edit_SVol[c][s]->SetContent(TextOf(flowText));
            Edit_SVol[c][s]->SetMinValue(kMinFlow);
            Edit_SVol[c][s]->SetMaxValue(kMaxFlow);
            Edit_Temp[c][s]->SetContent(TextOf(12));
            Edit_Feuchte[c][s]->SetContent(TextOf(humidityText));
            Edit_Feuchte[c][s]->SetMinValue(humidityLimits[0]);
            Edit_Feuchte[c][s]->SetMaxValue(humidityLimits[1]);
        }
    }
}

bool TFormProdukt::CommitPendingEntries() {
    if (!TCustomNumEdit::CommitFocused(this)) return false;
    // A field left through a menu or another window may still hold a typed
    // text.
    for (TCustomNumEdit* e : findChildren<TCustomNumEdit*>()) {
        if (e->window() == this && e->isVisible() && e->isEnabled() && !e->CommitPending())
            return false;
    }
    return true;
}

void TFormProdukt::SetUnitSystem(bool si) {
    TFormBasis::SetUnitSystem(si);
    if (Daten == nullptr) return;
    SetInputLimits();
    ShowEditsFromRecords();
    ShowInputs();
    if (ResultsValid) SetResultsValid(true);
}

void TFormProdukt::SetHumidityMode(uint8_t mode) {
    TFormBasis::SetHumidityMode(mode);
    if (Daten == nullptr) return;
    SetInputLimits();
    PlaceEdits();
    ShowEditsFromRecords();
}

void TFormProdukt::SetAirQuantityMode(uint8_t mode) {
    TFormBasis::SetAirQuantityMode(mode);
    if (Daten == nullptr) return;
    SetInputLimits();
    PlaceEdits();
    ShowEditsFromRecords();
}

void TFormProdukt::SetOperatingCases(uint8_t cases) {
    TFormBasis::SetOperatingCases(cases);
    if (Daten == nullptr) return;
    LayOut();
    ShowSeasonGlyph();
    RefreshUnits();
    ShowInputs();
    if (cases == 2) Aenderung_Daten();
    if (ResultsValid) ShowHint();
}

void TFormProdukt::SetSeasons(bool seasons) {
    TFormBasis::SetSeasons(seasons);
    if (Daten == nullptr) return;
    if (!seasons && SeasonMode == 2) {
        SetOperatingCases(1);
    } else {
        LayOut();
    }
}

void TFormProdukt::Button_SeasonsClick() {
    // The button takes no focus: an entry being typed is taken first.
    if (!CommitPendingEntries()) return;
    SetOperatingCases(SeasonMode == 2 ? 1 : 2);
}

void TFormProdukt::OptionsApplied() {
    TFormBasis::OptionsApplied();
    // The frost check option adds or removes the frost rows of the process
    // data.
    if (Tabelle_Prozessdaten->RowCount() != ProcessRowCount()) LayOut();
    // Every edit shows its own value again in the current number format.
    for (int c = 0; c < Cases(); ++c) {
        for (int s = 0; s < 2; ++s) {
            for (TNumEdit* e : {Edit_SVol[c][s], Edit_Temp[c][s], Edit_Feuchte[c][s]})
                e->SetValue(e->CommittedValue());
        }
    }
    Aenderung_Daten();
}

void TFormProdukt::Aenderung_Daten() {
    SetResultsValid(false);
    ReadInputs();
    ReadDeviceInputs();
    SetInputLimits();
    Daten->CalculateAll();
    if (SeasonMode == 2) DatenSommer->CalculateAll();
    ShowInputs();
    ShowVelocityAndPressureDrop();
}

void TFormProdukt::AfterShowInputs() {}

void TFormProdukt::EnableInputs(bool enable) {
    for (int c = 0; c < 2; ++c) {
        for (int s = 0; s < 2; ++s) {
            for (TNumEdit* e : {Edit_SVol[c][s], Edit_Temp[c][s], Edit_Feuchte[c][s]})
                e->setEnabled(enable);
        }
    }
    MenuItem(QStringLiteral("Menu_Optionen_Sprache"))->setEnabled(enable);
    MenuItem(QStringLiteral("Menu_Optionen_Einstellungen"))->setEnabled(enable);
    Button_Vorauswahl->setEnabled(enable && SizeSelectionAvailable());
    Button_Produktbeschreibung->setEnabled(enable && DescriptionAvailable());
}

} // namespace tavro
