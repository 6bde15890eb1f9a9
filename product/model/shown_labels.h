#pragma once

// The labels of a selection worked out from its inputs and records alone,
// as the main window shows them: the stream and case headings, the hint
// under the outlet table, the designation, the units in series and the
// weight, and the frost figures the pages print. Each in the language,
// units and separators of the selection's ShowOptions.

#include "physics/frost_check.h"
#include "product/model/selection_state.h"

#include <optional>
#include <string>

namespace tavro {

/// The frost check of the selection's heating case: nullopt when the check
/// is off (frostCheck), the results are not valid, the record's status is
/// not 0, or the check cannot take the record (its Error is swallowed).
std::optional<FrostCheck> SelectionFrost(const SelectionState& s);

/// The frost line of the data sheet for `check`: the warning when the
/// outside air lies below the frost limit, else the limit (or that there
/// is none down to the lowest temperature searched).
std::string FrostPageLine(const FrostCheck& check, const ShowOptions& options);

/// The hint under the outlet table: empty without valid results or for a
/// dry heating case; else the condensation note ("!" after it as the
/// language sets it), followed by " - " and the frost hint of `frost`
/// (FrostHint for the lower inlet temperature), or, without a frost check,
/// by the general frost note when the lower inlet lies below
/// kFrostHintBelow.
std::string ShownHint(const SelectionState& s, const std::optional<FrostCheck>& frost);

/// Every label of `s` as the window shows it for the state's inputs,
/// records, device and ShowOptions. The designation's bypass is the
/// heating record's Bypass; the weight is empty for a bypass-damper design
/// (or a later one) on an edge up to 300 mm, which the window leaves
/// without dimensions. `frost` is SelectionFrost(s).
ShownLabels ShownLabelsOf(const SelectionState& s, const std::optional<FrostCheck>& frost);

/// ShownLabelsOf with the frost check worked out here.
ShownLabels ShownLabelsOf(const SelectionState& s);

} // namespace tavro
