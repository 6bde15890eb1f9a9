#include "cli/command_support.h"

#include "physics/numeric/number_text.h"
#include "physics/record_fields.h"
#include "product/catalogue/catalogue.h"
#include "product/selection/size_list.h"

#include <ostream>

namespace tavro::cli {

namespace {

struct SizesInput {
    TDatenREK record;
    SizeCriteria criteria;
};

int ParseDesign(const std::string& what, std::string_view value) {
    const int design = ParseInteger(what, value, 10, 60);
    if (design != DesignFromOptions(DesignHasHousing(design), DesignHasBypass(design),
                                    design == 25 || design == 60)) {
        throw UsageError(what + ": " + Printable(value, 60) +
                         " is not a form of design (10, 20, 25, 30, 40, 60)");
    }
    return design;
}

SizesInput ParseSizes(std::span<const std::string_view> args) {
    SizesInput in;
    SizeCriteria& c = in.criteria;
    bool haveVelocity = false;
    for (std::string_view arg : args) {
        const auto [key, value] = SplitAssignment("sizes", arg);
        const std::string what = "sizes: " + std::string(key);
        if (key == "minEta") {
            c.minEta = ParseNumber(what, value);
            if (c.minEta < 0 || c.minEta > 100) {
                throw UsageError(what + ": the efficiency must be from 0 to 100 %");
            }
        } else if (key == "maxDp") {
            c.maxDp = ParseInteger(what, value, 3, 100000);
        } else if (key == "widthMode") {
            c.widthMode = ParseInteger(what, value, 0, 2);
        } else if (key == "presetWidth") {
            c.presetWidth = ParseInteger(what, value, 1, 100000);
        } else if (key == "design") {
            c.design = ParseDesign(what, value);
        } else if (key == "units") {
            c.units = ParseInteger(what, value, 1, 4);
        } else if (key == "vbypass") {
            c.vBypass = ParseNumber(what, value);
            haveVelocity = true;
        } else if (const RecordField* field = FindRecordField(key)) {
            SetRecordArgument(in.record, *field, value, "sizes");
        } else {
            throw UsageError("sizes: unknown key '" + Printable(key, 60) +
                             "' (a record field, minEta, maxDp, widthMode, presetWidth, design, "
                             "units, vbypass)");
        }
    }
    // Without vbypass the record's bypass velocity holds, as in the
    // program, where the dialog's edit starts from it.
    if (!haveVelocity) c.vBypass = in.record.AirVelBypass;
    if (!(c.vBypass >= kMinBypassVelocity && c.vBypass <= kMaxBypassVelocity)) {
        throw UsageError("sizes: vbypass: the bypass velocity must be from 5 to 15 m/s");
    }
    return in;
}

Json RowJson(const SizeRow& row) {
    return Json{{"Edge", row.edge},
                {"Width", row.width},
                {"PlateGap", row.plateGap},
                {"H", row.H},
                {"B", row.B},
                {"T", row.T},
                {"VMax", JsonNumber(row.vMax)},
                {"DpMax", JsonNumber(row.dpMax)},
                {"Eta1Wet", JsonNumber(row.eta1Wet)},
                {"Eps1Wet", JsonNumber(row.eps1Wet)},
                {"Temp12", JsonNumber(row.temp12)},
                {"HClass", row.hClass}};
}

} // namespace

Outcome RunSizes(std::span<const std::string_view> args, bool json, std::ostream& out) {
    SizesInput in = ParseSizes(args);
    const SizeList list = BuildSizeList(in.record, in.criteria);
    // An empty list of a record whose inlets failed would read as "no size
    // qualifies"; it is a fault of the input air instead.
    if (list.inletsFailed) {
        throw ArithmeticFault("sizes: the inlet air states could not be calculated");
    }
    if (json) {
        Json rows = Json::array();
        for (const SizeRow& row : list.rows)
            rows.push_back(RowJson(row));
        out << Json{{"rows", rows}}.dump(2) << '\n';
        return {};
    }
    out << "Edge\tWidth\tPlateGap\tH\tB\tT\tVMax\tDpMax\tEta1Wet\tEps1Wet\tTemp12\tHClass\n";
    for (const SizeRow& row : list.rows) {
        out << row.edge << '\t' << row.width << '\t' << FormatDouble17(row.plateGap) << '\t'
            << row.H << '\t' << row.B << '\t' << row.T << '\t' << FormatDouble17(row.vMax) << '\t'
            << FormatDouble17(row.dpMax) << '\t' << FormatDouble17(row.eta1Wet) << '\t'
            << FormatDouble17(row.eps1Wet) << '\t' << FormatDouble17(row.temp12) << '\t'
            << row.hClass << '\n';
    }
    return {};
}

} // namespace tavro::cli
