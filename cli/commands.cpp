#include "cli/commands.h"

#include "physics/errors.h"
#include "physics/moist_air.h"
#include "physics/number_text.h"
#include "physics/record_fields.h"
#include "physics/records.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace tavro::cli {

namespace {

using Json = nlohmann::ordered_json;

/// Bad input on the command line; the message is shown as it is.
class UsageError : public Error {
public:
    using Error::Error;
};

constexpr std::string_view kHelp =
    R"(tavro-calc: moist-air and plate heat exchanger calculations without the desktop program

Usage:
  tavro-calc fn NAME ARG...        evaluate one moist-air function
  tavro-calc record KEY=VALUE...   fill a calculation record, calculate it, print every field
  tavro-calc --help                this text

Put --json right after the command to get one JSON object instead of text.

fn: NAME is one of the functions listed below with its arguments, in internal units
(°C, %, g/kg, hPa, Pa, kJ/kg, kg/m³, m³/h, kg/h, m). The result is printed with
17 significant digits; MixAir prints M t x.

record: KEY is any field of the calculation record by its exact name, for example
  tavro-calc record AirState=0 AirQuant=0 pbar=1013 SVol11=10000 Temp11=-12 Phi11=90 \
      SVol21=10000 Temp21=22 Phi21=40 Edge=600 Width=600 PType=2
The record starts from its defaults, gets the values, runs CalculateAll and prints
every field as Name=value in declared order. classify=1 also runs Calculate and the
energy classification, as the Calculate command of the desktop program does.

Exit status: 0 success, 1 the calculation faulted, 2 bad input.
)";

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

double ParseNumber(std::string_view what, std::string_view text) {
    double v = 0;
    if (!ParseDouble(text, v)) {
        throw UsageError(std::string(what) + ": '" + std::string(text) + "' is not a number");
    }
    return v;
}

Json JsonNumber(double v) {
    return std::isfinite(v) ? Json(v) : Json(nullptr);
}

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

Json RecordJson(const TDatenREK& record) {
    Json j = Json::object();
    for (const RecordField& f : RecordFields()) {
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(record.*member)>;
                if constexpr (std::is_same_v<T, double>) {
                    j[std::string(f.name)] = JsonNumber(record.*member);
                } else if constexpr (std::is_same_v<T, std::string>) {
                    j[std::string(f.name)] = record.*member;
                } else {
                    j[std::string(f.name)] = static_cast<int64_t>(record.*member);
                }
            },
            f.member);
    }
    return j;
}

int RunRecord(std::span<const std::string_view> args, bool json, std::ostream& out) {
    TDatenREK record;
    bool classify = false;
    for (std::string_view arg : args) {
        const size_t eq = arg.find('=');
        if (eq == std::string_view::npos || eq == 0) {
            throw UsageError("record: '" + std::string(arg) + "' is not KEY=VALUE");
        }
        const std::string_view key = arg.substr(0, eq);
        const std::string_view value = arg.substr(eq + 1);
        if (key == "classify") {
            if (value != "0" && value != "1") {
                throw UsageError("record: classify takes 0 or 1, not '" + std::string(value) + "'");
            }
            classify = value == "1";
            continue;
        }
        const RecordField* field = FindRecordField(key);
        if (field == nullptr) {
            throw UsageError("record: unknown field '" + std::string(key) + "'");
        }
        try {
            SetRecordField(record, *field, value);
        } catch (const Error& e) {
            throw UsageError(std::string("record: ") + e.what());
        }
    }
    record.CalculateAll();
    if (classify) record.Calculate();
    if (json) {
        out << RecordJson(record).dump(2) << '\n';
    } else {
        for (const RecordField& f : RecordFields()) {
            out << f.name << '=' << FormatRecordField(record, f) << '\n';
        }
    }
    return kExitOk;
}

} // namespace

int Run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    try {
        if (args.empty()) throw UsageError("missing command (tavro-calc --help describes them)");
        const std::string_view command = args[0];
        if (command == "--help" || command == "-h" || command == "help") {
            out << kHelp;
            PrintFunctionList(out);
            return kExitOk;
        }
        std::span<const std::string_view> rest = args.subspan(1);
        bool json = false;
        if (!rest.empty() && rest[0] == "--json") {
            json = true;
            rest = rest.subspan(1);
        }
        // Results are built in a buffer first so that a fault half-way
        // leaves standard output empty.
        std::ostringstream buffer;
        int status;
        if (command == "fn") {
            status = RunFunction(rest, json, buffer);
        } else if (command == "record") {
            status = RunRecord(rest, json, buffer);
        } else {
            throw UsageError("unknown command '" + std::string(command) +
                             "' (tavro-calc --help describes them)");
        }
        out << buffer.str();
        return status;
    } catch (const UsageError& e) {
        err << "tavro-calc: " << e.what() << '\n';
        return kExitBadInput;
    } catch (const ArithmeticFault& e) {
        err << "tavro-calc: " << (*e.what() ? e.what() : "arithmetic fault") << '\n';
        return kExitFault;
    } catch (const std::exception& e) {
        err << "tavro-calc: " << e.what() << '\n';
        return kExitFault;
    }
}

} // namespace tavro::cli
