#include "cli/command_support.h"

#include "physics/record_fields.h"
#include "physics/records.h"

#include <ostream>

namespace tavro::cli {

namespace {

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

} // namespace

Outcome RunRecord(std::span<const std::string_view> args, bool json, std::ostream& out) {
    TDatenREK record;
    bool classify = false;
    for (std::string_view arg : args) {
        const auto [key, value] = SplitAssignment("record", arg);
        if (key == "classify") {
            if (value != "0" && value != "1") {
                throw UsageError("record: classify takes 0 or 1, not '" + Printable(value, 60) +
                                 "'");
            }
            classify = value == "1";
            continue;
        }
        SetRecordArgument(record, key, value, "record");
    }
    record.CalculateAll();
    if (classify && record.Status == 0) {
        record.Calculate();
        record.ClassifyEnergy();
    }
    if (json) {
        out << RecordJson(record).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    } else {
        for (const RecordField& f : RecordFields()) {
            out << f.name << '=' << FormatRecordField(record, f) << '\n';
        }
    }
    // A failed stage leaves Status at 100 and the values computed before
    // the fault in the record: printed for a look, but not a result.
    if (record.Status != 0) {
        return {kExitFault,
                "record: the calculation failed (Status=" + std::to_string(record.Status) +
                    "); the record holds the values computed before the fault"};
    }
    return {};
}

} // namespace tavro::cli
