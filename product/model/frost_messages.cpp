#include "product/model/frost_messages.h"

#include "physics/numeric/errors.h"
#include "physics/unit_conversion.h"

#include <cmath>
#include <initializer_list>

namespace tavro {

namespace {

// `text` with its "%s" replaced by `values` in order; a missing value leaves
// its placeholder empty, a surplus value is dropped.
std::string Fill(std::string text, std::initializer_list<std::string> values) {
    size_t from = 0;
    auto v = values.begin();
    for (;;) {
        const size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        const std::string value = v != values.end() ? *v++ : std::string();
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

std::string TemperatureUnit(const ShowOptions& o) {
    return o.si ? "°C" : "°F";
}

std::string PowerUnit(const ShowOptions& o) {
    return o.si ? "kW" : "BTU/h";
}

std::string TemperatureFigure(double celsius, const ShowOptions& o) {
    return ShownNumber(ToShown(kShownTemperature, o.si, celsius), 1, o);
}

std::string PowerFigure(double kw, const ShowOptions& o) {
    return ShownNumber(ToShown(kShownHeatFlow, o.si, kw), o.si ? 2 : 0, o, true);
}

// The bypass share in whole percent, rounded up: a share shown lower than
// the one found would not prevent frost.
std::string PercentFigure(double share, const ShowOptions& o) {
    return ShownNumber(std::ceil(share * 100 - 1e-6), 0, o);
}

} // namespace

std::optional<FrostCheck> TryCheckFrost(const TDatenREK& r) {
    if (r.Status != 0) return std::nullopt;
    try {
        return CheckFrost(r);
    } catch (const Error&) {
        return std::nullopt;
    }
}

std::string FrostTemperature(double celsius, const ShowOptions& options) {
    return TemperatureFigure(celsius, options) + " " + TemperatureUnit(options);
}

std::string FrostPower(double kw, const ShowOptions& options) {
    return PowerFigure(kw, options) + " " + PowerUnit(options);
}

std::string FrostHint(const FrostCheck& check, double lowerInlet, const ShowOptions& options) {
    if (std::isnan(lowerInlet)) return {};
    const bool cold = lowerInlet < kFrostHintBelow;
    if (check.hasLimit) {
        if (!cold && !(lowerInlet < check.limit)) return {};
        return Fill(ShownText(kTextFrostLimitHint, options),
                    {FrostTemperature(check.limit, options)});
    }
    if (!cold) return {};
    return Fill(ShownText(kTextNoFrostDownTo, options),
                {FrostTemperature(kFrostSearchLow, options)});
}

std::string FrostWarningText(const FrostCheck& check, const ShowOptions& options) {
    if (!check.atRisk || !check.hasLimit) return {};
    const std::string limit = FrostTemperature(check.limit, options);
    const std::string preheat = FrostPower(check.preheat, options);
    if (!check.bypassPrevents) {
        return Fill(ShownText(kTextFrostWarningNoBypass, options), {limit, preheat});
    }
    return Fill(ShownText(kTextFrostWarning, options),
                {limit, preheat, PercentFigure(check.bypassShare, options) + " %"});
}

std::vector<FrostRow> FrostRows(const FrostCheck& check, const ShowOptions& options) {
    std::vector<FrostRow> rows;
    auto add = [&](int text, std::string value, std::string unit) {
        rows.push_back({text, ShownText(text, options), std::move(value), std::move(unit)});
    };
    add(kTextFrostLimit,
        check.hasLimit ? TemperatureFigure(check.limit, options)
                       : "< " + TemperatureFigure(kFrostSearchLow, options),
        TemperatureUnit(options));
    if (check.atRisk && check.hasLimit) {
        add(kTextFrostPreheat, PowerFigure(check.preheat, options), PowerUnit(options));
        add(kTextFrostBypass,
            check.bypassPrevents ? PercentFigure(check.bypassShare, options) : std::string("-"),
            "%");
    }
    return rows;
}

} // namespace tavro
