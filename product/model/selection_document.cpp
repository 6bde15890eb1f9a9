#include "product/model/selection_document.h"

#include "product/model/document_reader.h"

#include "physics/numeric/separator_rules.h"
#include "physics/record_fields.h"
#include "product/catalogue/catalogue.h"
#include "shell/settings/file_replacement.h"
#include "shell/texts/languages.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace tavro {

namespace {

using Json = nlohmann::ordered_json;

constexpr double kMaxFlow = 1e7;     // m³/h or kg/h, as the command line takes
constexpr double kMaxPressure = 2e3; // hPa

// The fields a calculation reads besides the inlet blocks (…11, …21).
constexpr std::array<std::string_view, 15> kInputFields = {
    "AirState", "AirQuant", "pbar",     "VolumeAt", "Series",       "Units", "Edge",       "SizeNo",
    "Width",    "PType",    "PlateGap", "GapGiven", "AirVelBypass", "Line",  "EffStandard"};
constexpr std::array<std::string_view, 8> kInletFlows = {"SVol11", "Vol11", "MDry11", "MAir11",
                                                         "SVol21", "Vol21", "MDry21", "MAir21"};

bool IsInput(std::string_view name) {
    return name.ends_with("11") || name.ends_with("21") ||
           std::find(kInputFields.begin(), kInputFields.end(), name) != kInputFields.end();
}

// Doubles that JSON cannot hold are written as these texts.
Json NumberJson(double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
    return v;
}

Json FieldJson(const TDatenREK& record, const RecordField& f) {
    return std::visit(
        [&](auto member) -> Json {
            using T = std::remove_cvref_t<decltype(record.*member)>;
            if constexpr (std::is_same_v<T, double>) {
                return NumberJson(record.*member);
            } else if constexpr (std::is_same_v<T, std::string>) {
                return record.*member;
            } else {
                return static_cast<int64_t>(record.*member);
            }
        },
        f.member);
}

Json CaseJson(const TDatenREK& record) {
    Json inputs = Json::object();
    Json results = Json::object();
    for (const RecordField& f : RecordFields())
        (IsInput(f.name) ? inputs : results)[std::string(f.name)] = FieldJson(record, f);
    return Json{{"inputs", std::move(inputs)}, {"results", std::move(results)}};
}

std::string SeparatorText(char c) {
    return c == '\0' ? std::string() : std::string(1, c);
}

Json StateJson(const SelectionState& s) {
    const NumberSeparators& sep = s.show.separators;
    Json j;
    j["calculation"] = {{"seasonMode", s.seasonMode},
                        {"useSeasons", s.useSeasons},
                        {"resultsValid", s.resultsValid},
                        {"warnings", s.warnings},
                        {"noErrors", s.noErrors},
                        {"dpLimit", s.dpLimit},
                        {"volumeReference", s.volumeReference}};
    j["display"] = {{"si", s.show.si},
                    {"language", s.show.language},
                    {"decimalSeparator", SeparatorText(sep.decimal)},
                    {"thousandsSeparator", SeparatorText(sep.thousands)},
                    {"currency", sep.currency},
                    {"eu", s.eu},
                    {"totalEff", s.totalEff},
                    {"hclass", s.hclass},
                    {"wetBulb", s.wetBulb},
                    {"frostCheck", s.frostCheck}};
    j["device"] = {{"design", s.design}, {"unitsInSeries", s.unitsInSeries},
                   {"height", s.height}, {"width", s.width},
                   {"depth", s.depth},   {"weight", NumberJson(s.weight)}};
    j["texts"] = {{"caption", s.caption},
                  {"printOfferHeader", s.printOfferHeader},
                  {"offerHeader", s.offerHeader},
                  {"notesDataSheet", s.notesDataSheet},
                  {"notesChart", s.notesChart}};
    const ShownLabels& l = s.labels;
    j["labels"] = {{"hint", l.hint},
                   {"outsideAir", l.outsideAir},
                   {"returnAir", l.returnAir},
                   {"heating", l.heating},
                   {"cooling", l.cooling},
                   {"designation", l.designation},
                   {"unitsInSeries", l.unitsInSeries},
                   {"weight", l.weight}};
    j["chart"] = {{"type", s.chart.type},
                  {"tempRange", s.chart.tempRange},
                  {"humRange", s.chart.humRange},
                  {"pressure", NumberJson(s.chart.pressure)}};
    j["cases"] = Json::array({CaseJson(s.record), CaseJson(s.summer)});
    return j;
}

void ReadField(const DocumentReader& block, const RecordField& f, TDatenREK& record) {
    const std::string_view key = f.name;
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(record.*member)>;
            if constexpr (std::is_same_v<T, double>) {
                record.*member = block.Number(key);
            } else if constexpr (std::is_same_v<T, std::string>) {
                record.*member = block.Text(key);
            } else {
                record.*member = static_cast<T>(block.Integer(key, std::numeric_limits<T>::min(),
                                                              std::numeric_limits<T>::max()));
            }
        },
        f.member);
}

