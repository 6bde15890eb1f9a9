#pragma once

// What the window, the pages and the command line show of a frost check
// (physics/frost_check.h): the hint on the outlet page, the warning of a
// case below its frost limit and the rows of the process data, each in the
// units, language and separators of the caller's ShowOptions.

#include "physics/frost_check.h"
#include "product/model/show_options.h"

#include <optional>
#include <string>
#include <vector>

namespace tavro {

/// Number of the frost warning among the limit-check messages.
inline constexpr int kFrostWarning = 40;
/// The frost warning is a warning: the results stay valid.
inline constexpr bool kFrostWarningIsError = false;

/// Below this lower inlet temperature, °C, the hint always speaks of frost.
inline constexpr double kFrostHintBelow = -5;

/// Text numbers of the frost texts.
inline constexpr int kTextFrostCheck = 700;           ///< option caption
inline constexpr int kTextFrostLimitHint = 701;       ///< "Frost limit %s"
inline constexpr int kTextNoFrostDownTo = 702;        ///< "No frost down to %s"
inline constexpr int kTextFrostWarning = 703;         ///< limit, preheat, bypass share
inline constexpr int kTextFrostLimit = 704;           ///< row label
inline constexpr int kTextFrostPreheat = 705;         ///< row label
inline constexpr int kTextFrostBypass = 706;          ///< row label
inline constexpr int kTextColdestWall = 707;          ///< chart legend
inline constexpr int kTextFrostWarningNoBypass = 708; ///< limit, preheat; no bypass helps

/// The frost check of the calculated record r (CheckFrost), or nothing when
/// r has no successful calculation (Status not 0) or the check cannot take
/// it (a quantity it reads is not a number, return air no warmer than
/// kFrostSearchLow): such a record has no frost figures.
std::optional<FrostCheck> TryCheckFrost(const TDatenREK& r);

/// A temperature (°C) as shown: one decimal, "°C" or "°F" after a blank.
std::string FrostTemperature(double celsius, const ShowOptions& options);

/// A heat flow (kW) as shown: "4.20 kW", or BTU/h without decimals and with
/// thousands separators in inch-pound units.
std::string FrostPower(double kw, const ShowOptions& options);

/// The hint that replaces "Freezing limit not considered" when the frost
/// check is on: "Frost limit -6.3 °C" when the check has a limit and
/// lowerInlet (the lower of the two inlet temperatures, °C) lies below
/// kFrostHintBelow or below the limit; "No frost down to -50 °C" when there
/// is no limit and lowerInlet lies below kFrostHintBelow; empty otherwise
/// (the hint then says nothing of frost). NaN for lowerInlet gives empty.
std::string FrostHint(const FrostCheck& check, double lowerInlet, const ShowOptions& options);

/// The warning of a case whose outside air lies below its frost limit:
/// "Frost risk below -6.3 °C outside air: preheat 4.20 kW or bypass 35 % of
/// the outside air."; when no partial bypass prevents frost, the preheat
/// alone. Empty when the check finds no risk.
std::string FrostWarningText(const FrostCheck& check, const ShowOptions& options);

/// One row of the process data or the data sheet.
struct FrostRow {
    int text = 0;      ///< text number of the label
    std::string label; ///< the label in the options' language
    std::string value; ///< the figure as shown
    std::string unit;  ///< "°C", "°F", "kW", "BTU/h", "%"; empty for a figure that is a text
};

/// The frost rows of a check: the frost limit ("< -50.0" when there is none
/// down to kFrostSearchLow), and when at risk the preheat and the bypass
/// share (whole percent, rounded up; "-" when no partial bypass prevents
/// frost).
std::vector<FrostRow> FrostRows(const FrostCheck& check, const ShowOptions& options);

} // namespace tavro
