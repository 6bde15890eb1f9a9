#pragma once

// The options dialog: air pressure or altitude, unit system, input modes,
// number separators and the efficiency method.

#include "controls/vk_form.h"

#include <cstdint>
#include <string>

namespace tavro {

/// What the main window hands to the options dialog and takes back on OK.
struct OptionsValues {
    bool SI = true;                ///< SI units (false: inch-pound)
    double pbar = 1013;            ///< air pressure, hPa
    uint8_t AirState = 0;          ///< humidity input mode: 0 relative, 1 absolute, 7 wet bulb
    uint8_t AirQuant = 0;          ///< air-quantity mode: 0 standard, 1 actual volume, 3 mass flow
    std::string DecimalSeparator;  ///< at most one character; empty keeps the current one
    std::string ThousandSeparator; ///< likewise
    bool USEffectiveness = false;  ///< ASHRAE 84 / AHRI 1060 instead of EN 308
    bool TotalEff = false;
    bool WetBulbOnDataSheet = false;
    bool EnergyClass = true;
    bool FrostCheck = true; ///< frost limit and warning after every calculation
};

class TFormOptionen;

/// The options dialog, created on first use with `owner` and kept; shows it
/// modally with `values` and, only on OK, returns true with `values` taken
/// from the dialog.
bool EditOptions(QWidget* owner, OptionsValues& values);

/// The options dialog, if it has been created.
TFormOptionen* OptionsDialog();

} // namespace tavro