// The inputs a calculation can take: what the command line and the window
// accept, and the catalogue's edges and plate types.
void CheckInputs(const DocumentReader& in, const TDatenREK& r, int design) {
    for (std::string_view name : kInletFlows) {
        const double flow = r.*std::get<double TDatenREK::*>(FindRecordField(name)->member);
        if (!(flow >= 0 && flow <= kMaxFlow)) {
            DocumentReader(in.json()[name], in.path() + "." + std::string(name))
                .OutOfRange(0.0, kMaxFlow);
        }
    }
    in.Number("pbar", 0, kMaxPressure);
    in.Number("AirVelBypass", 5, 15);
    in.Integer("Series", 1, 4);
    in.Integer("PType", 0, 6);
    const std::vector<int> edges = EdgeList(design);
    if (r.Edge != 0 && std::find(edges.begin(), edges.end(), r.Edge) == edges.end()) {
        throw DocumentError(in.path() + ".Edge",
                            "is " + std::to_string(r.Edge) +
                                ", an edge the catalogue lacks for the design " +
                                std::to_string(design));
    }
    if (r.Edge != 0 && r.PType != 0 && PlateGapFor(r.Edge, r.PType) == 0) {
        throw DocumentError(in.path() + ".PType",
                            "is " + std::to_string(r.PType) +
                                ", a plate type the catalogue lacks for the edge " +
                                std::to_string(r.Edge));
    }
    if (r.Line != "Tavro") {
        throw DocumentError(in.path() + ".Line", "is not a product line this program calculates");
    }
}

TDatenREK ReadCase(const DocumentReader& c, int design) {
    TDatenREK record;
    const DocumentReader inputs = c.At("inputs");
    const DocumentReader results = c.At("results");
    for (const RecordField& f : RecordFields())
        ReadField(IsInput(f.name) ? inputs : results, f, record);
    CheckInputs(inputs, record, design);
    return record;
}

char SeparatorOf(const DocumentReader& r, std::string_view key, bool mayBeEmpty) {
    const std::string t = r.Text(key);
    if (t.size() > 1 || (t.empty() && !mayBeEmpty)) {
        throw DocumentError(r.path() + "." + std::string(key), "must be one character");
    }
    return t.empty() ? '\0' : t[0];
}

