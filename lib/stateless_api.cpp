// The functions of the C interface without a handle: version, status
// names, the catalogue and the moist-air functions. They answer through
// the command line's own commands, so that both check their input alike.

#include "lib/boundary.h"

#include "cli/command_support.h"
#include "physics/numeric/number_text.h"

#include <set>
#include <sstream>
#include <vector>

namespace tavro::lib {
namespace {

using Json = cli::Json;

// Runs a command with the given arguments and returns its JSON result.
template <class Command> Json RunCommand(Command command, const std::vector<std::string>& args) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out;
    command(views, true, out);
    return Json::parse(out.str());
}

std::vector<std::string> UnitArguments(const tavro_unit* unit) {
    RequirePointer(unit, "the unit");
    RequireFinite(unit->vbypass, "vbypass");
    RequireFinite(unit->volume, "volume");
    return {"design=" + std::to_string(unit->design), "units=" + std::to_string(unit->units),
            "edge=" + std::to_string(unit->edge),     "width=" + std::to_string(unit->width),
            "ptype=" + std::to_string(unit->ptype),   "vbypass=" + FormatDouble17(unit->vbypass),
            "volume=" + FormatDouble17(unit->volume)};
}

Json UnitJson(const tavro_unit* unit) {
    return RunCommand(cli::RunProduct, UnitArguments(unit));
}

// The names of the moist-air functions, read once from the list the
// command line prints for its help ("  Name arg arg").
const std::set<std::string>& FunctionNames() {
    static const std::set<std::string> names = [] {
        std::ostringstream list;
        cli::PrintFunctionList(list);
        std::istringstream lines(list.str());
        std::set<std::string> found;
        std::string line;
        while (std::getline(lines, line)) {
            if (!line.starts_with("  ")) continue;
            found.insert(line.substr(2, line.find(' ', 2) - 2));
        }
        return found;
    }();
    return names;
}

// The most arguments a moist-air function takes (MixAir).
constexpr int kMaxFunctionArguments = 7;

Json RunAirFunction(std::string_view name, const double* args, int count) {
    if (!FunctionNames().contains(std::string(name))) {
        throw StatusError(TAVRO_UNKNOWN_NAME,
                          "unknown function '" + cli::Printable(name, 60) + "'");
    }
    if (count < 0 || count > kMaxFunctionArguments) {
        throw StatusError(TAVRO_BAD_ARGUMENT,
                          std::string(name) + ": " + std::to_string(count) + " arguments");
    }
    if (count > 0) RequirePointer(args, "the arguments");
    std::vector<std::string> words{std::string(name)};
    for (int i = 0; i < count; ++i) {
        RequireFinite(args[i], std::string(name) + " argument " + std::to_string(i + 1));
        words.push_back(FormatDouble17(args[i]));
    }
    return RunCommand(cli::RunFunction, words);
}

} // namespace
} // namespace tavro::lib

using namespace tavro;
using namespace tavro::lib;

extern "C" {

const char* tavro_version(void) {
    return TAVRO_VERSION_STRING;
}

int tavro_format_version(void) {
    return TAVRO_FORMAT_VERSION;
}

const char* tavro_status_name(int status) {
    switch (status) {
    case TAVRO_OK:
        return "ok";
    case TAVRO_BAD_ARGUMENT:
        return "bad_argument";
    case TAVRO_UNKNOWN_FIELD:
        return "unknown_field";
    case TAVRO_UNKNOWN_NAME:
        return "unknown_name";
    case TAVRO_CALCULATION_FAULT:
        return "calculation_fault";
    case TAVRO_OUT_OF_MEMORY:
        return "out_of_memory";
    case TAVRO_INTERNAL:
        return "internal";
    default:
        return "unknown";
    }
}

int tavro_unit_dimensions(const tavro_unit* unit, int* height, int* width, int* depth,
                          int* bypass) {
    return Guard(nullptr, [&] {
        RequirePointer(height, "height");
        RequirePointer(width, "width");
        RequirePointer(depth, "depth");
        RequirePointer(bypass, "bypass");
        const Json j = UnitJson(unit);
        *height = j.at("H").get<int>();
        *width = j.at("B").get<int>();
        *depth = j.at("T").get<int>();
        *bypass = j.at("Bypass").get<int>();
    });
}

int tavro_unit_weight(const tavro_unit* unit, int* weight) {
    return Guard(nullptr, [&] {
        RequirePointer(weight, "weight");
        *weight = UnitJson(unit).at("Weight").get<int>();
    });
}

int tavro_unit_designation(const tavro_unit* unit, char** text) {
    return Guard(nullptr, [&] {
        RequirePointer(text, "the result pointer");
        *text = CopyOut(UnitJson(unit).at("Designation").get<std::string>());
    });
}

int tavro_air_function(const char* name, const double* args, int count, double* result,
                       char** error) {
    if (error != nullptr) *error = nullptr;
    std::string message;
    const int status = Guard(&message, [&] {
        const std::string_view fn = RequireText(name, "the function name");
        RequirePointer(result, "the result pointer");
        if (fn == "MixAir") {
            throw StatusError(TAVRO_BAD_ARGUMENT, "MixAir has three results: call tavro_mix_air");
        }
        *result = RunAirFunction(fn, args, count).at(std::string(fn)).get<double>();
    });
    if (status != TAVRO_OK) HandOutMessage(message, error);
    return status;
}

int tavro_mix_air(double x1, double t1, double m1, double x2, double t2, double m2, double p,
                  double* m, double* t, double* x, char** error) {
    if (error != nullptr) *error = nullptr;
    std::string message;
    const int status = Guard(&message, [&] {
        RequirePointer(m, "m");
        RequirePointer(t, "t");
        RequirePointer(x, "x");
        const double args[] = {x1, t1, m1, x2, t2, m2, p};
        const Json r = RunAirFunction("MixAir", args, 7).at("MixAir");
        const double rm = r.at("M").get<double>(), rt = r.at("t").get<double>(),
                     rx = r.at("x").get<double>();
        *m = rm;
        *t = rt;
        *x = rx;
    });
    if (status != TAVRO_OK) HandOutMessage(message, error);
    return status;
}

} // extern "C"
