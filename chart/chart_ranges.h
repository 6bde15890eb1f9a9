#pragma once

// The five temperature and five humidity ranges the chart can be drawn for,
// in internal units, and the texts of the range combo boxes.
//
// Every function takes the unit system (si) and a range index; an index
// outside 0 .. RangeCount() - 1 is clamped into that range, so a stored or
// hand-edited index can never pick a table entry that does not exist.

#include <QString>

namespace tavro {

/// Number of entries of each range table: 5.
int RangeCount();

/// Clamps a range index into 0 .. RangeCount() - 1.
int ClampRange(int index);

/// Upper temperature (°C) of temperature range `index`: 60, 80, 100, 120,
/// 140 °C in SI; 140, 180, 220, 260, 300 °F (60 … 148.9 °C) in inch-pound.
double UpperTemperature(bool si, int index);

/// Lower temperature (°C): −20 °C in SI, 0 °F (−17.78 °C) in inch-pound; the
/// same for every index.
double LowerTemperature(bool si, int index);

/// Distance (K) between two lines of constant temperature: 2 K in SI, 5 °F
/// (2.78 K) in inch-pound; the same for every index.
double TemperatureLineStep(bool si, int index);

/// Distance (K) between two labelled (thicker) lines of constant
/// temperature: 10 K in SI, 20 °F (11.1 K) in inch-pound.
double TemperatureLabelStep(bool si, int index);

/// Upper humidity ratio (g/kg) of humidity range `index`: 20, 30, 40, 50, 60
/// g/kg in SI; 140, 220, 280, 360, 440 gr/lb (20 … 62.9 g/kg) in inch-pound.
/// The lower humidity ratio is always 0.
double UpperHumidity(bool si, int index);

/// Distance (g/kg) between two lines of constant humidity ratio for humidity
/// range `index`: 2, 2, 5, 5, 5 g/kg in SI; 10, 10, 20, 20, 20 gr/lb in
/// inch-pound.
double HumidityLineStep(bool si, int index);

/// Distance between two lines of constant enthalpy for humidity range
/// `index`, in the unit the chart labels them with (kJ/kg in SI, BTU/lb in
/// inch-pound): 5, 10, 10, 10, 20 kJ/kg or 2, 5, 5, 5, 10 BTU/lb. The lines
/// lie on whole multiples of this step in the shown unit, which is why it is
/// not converted.
double EnthalpyLineStepShown(bool si, int index);

/// Item `index` of the temperature range combo: "-20 .. 60 °C" … in SI,
/// "0 .. 140 °F" … in inch-pound (the unit label from the text table).
QString TemperatureRangeItem(bool si, int index);

/// Item `index` of the humidity range combo: "0 .. 20 g/kg" … in SI,
/// "0 .. 140 gr/lb" … in inch-pound.
QString HumidityRangeItem(bool si, int index);

} // namespace tavro