SelectionState ReadState(const DocumentReader& doc) {
    SelectionState s;
    const DocumentReader calc = doc.At("calculation");
    s.seasonMode = static_cast<int>(calc.Integer("seasonMode", 1, 2));
    s.useSeasons = calc.Bool("useSeasons");
    s.resultsValid = calc.Bool("resultsValid");
    const DocumentReader warnings = calc.At("warnings", Json::value_t::array);
    for (size_t i = 0; i < warnings.Size(); ++i) {
        const DocumentReader w = warnings.Item(i);
        if (!w.json().is_number_integer() || w.json().get<int64_t>() < 0 ||
            w.json().get<int64_t>() > 100000) {
            throw DocumentError(w.path(), "must be a message number from 0 to 100000");
        }
        s.warnings.insert(w.json().get<int>());
    }
    s.noErrors = calc.Bool("noErrors");
    s.dpLimit = static_cast<int>(calc.Integer("dpLimit", 1, 100000));
    s.volumeReference = static_cast<int>(calc.Integer("volumeReference", 0, 1));

    const DocumentReader d = doc.At("display");
    s.show.si = d.Bool("si");
    s.show.language = static_cast<int>(d.Integer("language", 0, 255));
    if (!IsAvailableLanguage(s.show.language)) {
        throw DocumentError(d.path() + ".language",
                            "is " + std::to_string(s.show.language) + ", a language without texts");
    }
    s.show.separators.decimal = SeparatorOf(d, "decimalSeparator", false);
    s.show.separators.thousands = SeparatorOf(d, "thousandsSeparator", true);
    if (!AreSeparatorsAllowed(s.show.separators.decimal, s.show.separators.thousands)) {
        throw DocumentError(d.path() + ".decimalSeparator",
                            "and the thousands separator must not be letters, digits or signs "
                            "and not the same");
    }
    s.show.separators.currency = d.Text("currency");
    s.eu = d.Bool("eu");
    s.totalEff = d.Bool("totalEff");
    s.hclass = d.Bool("hclass");
    s.wetBulb = d.Bool("wetBulb");
    // Optional: documents without it take the program's default.
    if (d.json().contains("frostCheck")) s.frostCheck = d.Bool("frostCheck");

    const DocumentReader dev = doc.At("device");
    s.design = static_cast<int>(dev.Integer("design", 10, 60));
    constexpr std::array<int, 6> kDesigns = {10, 20, 25, 30, 40, 60};
    if (std::find(kDesigns.begin(), kDesigns.end(), s.design) == kDesigns.end()) {
        throw DocumentError(dev.path() + ".design",
                            "is " + std::to_string(s.design) + ", a design the catalogue lacks");
    }
    s.unitsInSeries = static_cast<int>(dev.Integer("unitsInSeries", 1, 4));
    s.height = static_cast<int>(dev.Integer("height", 0, 50000));
    s.width = static_cast<int>(dev.Integer("width", 0, 50000));
    s.depth = static_cast<int>(dev.Integer("depth", 0, 50000));
    s.weight = dev.Number("weight", 0, 1e7);

    const DocumentReader t = doc.At("texts");
    s.caption = t.Text("caption");
    s.printOfferHeader = t.Bool("printOfferHeader");
    const std::vector<std::string> header = t.Texts("offerHeader");
    if (header.size() != s.offerHeader.size()) {
        throw DocumentError(t.path() + ".offerHeader",
                            "must hold " + std::to_string(s.offerHeader.size()) + " lines");
    }
    std::copy(header.begin(), header.end(), s.offerHeader.begin());
    s.notesDataSheet = t.Texts("notesDataSheet");
    s.notesChart = t.Texts("notesChart");

    const DocumentReader l = doc.At("labels");
    s.labels = {l.Text("hint"),          l.Text("outsideAir"), l.Text("returnAir"),
                l.Text("heating"),       l.Text("cooling"),    l.Text("designation"),
                l.Text("unitsInSeries"), l.Text("weight")};

    const DocumentReader ch = doc.At("chart");
    s.chart.type = static_cast<int>(ch.Integer("type", 0, 1));
    s.chart.tempRange = static_cast<int>(ch.Integer("tempRange", 0, 4));
    s.chart.humRange = static_cast<int>(ch.Integer("humRange", 0, 4));
    s.chart.pressure = ch.Number("pressure", 1, kMaxPressure);

    const DocumentReader cases = doc.At("cases", Json::value_t::array);
    if (cases.Size() != 2) throw DocumentError(cases.path(), "must hold two operating cases");
    s.record = ReadCase(cases.Item(0), s.design);
    s.summer = ReadCase(cases.Item(1), s.design);
    return s;
}

// Text with a NUL byte or a byte that no UTF-8 text holds is no document.
bool LooksBinary(std::string_view text) {
    return text.find('\0') != std::string_view::npos ||
           std::any_of(text.begin(), text.end(), [](char c) {
               const auto b = static_cast<unsigned char>(c);
               return b == 0xC0 || b == 0xC1 || b >= 0xF5;
           });
}

[[noreturn]] void FileFault(const std::string& path, const std::string& what, int err) {
    throw DocumentError("", path + ": " + what +
                                (err ? std::string(" (") + std::strerror(err) + ")" : ""));
}

} // namespace

DocumentError::DocumentError(std::string field, const std::string& problem)
    : Error(field.empty() ? problem : field + " " + problem), field_(std::move(field)) {}

DocumentError::DocumentError(std::string field, const std::string& message, bool)
    : Error(message), field_(std::move(field)) {}

std::string SelectionDocumentText(const SelectionState& state, std::string_view programVersion) {
    Json j;
    j["mediaType"] = kSelectionMediaType;
    j["formatVersion"] = kSelectionFormatVersion;
    j["programVersion"] = programVersion;
    j.update(StateJson(state));
    try {
        return j.dump(2) + '\n';
    } catch (const Json::type_error&) {
        // Find the text at fault for the message.
        for (auto it = j.begin(); it != j.end(); ++it) {
            try {
                (void)it->dump();
            } catch (const Json::type_error&) {
                throw DocumentError(it.key(), "holds a text that is not valid UTF-8");
            }
        }
        throw DocumentError("", "the selection holds a text that is not valid UTF-8");
    }
}

