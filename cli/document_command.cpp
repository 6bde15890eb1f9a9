// Selection documents on the command line: save writes one from KEY=VALUE
// input, and --selection turns one into the KEY=VALUE input of a command.

#include "cli/command_support.h"

#include "physics/numeric/separator_rules.h"
#include "physics/record_fields.h"
#include "product/catalogue/catalogue.h"
#include "product/catalogue/dimensions.h"
#include "product/model/selection_document.h"
#include "shell/texts/languages.h"

#include <algorithm>
#include <ostream>

namespace tavro::cli {

namespace {

constexpr std::string_view kSummerPrefix = "summer.";

// A text of the user: UTF-8 and one line.
std::string ParseText(std::string_view key, std::string_view value) {
    if (!IsValidUtf8(value)) {
        throw UsageError("save: " + std::string(key) + ": the text is not valid UTF-8");
    }
    if (HasControlCharacter(value)) {
        throw UsageError("save: " + std::string(key) + ": the text holds a control character");
    }
    return std::string(value);
}

// The record's input fields that differ from a new record's, as KEY=VALUE
// with `prefix` before the key; those equal to `base` are left out.
void AppendFields(const TDatenREK& record, const TDatenREK& base, std::string_view prefix,
                  std::vector<std::string>& out) {
    const TDatenREK inputs = RecordInputs(record);
    for (const RecordField& f : RecordFields()) {
        const std::string value = FormatRecordField(inputs, f);
        if (value == FormatRecordField(base, f)) continue;
        out.push_back(std::string(prefix) + std::string(f.name) + "=" + value);
    }
}

// The outer dimensions, weight and designation of the state's device, as
// far as it can be built.
void CompleteDevice(SelectionState& s) {
    const TDatenREK& r = s.record;
    s.labels = {};
    s.height = s.width = s.depth = 0;
    s.weight = 0;
    if (r.Edge <= 0 || r.Width <= 0 || r.PType < 1) return;
    const UnitSelection sel{s.design, s.unitsInSeries, r.Edge,  r.Width,
                            r.PType,  r.AirVelBypass,  r.SVol11};
    try {
        const OuterSize size = OuterDimensions(sel);
        s.height = size.H;
        s.width = size.B;
        s.depth = size.T;
        s.weight = UnitWeight(sel);
        s.labels.designation =
            ModelDesignation(kTypeWordEnglish, s.design, r.Edge, std::to_string(r.Width),
                             FormatPlateGap(r.PlateGap), size.Bypass);
    } catch (const DimensionError&) {
        // A unit that cannot be built has no dimensions; the calculation
        // stands all the same.
    }
}

} // namespace

std::vector<std::string> SelectionArguments(const std::string& path, std::string_view command) {
    SelectionState s;
    try {
        s = LoadSelectionDocument(path).state;
    } catch (const DocumentError& e) {
        throw UsageError(std::string(command) + ": " + e.what());
    }
    return SelectionArguments(s, command);
}

std::vector<std::string> SelectionArguments(const SelectionState& s, std::string_view command) {
    std::vector<std::string> out;
    AppendFields(s.record, TDatenREK{}, "", out);
    if (command == "record --shown") {
        if (s.seasonMode == 2) AppendFields(s.summer, RecordInputs(s.record), kSummerPrefix, out);
        out.push_back(std::string("units=") + (s.show.si ? "si" : "ip"));
        const std::string_view lang = LanguageCodeOf(s.show.language);
        if (!lang.empty()) out.push_back("lang=" + std::string(lang));
        std::string separators(1, s.show.separators.decimal);
        if (s.show.separators.thousands != '\0') separators += s.show.separators.thousands;
        out.push_back("separators=" + separators);
        out.push_back(std::string("eu=") + (s.eu ? "1" : "0"));
        out.push_back(std::string("hclass=") + (s.hclass ? "1" : "0"));
        out.push_back("dplimit=" + std::to_string(s.dpLimit));
    } else if (command == "sizes") {
        out.push_back("design=" + std::to_string(s.design));
        out.push_back("units=" + std::to_string(s.unitsInSeries));
    } else if (command == "check") {
        out.push_back("design=" + std::to_string(s.design));
        out.push_back("dplimit=" + std::to_string(s.dpLimit));
        out.push_back("lang=" + std::to_string(s.show.language));
    }
    return out;
}

Outcome RunSave(std::span<const std::string_view> args, const std::string& outPath, bool json,
                std::ostream& out) {
    if (outPath.empty()) throw UsageError("save: --out FILE names the document to write");
    SelectionState s;
    bool haveDpLimit = false;
    bool haveUnits = false;
    std::vector<std::pair<const RecordField*, std::string_view>> fields, summerFields;
    for (std::string_view arg : args) {
        const auto [key, value] = SplitAssignment("save", arg);
        const std::string what = "save: " + std::string(key);
        if (key == "design") {
            s.design = ParseInteger(what, value, 10, 60);
            if (s.design != DesignFromOptions(DesignHasHousing(s.design), DesignHasBypass(s.design),
                                              s.design == 25 || s.design == 60)) {
                throw UsageError(what + ": " + Printable(value, 60) +
                                 " is not a form of design (10, 20, 25, 30, 40, 60)");
            }
        } else if (key == "units") {
            s.unitsInSeries = ParseInteger(what, value, 1, 4);
            haveUnits = true;
        } else if (key == "system") {
            if (value != "si" && value != "ip") {
                throw UsageError(what + " takes si or ip, not '" + Printable(value, 60) + "'");
            }
            s.show.si = value == "si";
        } else if (key == "lang") {
            s.show.language = ParseLanguageCode("save", value);
        } else if (key == "separators") {
            s.show.separators = ParseSeparators("save", value);
        } else if (key == "eu") {
            s.eu = ParseFlag("save", key, value);
        } else if (key == "totaleff") {
            s.totalEff = ParseFlag("save", key, value);
        } else if (key == "hclass") {
            s.hclass = ParseFlag("save", key, value);
        } else if (key == "wetbulb") {
            s.wetBulb = ParseFlag("save", key, value);
        } else if (key == "dplimit") {
            s.dpLimit = ParseInteger(what, value, 1, 100000);
            haveDpLimit = true;
        } else if (key == "caption") {
            s.caption = ParseText(key, value);
        } else if (key.size() == 7 && key.starts_with("header") && key[6] >= '1' && key[6] <= '8') {
            s.offerHeader[static_cast<size_t>(key[6] - '1')] = ParseText(key, value);
            s.printOfferHeader = true;
        } else if (key == "note") {
            s.notesDataSheet.push_back(ParseText(key, value));
        } else if (key == "chartnote") {
            s.notesChart.push_back(ParseText(key, value));
        } else {
            const bool summer = key.starts_with(kSummerPrefix);
            const std::string_view name = summer ? key.substr(kSummerPrefix.size()) : key;
            const RecordField* field = FindRecordField(name);
            if (field == nullptr) {
                throw UsageError("save: unknown key '" + Printable(key, 60) + "'");
            }
            (summer ? summerFields : fields).emplace_back(field, value);
        }
    }
    for (const auto& [field, value] : fields)
        SetRecordArgument(s.record, *field, value, "save");
    // The units in series of the device are the record's Series, as the
    // program keeps them: either key gives both, and they must agree.
    const bool haveSeries = std::any_of(fields.begin(), fields.end(), [](const auto& f) {
        return std::string_view(f.first->name) == "Series";
    });
    if (haveUnits && haveSeries && s.record.Series != s.unitsInSeries) {
        throw UsageError("save: units=" + std::to_string(s.unitsInSeries) + " and Series=" +
                         std::to_string(s.record.Series) + " name different units in series");
    }
    if (haveUnits) s.record.Series = static_cast<uint8_t>(s.unitsInSeries);
    s.unitsInSeries = s.record.Series;
    s.summer = s.record;
    for (const auto& [field, value] : summerFields)
        SetRecordArgument(s.summer, *field, value, "save");
    s.summer.Series = s.record.Series;
    // Without dplimit the limit of the edge and the units in series holds,
    // as in the program.
    if (!haveDpLimit && s.record.Edge > 0) s.dpLimit = DpLimit(s.record.Series, s.record.Edge);
    s.seasonMode = summerFields.empty() ? 1 : 2;
    s.useSeasons = s.seasonMode == 2;
    CalculateAsShown(s.record);
    CalculateAsShown(s.summer);
    s.resultsValid = s.record.Status == 0 && s.summer.Status == 0;
    // A failed calculation is not kept: it would replace a document that
    // may hold a good one.
    if (!s.resultsValid) {
        return {kExitFault,
                "save: the calculation failed (Status=" +
                    std::to_string(s.record.Status != 0 ? s.record.Status : s.summer.Status) +
                    "); nothing was written"};
    }
    CompleteDevice(s);
    try {
        SaveSelectionDocument(outPath, s, VersionLine());
    } catch (const DocumentError& e) {
        throw UsageError(std::string("save: ") + e.what());
    }
    if (json) {
        out << Json{{"written", outPath}}.dump() << '\n';
    } else {
        out << "written " << outPath << '\n';
    }
    return {};
}

} // namespace tavro::cli
