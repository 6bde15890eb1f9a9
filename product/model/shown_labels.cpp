#include "product/model/shown_labels.h"

#include "physics/numeric/errors.h"
#include "physics/unit_conversion.h"
#include "product/catalogue/catalogue.h"
#include "product/model/frost_messages.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <algorithm>
#include <limits>

namespace tavro {

namespace {

// Text numbers of the labels.
constexpr int kTextOutsideAir = 3;
constexpr int kTextReturnAir = 4;
constexpr int kTextCondensation = 42;
constexpr int kTextFrostNote = 43;
constexpr int kTextUnitsInSeries = 101;
constexpr int kTextTypeWord = 136;
constexpr int kTextHeating = 272;
constexpr int kTextCooling = 273;

// The plate distance as its entry in the device panel shows it, without
// the unit: one decimal with the options' decimal separator.
std::string GapText(double gap, const ShowOptions& options) {
    return ShownNumber(gap, 1, options);
}

} // namespace

std::optional<FrostCheck> SelectionFrost(const SelectionState& s) {
    if (!s.frostCheck || !s.resultsValid || s.record.Status != 0) return std::nullopt;
    try {
        return CheckFrost(s.record);
    } catch (const Error&) {
        // A record the check cannot take has no frost figures.
        return std::nullopt;
    }
}

std::string FrostPageLine(const FrostCheck& check, const ShowOptions& options) {
    if (check.atRisk) return FrostWarningText(check, options);
    // The hint's wording as for the coldest inlet: the limit, or that there
    // is none down to the lowest temperature searched.
    return FrostHint(check, -std::numeric_limits<double>::infinity(), options);
}

std::string ShownHint(const SelectionState& s, const std::optional<FrostCheck>& frost) {
    const TDatenREK& r = s.record;
    if (!s.resultsValid || r.WetMode == 0) return {};
    const ShowOptions& o = s.show;
    // French sets a non-breaking space before the exclamation mark, Chinese
    // the full-width mark its texts use.
    const char* mark = o.language == kFrench ? "\u00A0!" : o.language == kChinese ? "\uFF01" : "!";
    std::string text = ShownText(kTextCondensation, o) + mark;
    const double lower = std::min(r.Temp11, r.Temp21);
    const std::string note =
        frost ? FrostHint(*frost, lower, o)
              : (lower < kFrostHintBelow ? ShownText(kTextFrostNote, o) : std::string());
    if (!note.empty()) text += " - " + note;
    return text;
}

ShownLabels ShownLabelsOf(const SelectionState& s, const std::optional<FrostCheck>& frost) {
    const ShowOptions& o = s.show;
    const TDatenREK& r = s.record;
    ShownLabels l;
    const bool english = o.language == kEnglish;
    l.outsideAir = english ? "Outside air" : ShownText(kTextOutsideAir, o);
    l.returnAir = english ? "Return air" : ShownText(kTextReturnAir, o);
    l.heating = ShownText(kTextHeating, o);
    l.cooling = ShownText(kTextCooling, o);
    l.hint = ShownHint(s, frost);
    l.designation = ModelDesignation(ShownText(kTextTypeWord, o), s.design, r.Edge,
                                     std::to_string(r.Width), GapText(r.PlateGap, o), r.Bypass);
    if (s.unitsInSeries > 1) {
        l.unitsInSeries =
            "(" + std::to_string(s.unitsInSeries) + " " + ShownText(kTextUnitsInSeries, o) + ")";
    }
    if (s.design < kDesignBypassDamper || r.Edge > 300)
        l.weight = ShownNumber(ToShown(kShownMass, o.si, s.weight), 1, o);
    return l;
}

ShownLabels ShownLabelsOf(const SelectionState& s) {
    return ShownLabelsOf(s, SelectionFrost(s));
}

} // namespace tavro
