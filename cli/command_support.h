#pragma once

// Shared pieces of the command-line commands.

#include "cli/commands.h"
#include "physics/errors.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace tavro::cli {

using Json = nlohmann::ordered_json;

/// Bad input on the command line; the message is shown as it is.
class UsageError : public Error {
public:
    using Error::Error;
};

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

/// The commands: each prints its result to out and returns the exit status,
/// or throws UsageError or ArithmeticFault.
int RunFunction(std::span<const std::string_view> args, bool json, std::ostream& out);
int RunRecord(std::span<const std::string_view> args, bool json, std::ostream& out);
int RunProduct(std::span<const std::string_view> args, bool json, std::ostream& out);
int RunSizes(std::span<const std::string_view> args, bool json, std::ostream& out);

/// The names and arguments of the functions `fn` knows, for the help text.
void PrintFunctionList(std::ostream& out);

} // namespace tavro::cli
