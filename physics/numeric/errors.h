#pragma once

#include <cmath>
#include <stdexcept>
#include <string>

namespace tavro {

/// Base of every exception the project throws itself.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A division by zero, an overflow, the logarithm or fractional power of a
/// non-positive number, a non-finite input, or a search that ran out of its
/// iteration bound. The calculation records catch it and keep the values
/// computed before it.
class ArithmeticFault : public Error {
public:
    using Error::Error;
};

/// A unit selection that cannot be built: a bypass velocity outside its
/// range, a volume flow that is negative or not a finite number, a package
/// width, edge or number of units out of range, or outer dimensions beyond
/// the largest unit that can be built. The message names the cause.
class DimensionError : public Error {
public:
    using Error::Error;
};

/// Returns v when it is finite; throws ArithmeticFault naming `what` otherwise.
/// IEEE arithmetic turns the faults above into infinities and NaN without a
/// trap; this check is where the physics notices them.
inline double Checked(double v, const char* what) {
    if (!std::isfinite(v)) {
        throw ArithmeticFault(std::string("arithmetic fault in ") + what);
    }
    return v;
}

} // namespace tavro
