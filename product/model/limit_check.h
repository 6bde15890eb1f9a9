#pragma once

// The limit check of a calculated record: which messages it raises, which
// of them stop a calculation, and their texts in either unit system.

#include "physics/frost_check.h"
#include "physics/records.h"
#include "product/model/show_options.h"

#include <set>
#include <span>
#include <string>

namespace tavro {

/// A limit message either warns (the calculation runs) or is an error (it
/// does not).
enum class LimitClass { warning, error };

struct LimitResult {
    std::set<int> messages; ///< message numbers raised, ascending
    bool hasError = false;  ///< one of them is error-class
};

/// Checks the inlet states and the results of the inlet stage of `record`
/// (after CalculateAll) against kLimitBounds: temperatures 1/2, relative
/// humidities 3/4, face velocities 5 or 6, the ratio of the standard
/// volume flows 7 or 8, the package width 9, the edge a design with
/// housing needs 10 (`design` is the form of design, 10 ... 60), the
/// pressure drops against `dpLimit` (Pa) 11 or 12, humidity ratios 30.
/// A quantity that is not a number (a failed stage leaves NaN behind, a
/// zero flow gives a ratio without meaning) counts as outside its
/// permitted range, so a record the check cannot judge never passes it.
/// `frost` is the frost check of the same record (TryCheckFrost) or
/// nullptr: when given and the record's outside air lies below its frost
/// limit, the warning kFrostWarning (40) joins the messages. Without it the
/// check judges the record alone.
LimitResult LimitCheck(const TDatenREK& record, int design, double dpLimit,
                       const FrostCheck* frost = nullptr);

/// The class of message `number`; numbers the check never raises are
/// warnings.
LimitClass LimitMessageClass(int number);

/// Every message number the check raises from the record alone, ascending;
/// the frost warning kFrostWarning comes on top with a frost check.
std::span<const int> LimitMessageNumbers();

/// The text of message `number` in the options' language, its "%s"
/// placeholders filled with the figures of kLimitBounds in the options'
/// unit system and decimal separator (UTF-8). Empty for a number the check
/// never raises, or when the language has no such text. The frost warning
/// kFrostWarning takes its figures from `frost` (FrostWarningText); it is
/// empty without a frost check or when that finds no risk.
std::string LimitMessageText(int number, const ShowOptions& options,
                             const FrostCheck* frost = nullptr);

} // namespace tavro
