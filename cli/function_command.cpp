#include "cli/command_support.h"

#include "physics/moist_air.h"
#include "physics/number_text.h"

#include <array>
#include <ostream>
#include <vector>

namespace tavro::cli {

namespace {

struct Function {
    std::string_view name;
    std::string_view args;
    int arity;
    double (*eval)(const double*);
};

const std::array kFunctions = {
    Function{"SatPressure", "t", 1, [](const double* a) { return SatPressure(a[0]); }},
    Function{"HumidityRatio", "t phi p", 3,
             [](const double* a) { return HumidityRatio(a[0], a[1], a[2]); }},
    Function{"RelHumidity", "t x p", 3,
             [](const double* a) { return RelHumidity(a[0], a[1], a[2]); }},
    Function{"DewPointFromPressure", "pd", 1,
             [](const double* a) { return DewPointFromPressure(a[0]); }},
    Function{"DewPoint", "x p", 2, [](const double* a) { return DewPoint(a[0], a[1]); }},
    Function{"TempFromHumidity", "x p phi", 3,
             [](const double* a) { return TempFromHumidity(a[0], a[1], a[2]); }},
    Function{"Enthalpy", "t x p", 3, [](const double* a) { return Enthalpy(a[0], a[1], a[2]); }},
    Function{"TempFromEnthalpy", "h x", 2,
             [](const double* a) { return TempFromEnthalpy(a[0], a[1]); }},
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
             [](const double* a) { return TempOnIsenthalp(a[0], a[1], a[2], a[3]); }},
    Function{"KinViscosity", "t", 1, [](const double* a) { return KinViscosity(a[0]); }},
    Function{"Prandtl", "t", 1, [](const double* a) { return Prandtl(a[0]); }},
    Function{"Conductivity", "t", 1, [](const double* a) { return Conductivity(a[0]); }},
    Function{"CpDryAir", "t", 1, [](const double* a) { return CpDryAir(a[0]); }},
    Function{"CpVapour", "t", 1, [](const double* a) { return CpVapour(a[0]); }},
    Function{"PressureFromAltitude", "H", 1,
             [](const double* a) { return PressureFromAltitude(a[0]); }},
    Function{"AltitudeFromPressure", "p", 1,
             [](const double* a) { return AltitudeFromPressure(a[0]); }},
};

} // namespace

void PrintFunctionList(std::ostream& out) {
    out << "\nFunctions:\n";
    for (const Function& f : kFunctions)
        out << "  " << f.name << ' ' << f.args << '\n';
    out << "  MixAir x1 t1 M1 x2 t2 M2 p\n";
}

int RunFunction(std::span<const std::string_view> args, bool json, std::ostream& out) {
    if (args.empty()) throw UsageError("fn: missing function name");
    const std::string_view name = args[0];
    std::vector<double> values;
    for (size_t i = 1; i < args.size(); ++i) {
        values.push_back(
            ParseNumber(std::string(name) + " argument " + std::to_string(i), args[i]));
    }
    auto checkArity = [&](size_t arity, std::string_view list) {
        if (values.size() != arity) {
            throw UsageError(std::string(name) + " takes " + std::to_string(arity) + " argument" +
                             (arity == 1 ? "" : "s") +
                             (arity ? " (" + std::string(list) + ")" : std::string()) + ", got " +
                             std::to_string(values.size()));
        }
    };
    if (name == "MixAir") {
        checkArity(7, "x1 t1 M1 x2 t2 M2 p");
        const MixResult r =
            MixAir(values[0], values[1], values[2], values[3], values[4], values[5], values[6]);
        if (json) {
            out << Json{{"MixAir",
                         {{"M", JsonNumber(r.M)}, {"t", JsonNumber(r.t)}, {"x", JsonNumber(r.x)}}}}
                       .dump()
                << '\n';
        } else {
            out << FormatDouble17(r.M) << ' ' << FormatDouble17(r.t) << ' ' << FormatDouble17(r.x)
                << '\n';
        }
        return kExitOk;
    }
    for (const Function& f : kFunctions) {
        if (f.name != name) continue;
        checkArity(static_cast<size_t>(f.arity), f.args);
        const double result = f.eval(values.data());
        if (json) {
            out << Json{{std::string(name), JsonNumber(result)}}.dump() << '\n';
        } else {
            out << FormatDouble17(result) << '\n';
        }
        return kExitOk;
    }
    throw UsageError("fn: unknown function '" + std::string(name) +
                     "' (tavro-calc --help lists them)");
}

} // namespace tavro::cli
