#pragma once

// Shared pieces of the command-line commands.

#include "cli/commands.h"
#include "physics/numeric/errors.h"
#include "physics/record_fields.h"
#include "shell/texts/number_format.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {
struct SelectionState;
}

namespace tavro::cli {

using Json = nlohmann::ordered_json;

/// Bad input on the command line; the message is shown as it is.
class UsageError : public Error {
public:
    using Error::Error;
};

/// What a command reports besides its output: the exit status and, for a
/// status other than 0, one line naming the cause.
struct Outcome {
    int status = kExitOk;
    std::string problem;
};

/// The largest flow (m³/h or kg/h) the commands take: far above any air
/// handling unit, far below where the physics overflows.
inline constexpr double kMaxFlow = 1e7;

/// A whole argument as a number; throws UsageError naming `what` otherwise.
double ParseNumber(std::string_view what, std::string_view text);

/// A whole argument as an integer from lo to hi; throws UsageError otherwise.
int ParseInteger(std::string_view what, std::string_view text, int lo, int hi);

/// A double as JSON; null for NaN and infinities, which JSON cannot hold.
Json JsonNumber(double v);

/// One KEY=VALUE argument split at its first '='; throws UsageError when
/// there is no '=' or no key.
std::pair<std::string_view, std::string_view> SplitAssignment(std::string_view command,
                                                              std::string_view arg);

/// Whether `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

/// A 0|1 argument: true for "1". Throws UsageError "<command>: <key> takes
/// 0 or 1, not '<value>'" for any other text.
bool ParseFlag(std::string_view command, std::string_view key, std::string_view value);

/// A two-letter language code (LanguageFromCode): the language. Throws
/// UsageError "<command>: lang takes en, de, fr, pl, zh or ru, not '…'".
int ParseLanguageCode(std::string_view command, std::string_view value);

/// Two characters, the decimal and the thousands separator, or one for no
/// grouping; both must pass AreSeparatorsAllowed. Throws UsageError naming
/// the command otherwise.
NumberSeparators ParseSeparators(std::string_view command, std::string_view value);

/// Whether `text` (valid UTF-8) holds a control character: U+0000 to
/// U+001F (line breaks and tabs among them), U+007F or U+0080 to U+009F.
bool HasControlCharacter(std::string_view text);

/// `text` made safe for a one-line message: control characters, and every
/// byte of a text that is not UTF-8 from 0x80 up, written as \xNN; cut
/// after `limit` bytes with "...".
std::string Printable(std::string_view text, size_t limit = 400);

/// Sets a field of the record from a command-line value, as
/// SetRecordField does, with the checks of the command line on top: only
/// inputs (the inlet blocks, the modes, pbar and the product parameters;
/// not the results the calculation writes), texts UTF-8 without control
/// characters and only the line "Tavro" (the one this program calculates),
/// the inlet flows
/// (standard and actual volume, dry-air and moist-air mass flow of both
/// streams) more than 0 and at most kMaxFlow, and the bypass velocity from
/// 5 to 15 m/s. Throws UsageError naming the command and the field.
void SetRecordArgument(TDatenREK& record, const RecordField& field, std::string_view value,
                       std::string_view command);

/// SetRecordArgument for the field named `key`; throws UsageError naming
/// the command when the record has no such field.
void SetRecordArgument(TDatenREK& record, std::string_view key, std::string_view value,
                       std::string_view command);

/// A form of design (10, 20, 25, 30, 40, 60) from an argument; throws
/// UsageError naming `what` otherwise.
int ParseDesign(std::string_view what, std::string_view text);

/// The commands: each prints its result to out and returns its outcome, or
/// throws UsageError (bad input), DimensionError (a unit that cannot be
/// built) or ArithmeticFault (the calculation faulted).
Outcome RunFunction(std::span<const std::string_view> args, bool json, std::ostream& out);
Outcome RunRecord(std::span<const std::string_view> args, bool json, std::ostream& out);
Outcome RunShownRecord(std::span<const std::string_view> args, bool json, std::ostream& out);
/// Writes the selection document of the KEY=VALUE input to `outPath`
/// (calculated as the window's Calculate command does).
Outcome RunSave(std::span<const std::string_view> args, const std::string& outPath, bool json,
                std::ostream& out);

/// The input of the selection document at `path` as KEY=VALUE arguments
/// of `command` ("record", "record --shown", "sizes" or "check"): the
/// record's input fields that differ from a new record's and, depending on
/// the command, the design and units in series (sizes), the design,
/// pressure-drop limit and language (check), or the cooling case and
/// display options (record --shown). Throws UsageError naming the field and its problem for a
/// document that cannot be read.
std::vector<std::string> SelectionArguments(const std::string& path, std::string_view command);
/// The same for a selection already read.
std::vector<std::string> SelectionArguments(const SelectionState& state, std::string_view command);
Outcome RunProduct(std::span<const std::string_view> args, bool json, std::ostream& out);
Outcome RunSizes(std::span<const std::string_view> args, bool json, std::ostream& out);
Outcome RunCheck(std::span<const std::string_view> args, bool json, std::ostream& out);
Outcome RunFrost(std::span<const std::string_view> args, bool json, std::ostream& out);

/// The names and arguments of the functions `fn` knows, for the help text.
void PrintFunctionList(std::ostream& out);

/// The line --version prints: "tavro-calc", the program's version text and
/// the build (project version, source revision, build type).
std::string VersionLine();

} // namespace tavro::cli
