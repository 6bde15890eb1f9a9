// record --shown: the four result tables of a record (and a cooling case)
// as the main window shows them after Calculate.

#include "cli/command_support.h"

#include "physics/record_fields.h"
#include "physics/records.h"
#include "product/model/result_rows.h"
#include "product/model/selection_document.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <ostream>
#include <vector>

namespace tavro::cli {

namespace {

constexpr std::string_view kSummerPrefix = "summer.";

} // namespace

Outcome RunShownRecord(std::span<const std::string_view> args, bool json, std::ostream& out) {
    ShowOptions options;
    ShownFlags flags;
    std::vector<std::pair<const RecordField*, std::string_view>> fields, summerFields;
    for (std::string_view arg : args) {
        const auto [key, value] = SplitAssignment("record", arg);
        if (key == "units") {
            if (value != "si" && value != "ip") {
                throw UsageError("record: units takes si or ip, not '" + Printable(value, 60) +
                                 "'");
            }
            options.si = value == "si";
        } else if (key == "lang") {
            options.language = ParseLanguageCode("record", value);
        } else if (key == "separators") {
            options.separators = ParseSeparators("record", value);
        } else if (key == "eu") {
            flags.eu = ParseFlag("record", key, value);
        } else if (key == "hclass") {
            flags.hclass = ParseFlag("record", key, value);
        } else if (key == "frost") {
            flags.frost = ParseFlag("record", key, value);
        } else if (key == "dplimit") {
            flags.dpLimit = ParseInteger("record: dplimit", value, 1, 100000);
        } else if (key == "classify") {
            ParseFlag("record", key, value); // the shown record is always classified
        } else {
            const bool summer = key.starts_with(kSummerPrefix);
            const std::string_view name = summer ? key.substr(kSummerPrefix.size()) : key;
            const RecordField* field = FindRecordField(name);
            if (field == nullptr) {
                throw UsageError("record: unknown field '" + Printable(key, 60) + "'");
            }
            (summer ? summerFields : fields).emplace_back(field, value);
        }
    }
    TDatenREK record;
    for (const auto& [field, value] : fields)
        SetRecordArgument(record, *field, value, "record");
    const bool twoCases = !summerFields.empty();
    TDatenREK summer = record;
    for (const auto& [field, value] : summerFields)
        SetRecordArgument(summer, *field, value, "record");
    CalculateAsShown(record);
    if (twoCases) CalculateAsShown(summer);

    Json tables = Json::object();
    for (ShownTable table : kShownTables) {
        const TableCells cells =
            ShownCells(table, record, twoCases ? &summer : nullptr, flags, options);
        if (json) {
            tables[std::string(ShownTableName(table))] = cells;
            continue;
        }
        out << '[' << ShownTableName(table) << "]\n";
        for (const std::vector<std::string>& row : cells) {
            for (size_t col = 0; col < row.size(); ++col)
                out << (col ? "\t" : "") << row[col];
            out << '\n';
        }
    }
    if (json) out << tables.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    if (record.Status != 0 || (twoCases && summer.Status != 0)) {
        return {kExitFault, "record: the calculation failed (Status=" +
                                std::to_string(record.Status != 0 ? record.Status : summer.Status) +
                                "); the tables show the values computed before the fault"};
    }
    return {};
}

} // namespace tavro::cli
