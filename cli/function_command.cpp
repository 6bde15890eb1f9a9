#include "cli/command_support.h"

#include "physics/moist_air.h"
#include "physics/numeric/number_text.h"

#include <array>
#include <cmath>
#include <ostream>
#include <vector>

namespace tavro::cli {

namespace {

// The lowest physical value of a result: temperatures, quantities that
// cannot be negative, or anything (enthalpy, altitude).
enum class Kind { Temperature, NonNegative, Any };

constexpr double kAbsoluteZero = -273.15;

struct Function {
    std::string_view name;
    std::string_view args;
    int arity;
    double (*eval)(const double*);
    Kind result = Kind::NonNegative;
};

bool Physical(double v, Kind kind) {
    if (!std::isfinite(v)) return false;
    switch (kind) {
    case Kind::Temperature:
        return v >= kAbsoluteZero;
    case Kind::NonNegative:
        return v >= 0;
    case Kind::Any:
        return true;
    }
    return true;
}

// The physical range of an argument, by its name in the function list:
// temperatures not below absolute zero, pressures above 0, humidities,
// relative humidities, flows and vapour pressures not negative; enthalpies
// and altitudes any finite number.
void CheckArgument(std::string_view function, std::string_view name, double v) {
    const std::string what = std::string(function) + " argument " + std::string(name);
    if ((name == "t" || name == "t1" || name == "t2") && v < kAbsoluteZero) {
        throw UsageError(what + ": a temperature below absolute zero (-273.15 °C)");
    }
    if (name == "p" && !(v > 0)) throw UsageError(what + ": a pressure must be more than 0 hPa");
    const bool nonNegative = name == "x" || name == "x1" || name == "x2" || name == "phi" ||
                             name == "pd" || name == "V" || name == "Vstd" || name == "M1" ||
                             name == "M2";
    if (nonNegative && v < 0) throw UsageError(what + ": must not be negative");
}

// The argument names of a function's list, in order ("t x p").
std::vector<std::string_view> ArgumentNames(std::string_view list) {
    std::vector<std::string_view> names;
    while (!list.empty()) {
        const size_t blank = list.find(' ');
        names.push_back(list.substr(0, blank));
        if (blank == std::string_view::npos) break;
        list.remove_prefix(blank + 1);
    }
    return names;
}

void CheckResult(std::string_view function, double v, Kind kind) {
    if (!Physical(v, kind)) {
        throw ArithmeticFault(std::string(function) + ": no physical result for these arguments (" +
                              FormatDouble17(v) + ")");
    }
}

const std::array kFunctions = {
    Function{"SatPressure", "t", 1, [](const double* a) { return SatPressure(a[0]); }},
    Function{"HumidityRatio", "t phi p", 3,
             [](const double* a) { return HumidityRatio(a[0], a[1], a[2]); }},
    Function{"RelHumidity", "t x p", 3,
             [](const double* a) { return RelHumidity(a[0], a[1], a[2]); }},
    Function{"DewPointFromPressure", "pd", 1,
             [](const double* a) { return DewPointFromPressure(a[0]); }, Kind::Temperature},
    Function{"DewPoint", "x p", 2, [](const double* a) { return DewPoint(a[0], a[1]); },
             Kind::Temperature},
    Function{"TempFromHumidity", "x p phi", 3,
             [](const double* a) { return TempFromHumidity(a[0], a[1], a[2]); }, Kind::Temperature},
    Function{"Enthalpy", "t x p", 3, [](const double* a) { return Enthalpy(a[0], a[1], a[2]); },
             Kind::Any},
    Function{"TempFromEnthalpy", "h x", 2,
             [](const double* a) { return TempFromEnthalpy(a[0], a[1]); }, Kind::Temperature},
    Function{"HumidityFromEnthalpy", "h t", 2,
             [](const double* a) { return HumidityFromEnthalpy(a[0], a[1]); }},
    Function{"SatHumidityOnIsenthalp", "h p", 2,
             [](const double* a) { return SatHumidityOnIsenthalp(a[0], a[1]); }},
    Function{"Density", "t x p", 3, [](const double* a) { return Density(a[0], a[1], a[2]); }},
    Function{"RefDensity", "", 0, [](const double*) { return RefDensity(); }},
    Function{"ToStdVolume", "V t x p", 4,
             [](const double* a) { return ToStdVolume(a[0], a[1], a[2], a[3]); }},
    Function{"ToActVolume", "Vstd t x p", 4,
             [](const double* a) { return ToActVolume(a[0], a[1], a[2], a[3]); }},
    Function{"TempOnIsenthalp", "t x p phi", 4,
             [](const double* a) { return TempOnIsenthalp(a[0], a[1], a[2], a[3]); },
             Kind::Temperature},
    Function{"KinViscosity", "t", 1, [](const double* a) { return KinViscosity(a[0]); }},
    Function{"Prandtl", "t", 1, [](const double* a) { return Prandtl(a[0]); }},
    Function{"Conductivity", "t", 1, [](const double* a) { return Conductivity(a[0]); }},
    Function{"CpDryAir", "t", 1, [](const double* a) { return CpDryAir(a[0]); }},
    Function{"CpVapour", "t", 1, [](const double* a) { return CpVapour(a[0]); }},
    Function{"PressureFromAltitude", "H", 1,
             [](const double* a) { return PressureFromAltitude(a[0]); }},
    Function{"AltitudeFromPressure", "p", 1,
             [](const double* a) { return AltitudeFromPressure(a[0]); }, Kind::Any},
};

constexpr std::string_view kMixAirArgs = "x1 t1 M1 x2 t2 M2 p";

} // namespace

void PrintFunctionList(std::ostream& out) {
    out << "\nFunctions:\n";
    for (const Function& f : kFunctions)
        out << "  " << f.name << ' ' << f.args << '\n';
    out << "  MixAir " << kMixAirArgs << '\n';
}

Outcome RunFunction(std::span<const std::string_view> args, bool json, std::ostream& out) {
    if (args.empty()) throw UsageError("fn: missing function name");
    const std::string_view name = args[0];
    std::string_view list;
    const Function* function = nullptr;
    for (const Function& f : kFunctions) {
        if (f.name == name) function = &f;
    }
    if (function != nullptr) {
        list = function->args;
    } else if (name == "MixAir") {
        list = kMixAirArgs;
    } else {
        throw UsageError("fn: unknown function '" + Printable(name, 60) +
                         "' (tavro-calc --help lists them)");
    }
    const std::vector<std::string_view> names = ArgumentNames(list);
    const size_t arity = names.size();
    if (args.size() - 1 != arity) {
        throw UsageError(std::string(name) + " takes " + std::to_string(arity) + " argument" +
                         (arity == 1 ? "" : "s") +
                         (arity ? " (" + std::string(list) + ")" : std::string()) + ", got " +
                         std::to_string(args.size() - 1));
    }
    std::vector<double> values;
    for (size_t i = 0; i < arity; ++i) {
        values.push_back(
            ParseNumber(std::string(name) + " argument " + std::to_string(i + 1), args[i + 1]));
        CheckArgument(name, names[i], values.back());
    }
    if (function == nullptr) {
        const MixResult r =
            MixAir(values[0], values[1], values[2], values[3], values[4], values[5], values[6]);
        CheckResult("MixAir M", r.M, Kind::NonNegative);
        CheckResult("MixAir t", r.t, Kind::Temperature);
        CheckResult("MixAir x", r.x, Kind::NonNegative);
        if (json) {
            out << Json{{"MixAir",
                         {{"M", JsonNumber(r.M)}, {"t", JsonNumber(r.t)}, {"x", JsonNumber(r.x)}}}}
                       .dump()
                << '\n';
        } else {
            out << FormatDouble17(r.M) << ' ' << FormatDouble17(r.t) << ' ' << FormatDouble17(r.x)
                << '\n';
        }
        return {};
    }
    const double result = function->eval(values.data());
    CheckResult(name, result, function->result);
    if (json) {
        out << Json{{std::string(name), JsonNumber(result)}}.dump() << '\n';
    } else {
        out << FormatDouble17(result) << '\n';
    }
    return {};
}

} // namespace tavro::cli
