#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace tavro::cli {

/// Exit statuses of the command line.
enum ExitStatus : int {
    kExitOk = 0,
    kExitFault = 1,      ///< the calculation itself faulted (a moist-air function threw)
    kExitBadInput = 2,   ///< unknown command, name or field, bad number, wrong argument count
    kExitLimitError = 3, ///< check: the record raises an error-class limit message
};

/// Runs one command line (without the program name). Results go to out; on
/// bad input one line naming the problem goes to err and nothing to out.
/// Never throws.
int Run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavro::cli
