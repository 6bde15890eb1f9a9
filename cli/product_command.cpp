#include "cli/command_support.h"

#include "physics/numeric/number_text.h"
#include "product/catalogue/catalogue.h"
#include "product/catalogue/dimensions.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace tavro::cli {

namespace {

UnitSelection ParseSelection(std::span<const std::string_view> args) {
    UnitSelection sel;
    bool haveEdge = false, haveWidth = false, havePType = false;
    for (std::string_view arg : args) {
        const auto [key, value] = SplitAssignment("product", arg);
        const std::string what = "product: " + std::string(key);
        if (key == "design") {
            sel.design = ParseDesign(what, value);
        } else if (key == "units") {
            sel.units = ParseInteger(what, value, 1, 4);
        } else if (key == "edge") {
            sel.edge = ParseInteger(what, value, 1, kMaxBuildableLength);
            haveEdge = true;
        } else if (key == "width") {
            sel.width = ParseInteger(what, value, 1, kMaxBuildableLength);
            haveWidth = true;
        } else if (key == "ptype") {
            sel.ptype = ParseInteger(what, value, 1, 6);
            havePType = true;
        } else if (key == "vbypass") {
            sel.vBypass = ParseNumber(what, value);
            if (!BypassVelocityInRange(sel.vBypass)) {
                throw UsageError(what + ": the bypass velocity must be from 5 to 15 m/s");
            }
        } else if (key == "volume") {
            sel.volume = ParseNumber(what, value);
            if (sel.volume < 0 || sel.volume > kMaxFlow) {
                throw UsageError(what + ": the volume flow must be from 0 to " +
                                 FormatDouble17(kMaxFlow) + " m³/h");
            }
        } else {
            throw UsageError("product: unknown key '" + Printable(key, 60) +
                             "' (design, units, edge, width, ptype, vbypass, volume)");
        }
    }
    if (!haveEdge || !haveWidth || !havePType) {
        throw UsageError("product: edge, width and ptype are required");
    }
    const std::vector<int> edges = EdgeList(sel.design);
    if (std::find(edges.begin(), edges.end(), sel.edge) == edges.end()) {
        throw UsageError("product: edge " + std::to_string(sel.edge) +
                         " is not in the catalogue for design " + std::to_string(sel.design));
    }
    if (PlateGapFor(sel.edge, sel.ptype) <= 0) {
        throw UsageError("product: plate type " + std::to_string(sel.ptype) +
                         " does not exist for edge " + std::to_string(sel.edge));
    }
    return sel;
}

} // namespace

Outcome RunProduct(std::span<const std::string_view> args, bool json, std::ostream& out) {
    const UnitSelection sel = ParseSelection(args);
    const double gap = PlateGapFor(sel.edge, sel.ptype);
    const int blockEdge = BlockEdgeFor(sel.edge, gap);
    OuterSize size;
    int weight = 0;
    try {
        size = OuterDimensions(sel);
        weight = UnitWeight(sel);
    } catch (const DimensionError& e) {
        throw UsageError(std::string("product: ") + e.what());
    }
    const std::string designation =
        ModelDesignation(kTypeWordEnglish, sel.design, sel.edge, std::to_string(sel.width),
                         FormatPlateGap(gap), size.Bypass);
    Json j = {{"PlateGap", gap},
              {"BlockCount", BlockCount(sel.edge, gap)},
              {"BlockEdge", blockEdge},
              {"PackageCount", PackageCount(sel.width, blockEdge)},
              {"Bypass", size.Bypass},
              {"H", size.H},
              {"B", size.B},
              {"T", size.T},
              {"Weight", weight},
              {"Designation", designation}};
    if (json) {
        out << j.dump(2) << '\n';
        return {};
    }
    for (const auto& [key, value] : j.items()) {
        out << key << '=';
        if (value.is_string()) {
            out << value.get<std::string>();
        } else if (value.is_number_float()) {
            out << FormatDouble17(value.get<double>());
        } else {
            out << value.get<int64_t>();
        }
        out << '\n';
    }
    return {};
}

} // namespace tavro::cli
