#pragma once

#include <cmath>
#include <cstdint>

namespace tavro {

/// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
/// Used wherever a dimension or a displayed figure is rounded to a whole number.
/// Values outside the int32 range saturate; NaN gives 0.
inline int32_t RoundHalfEven(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    const double r = std::nearbyint(v); // the default rounding mode is to nearest, ties to even
    return static_cast<int32_t>(r);
}

/// Smallest integer not below v ("rounded up"). Saturates like RoundHalfEven.
inline int32_t RoundUp(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(std::ceil(v));
}

/// Integer division truncating toward zero ("div"); a zero divisor gives 0
/// instead of a trap, which callers treat as "no such count".
inline int32_t Div(int32_t a, int32_t b) {
    if (b == 0) return 0;
    if (a == INT32_MIN && b == -1) return INT32_MAX;
    return a / b;
}

} // namespace tavro
