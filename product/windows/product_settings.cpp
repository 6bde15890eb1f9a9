// The product window's creation and its stored inputs: the flows,
// temperatures and relative humidities of both streams of both cases.

#include "product/windows/product_window.h"

#include "shell/settings/shell_settings.h"

#include <QAction>
#include <QPushButton>

#include <cmath>

namespace tavro {

namespace {

// A stored input: its key, its default and how many decimals it keeps on
// reading (0 for the flows, 2 for temperatures and humidities).
struct StoredInput {
    const char* key;
    double defaultValue;
    int decimals;
    int record; // 0 primary, 1 summer
    double TDatenII::*field;
};

const StoredInput kStoredInputs[] = {
    {"SVol11", 10000, 0, 0, &TDatenII::SVol11},   {"Temp11", -12, 2, 0, &TDatenII::Temp11},
    {"Humidity11", 90, 2, 0, &TDatenII::Phi11},   {"SVol21", 10000, 0, 0, &TDatenII::SVol21},
    {"Temp21", 22, 2, 0, &TDatenII::Temp21},      {"Humidity21", 40, 2, 0, &TDatenII::Phi21},
    {"SVol11_S", 10000, 0, 1, &TDatenII::SVol11}, {"Temp11_S", 32, 2, 1, &TDatenII::Temp11},
    {"Humidity11_S", 40, 2, 1, &TDatenII::Phi11}, {"SVol21_S", 10000, 0, 1, &TDatenII::SVol21},
    {"Temp21_S", 22, 2, 1, &TDatenII::Temp21},    {"Humidity21_S", 50, 2, 1, &TDatenII::Phi21},
};

// Rounded to `decimals` decimals, halves to even.
double RoundTo(double v, int decimals) {
    const double f = std::pow(10.0, decimals);
    return std::nearbyint(v * f) / f;
}

} // namespace

void TFormProdukt::FormCreate() {
    ProductSection = "Tavro";
    if (!Settings) Settings = std::make_unique<TIniDatei>(kSettingsFileName, kSettingsFolder);
    if (!Daten) Daten = std::make_unique<TDatenREK>();
    if (!DatenSommer) DatenSommer = std::make_unique<TDatenREK>();
    Daten->Line = "Tavro";
    DatenSommer->Line = "Tavro";
    TFormBasis::FormCreate();
    LayOut();
    ShowStoredInputs();
    SetResultsValid(false);
    // Commands whose windows or pages this program may lack; asked here,
    // where the window's own level answers.
    Button_Vorauswahl->setEnabled(SizeSelectionAvailable());
    Button_Bauform->setEnabled(SizeSelectionAvailable());
    Button_Produktbeschreibung->setEnabled(DescriptionAvailable());
    MenuItem(QStringLiteral("Menu_Ansicht_Produktbeschreibung"))
        ->setEnabled(DescriptionAvailable());
}

void TFormProdukt::ReadSettings() {
    TFormBasis::ReadSettings();
    if (!Settings) return;
    for (const StoredInput& in : kStoredInputs) {
        const double v = Settings->ReadFloat(ProductSection, in.key, in.defaultValue);
        Case(in.record).*in.field = RoundTo(v, in.decimals);
    }
}

void TFormProdukt::WriteSettings() {
    TFormBasis::WriteSettings();
    if (!Settings) return;
    for (const StoredInput& in : kStoredInputs) {
        Settings->WriteFloat(ProductSection, in.key, Case(in.record).*in.field);
    }
}

void TFormProdukt::ShowStoredInputs() {
    TFormBasis::ShowStoredInputs();
    // The stored values are standard volumes, temperatures and relative
    // humidities whatever the modes: complete the inlet states from them,
    // then show the edits in the modes of the window.
    for (int c = 0; c < 2; ++c) {
        TDatenREK& r = Case(c);
        const uint8_t state = r.AirState;
        const uint8_t quant = r.AirQuant;
        r.AirState = 0;
        r.AirQuant = 0;
        r.CalculateAll();
        r.AirState = state;
        r.AirQuant = quant;
    }
    pbar = Daten->pbar;
    AirState = Daten->AirState;
    AirQuant = Daten->AirQuant;
    PlaceEdits();
    SetInputLimits();
    ShowEditsFromRecords();
    ShowInputs();
}

} // namespace tavro
