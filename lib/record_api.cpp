// The record handle of the C interface: fields by name, the calculation
// and the size list of its air.

#include "lib/boundary.h"
#include "lib/record_handle.h"

#include "cli/command_support.h"
#include "physics/numeric/number_text.h"
#include "physics/record_fields.h"
#include "physics/records.h"
#include "product/catalogue/catalogue.h"
#include "product/selection/size_list.h"

#include <cmath>
#include <new>
#include <type_traits>

namespace tavro::lib {
namespace {

using Json = cli::Json;

const RecordField& RequireField(const char* name) {
    const std::string_view text = RequireText(name, "the field name");
    const RecordField* field = FindRecordField(text);
    if (field == nullptr) {
        throw StatusError(TAVRO_UNKNOWN_FIELD, "unknown field '" + cli::Printable(text, 60) + "'");
    }
    return *field;
}

// Sets the field as the command line does; on any failure the field gets
// its old value back, so that a refused value changes nothing.
void SetField(TDatenREK& record, const RecordField& field, std::string_view value) {
    std::visit(
        [&](auto member) {
            auto old = record.*member;
            try {
                cli::SetRecordArgument(record, field, value, "tavro_record_set");
            } catch (...) {
                record.*member = std::move(old);
                throw;
            }
        },
        field.member);
}

Json RecordJson(const TDatenREK& record) {
    Json j = Json::object();
    for (const RecordField& f : RecordFields()) {
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(record.*member)>;
                if constexpr (std::is_same_v<T, double>) {
                    j[std::string(f.name)] = cli::JsonNumber(record.*member);
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

void RequireRange(bool inRange, const std::string& message) {
    if (!inRange) throw StatusError(TAVRO_BAD_ARGUMENT, message);
}

Json RowJson(const SizeRow& row) {
    return Json{{"Edge", row.edge},
                {"Width", row.width},
                {"PlateGap", row.plateGap},
                {"H", row.H},
                {"B", row.B},
                {"T", row.T},
                {"VMax", cli::JsonNumber(row.vMax)},
                {"DpMax", cli::JsonNumber(row.dpMax)},
                {"Eta1Wet", cli::JsonNumber(row.eta1Wet)},
                {"Eps1Wet", cli::JsonNumber(row.eps1Wet)},
                {"Temp12", cli::JsonNumber(row.temp12)},
                {"HClass", row.hClass}};
}

std::string Dump(const Json& j) {
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace
} // namespace tavro::lib

using namespace tavro;
using namespace tavro::lib;

extern "C" {

int tavro_record_create(tavro_record** record) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(nullptr, [&] { *record = new tavro_record(); });
}

void tavro_record_free(tavro_record* record) {
    delete record;
}

int tavro_record_set(tavro_record* record, const char* field, const char* value) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        const RecordField& f = RequireField(field);
        SetField(record->record, f, RequireText(value, "the value"));
    });
}

int tavro_record_set_number(tavro_record* record, const char* field, double value) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        const RecordField& f = RequireField(field);
        const std::string name(f.name);
        RequireFinite(value, name);
        std::string text;
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(record->record.*member)>;
                if constexpr (std::is_same_v<T, double>) {
                    text = FormatDouble17(value);
                } else if constexpr (std::is_same_v<T, std::string>) {
                    throw StatusError(TAVRO_BAD_ARGUMENT, name + " is a text field");
                } else {
                    // Whole numbers only; the field's own range is checked
                    // when the text is set.
                    RequireRange(value == std::trunc(value) && std::fabs(value) < 1e15,
                                 name + ": " + FormatDouble17(value) + " is not an integer");
                    text = std::to_string(static_cast<long long>(value));
                }
            },
            f.member);
        SetField(record->record, f, text);
    });
}

int tavro_record_get_number(tavro_record* record, const char* field, double* value) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        const RecordField& f = RequireField(field);
        RequirePointer(value, "the result pointer");
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(record->record.*member)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    throw StatusError(TAVRO_BAD_ARGUMENT, std::string(f.name) + " is a text field");
                } else {
                    *value = static_cast<double>(record->record.*member);
                }
            },
            f.member);
    });
}

int tavro_record_get_text(tavro_record* record, const char* field, char** text) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        const RecordField& f = RequireField(field);
        RequirePointer(text, "the result pointer");
        *text = CopyOut(FormatRecordField(record->record, f));
    });
}

int tavro_record_calculate(tavro_record* record, int classify) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        TDatenREK& r = record->record;
        r.CalculateAll();
        if (classify != 0 && r.Status == 0) {
            r.Calculate();
            r.ClassifyEnergy();
        }
        if (r.Status != 0) {
            throw StatusError(TAVRO_CALCULATION_FAULT,
                              "the calculation failed (Status=" + std::to_string(r.Status) +
                                  "); the record holds the values computed before the fault");
        }
    });
}

int tavro_record_json(tavro_record* record, char** json) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        RequirePointer(json, "the result pointer");
        *json = CopyOut(Dump(RecordJson(record->record)));
    });
}

const char* tavro_record_error(const tavro_record* record) {
    return record == nullptr ? "" : record->error.c_str();
}

int tavro_sizes(tavro_record* record, double min_eta, int max_dp, int width_mode, int preset_width,
                int design, int units, double vbypass, char** json) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        RequirePointer(json, "the result pointer");
        RequireFinite(min_eta, "min_eta");
        RequireFinite(vbypass, "vbypass");
        RequireRange(min_eta >= 0 && min_eta <= 100,
                     "min_eta: the efficiency must be from 0 to 100 %");
        RequireRange(max_dp >= 3 && max_dp <= 100000, "max_dp: must be from 3 to 100000 Pa");
        RequireRange(width_mode >= 0 && width_mode <= 2, "width_mode: must be 0, 1 or 2");
        RequireRange(preset_width >= 1 && preset_width <= 100000,
                     "preset_width: must be from 1 to 100000 mm");
        RequireRange(design >= 10 && design <= 60 &&
                         design == DesignFromOptions(DesignHasHousing(design),
                                                     DesignHasBypass(design),
                                                     design == 25 || design == 60),
                     "design: " + std::to_string(design) +
                         " is not a form of design (10, 20, 25, 30, 40, 60)");
        RequireRange(units >= 1 && units <= 4, "units: must be from 1 to 4");
        SizeCriteria criteria;
        criteria.minEta = min_eta;
        criteria.maxDp = max_dp;
        criteria.widthMode = width_mode;
        criteria.presetWidth = preset_width;
        criteria.design = design;
        criteria.units = units;
        criteria.vBypass = vbypass == 0 ? record->record.AirVelBypass : vbypass;
        RequireRange(BypassVelocityInRange(criteria.vBypass),
                     "vbypass: the bypass velocity must be from 5 to 15 m/s");
        // The list calculates on a copy: the caller's record keeps its state.
        TDatenREK scratch = record->record;
        const SizeList list = BuildSizeList(scratch, criteria);
        if (list.inletsFailed) {
            throw StatusError(TAVRO_CALCULATION_FAULT,
                              "the inlet air states could not be calculated");
        }
        Json rows = Json::array();
        for (const SizeRow& row : list.rows)
            rows.push_back(RowJson(row));
        const Json result = {{"library_version", TAVRO_VERSION_STRING},
                             {"format_version", TAVRO_FORMAT_VERSION},
                             {"rows", rows}};
        *json = CopyOut(Dump(result));
    });
}

} // extern "C"
