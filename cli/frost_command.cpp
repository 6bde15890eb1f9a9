#include "cli/command_support.h"

#include "physics/frost_check.h"
#include "physics/numeric/number_text.h"
#include "physics/records.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tavro::cli {

namespace {

// The check as name/value pairs, in the order they are printed. Figures
// that have no meaning in the case (no limit, no risk) are null in JSON and
// "none" in text.
Json FrostJson(const FrostCheck& c) {
    auto number = [](bool given, double v) { return given ? JsonNumber(v) : Json(nullptr); };
    Json j = Json::object();
    j["hasLimit"] = c.hasLimit;
    j["limit"] = number(c.hasLimit, c.limit);
    j["limitUnit"] = c.limitUnit;
    j["frost"] = c.design.frost;
    j["frostUnit"] = c.design.frostUnit;
    j["wallMin"] = JsonNumber(c.design.wallMin);
    j["wallMinX"] = JsonNumber(c.design.wallMinX);
    j["wallMinUnit"] = c.design.wallMinUnit;
    j["wallMinAlong1"] = JsonNumber(c.design.wallMinAlong1);
    j["wallMinAlong2"] = JsonNumber(c.design.wallMinAlong2);
    j["frostShare"] = JsonNumber(c.design.frostShare);
    j["atRisk"] = c.atRisk;
    j["preheatTemp"] = number(c.atRisk, c.preheatTemp);
    j["preheat"] = number(c.atRisk, c.preheat);
    j["bypassPrevents"] = c.bypassPrevents;
    j["bypassShare"] = number(c.atRisk, c.bypassShare);
    j["bypassSupplyTemp"] = JsonNumber(c.bypassSupplyTemp);
    return j;
}

} // namespace

Outcome RunFrost(std::span<const std::string_view> args, bool json, std::ostream& out) {
    TDatenREK record;
    for (std::string_view arg : args) {
        const auto [key, value] = SplitAssignment("frost", arg);
        const RecordField* field = FindRecordField(key);
        if (field == nullptr) {
            throw UsageError("frost: unknown field '" + Printable(key, 60) + "'");
        }
        SetRecordArgument(record, *field, value, "frost");
    }
    record.CalculateAll();
    if (record.Status != 0) {
        return {kExitFault,
                "frost: the calculation failed (Status=" + std::to_string(record.Status) +
                    "); there is no exchanger to check"};
    }
    const Json j = FrostJson(CheckFrost(record));
    if (json) {
        out << j.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
        return {};
    }
    for (const auto& [name, value] : j.items()) {
        out << name << '=';
        if (value.is_null()) {
            out << "none";
        } else if (value.is_boolean()) {
            out << (value.get<bool>() ? 1 : 0);
        } else if (value.is_number_integer()) {
            out << value.get<int64_t>();
        } else {
            out << FormatDouble17(value.get<double>());
        }
        out << '\n';
    }
    return {};
}

} // namespace tavro::cli