SelectionDocument ReadSelectionDocument(std::string_view text) {
    if (text.size() > kMaxSelectionDocumentSize) {
        throw DocumentError("", "the document is larger than " +
                                    std::to_string(kMaxSelectionDocumentSize) + " bytes");
    }
    if (LooksBinary(text))
        throw DocumentError("", "the file holds binary data, not a selection document");
    Json j;
    try {
        j = Json::parse(text);
    } catch (const Json::parse_error& e) {
        throw DocumentError("", std::string("the file is not a JSON selection document (byte ") +
                                    std::to_string(e.byte) + ")");
    }
    if (!j.is_object()) throw DocumentError("", "the file is not a JSON selection document");
    const DocumentReader doc(j, "");
    try {
        if (doc.Text("mediaType") != kSelectionMediaType) {
            throw DocumentError("mediaType", "is not " + std::string(kSelectionMediaType));
        }
        SelectionDocument out;
        const DocumentReader version = doc.At("formatVersion", Json::value_t::number_integer);
        if (!version.json().is_number_integer() ||
            version.json().get<int64_t>() != kSelectionFormatVersion) {
            throw DocumentError("formatVersion", "is " + version.json().dump() +
                                                     ", a version this program does not "
                                                     "read (it reads version " +
                                                     std::to_string(kSelectionFormatVersion) + ")");
        }
        out.formatVersion = kSelectionFormatVersion;
        out.programVersion = doc.Text("programVersion");
        out.state = ReadState(doc);
        return out;
    } catch (const Json::exception& e) {
        throw DocumentError("", std::string("the document cannot be read: ") + e.what());
    }
}

void SaveSelectionDocument(const std::string& path, const SelectionState& state,
                           std::string_view programVersion) {
    // The whole text first: a fault here leaves the file as it is.
    const std::string text = SelectionDocumentText(state, programVersion);
    std::string target;
    if (const int err = ResolveLinks(path, target); err != 0) {
        FileFault(path, "cannot follow the link to the file", err);
    }
    FileLock lock;
    if (const int err = lock.Acquire(target, std::chrono::milliseconds(2000)); err != 0) {
        FileFault(path,
                  err == EWOULDBLOCK ? "another program keeps the file locked"
                                     : "cannot open the file for writing",
                  err);
    }
    struct Tidy {
        FileLock& lock;
        bool done = false;
        ~Tidy() {
            if (!done) lock.RemoveIfCreated();
        }
    } tidy{lock};
    std::string temp;
    std::string what;
    if (const int err = WriteTemporaryFile(target, text, lock.Status(), temp, what); err != 0) {
        FileFault(path, what, err);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::remove(temp.c_str());
        FileFault(path, "cannot replace the file", err);
    }
    tidy.done = true;
    SyncFolderOf(target);
}

SelectionDocument LoadSelectionDocument(const std::string& path) {
    std::string text;
    const int err = ReadWholeFile(path, kMaxSelectionDocumentSize, text);
    if (err == EFBIG) {
        FileFault(path,
                  "the file is larger than " + std::to_string(kMaxSelectionDocumentSize) +
                      " bytes, too large for a selection document",
                  0);
    }
    if (err == EISDIR || err == EINVAL) FileFault(path, "is not a file", 0);
    if (err != 0) FileFault(path, "cannot read the file", err);
    try {
        return ReadSelectionDocument(text);
    } catch (const DocumentError& e) {
        throw DocumentError(e.field(), path + ": " + e.what(), true);
    }
}

TDatenREK RecordInputs(const TDatenREK& record) {
    TDatenREK out;
    for (const RecordField& f : RecordFields()) {
        if (!IsInput(f.name)) continue;
        std::visit([&](auto member) { out.*member = record.*member; }, f.member);
    }
    return out;
}

void CalculateAsShown(TDatenREK& record) {
    record.CalculateAll();
    record.Calculate();
    record.ClassifyEnergy();
}

std::vector<ResultDifference> RecalculationDifferences(const SelectionState& stored,
                                                       double relTolerance) {
    std::vector<ResultDifference> out;
    for (int c = 0; c < stored.Cases(); ++c) {
        const TDatenREK& before = stored.Case(c);
        TDatenREK after = RecordInputs(before);
        CalculateAsShown(after);
        for (const RecordField& f : RecordFields()) {
            const std::string a = FormatRecordField(before, f);
            const std::string b = FormatRecordField(after, f);
            if (a == b) continue;
            double diff = std::numeric_limits<double>::quiet_NaN();
            if (const auto* m = std::get_if<double TDatenREK::*>(&f.member)) {
                const double x = before.**m;
                const double y = after.**m;
                if (std::isnan(x) && std::isnan(y)) continue;
                if (std::isfinite(x) && std::isfinite(y)) {
                    diff = y - x;
                    if (std::abs(diff) <= relTolerance * std::max(std::abs(x), std::abs(y)))
                        continue;
                }
            } else if (!std::holds_alternative<std::string TDatenREK::*>(f.member)) {
                diff = std::stod(b) - std::stod(a);
            }
            out.push_back({c, std::string(f.name), a, b, diff});
        }
    }
    return out;
}

} // namespace tavro
