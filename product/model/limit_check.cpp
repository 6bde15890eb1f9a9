#include "product/model/limit_check.h"

#include "physics/numeric/rounding.h"
#include "product/model/frost_messages.h"
#include "product/model/limit_bounds.h"

#include <initializer_list>

namespace tavro {

namespace {

struct Message {
    int number;
    LimitClass kind;
    int text; ///< number of its text
};

constexpr Message kMessages[] = {
    {1, LimitClass::error, 106},   {2, LimitClass::error, 106},    {3, LimitClass::error, 107},
    {4, LimitClass::error, 107},   {5, LimitClass::warning, 108},  {6, LimitClass::error, 108},
    {7, LimitClass::warning, 110}, {8, LimitClass::error, 110},    {9, LimitClass::error, 120},
    {10, LimitClass::error, 121},  {11, LimitClass::warning, 109}, {12, LimitClass::error, 109},
    {30, LimitClass::error, 474},
};

constexpr int kNumbers[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 30};

const Message* Find(int number) {
    for (const Message& m : kMessages) {
        if (m.number == number) return &m;
    }
    return nullptr;
}

// Whether either value lies below `bound`, or is not a number.
bool EitherBelow(double a, double b, double bound) {
    return !(a >= bound && b >= bound);
}

// Whether either value lies above `bound`.
bool EitherAbove(double a, double b, double bound) {
    return a > bound || b > bound;
}

// Fills the "%s" placeholders of a text in order; placeholders beyond the
// values stay as they are.
std::string Fill(std::string text, std::initializer_list<std::string> values) {
    size_t from = 0;
    for (const std::string& v : values) {
        const size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, v);
        from = at + v.size();
    }
    return text;
}

} // namespace

LimitResult LimitCheck(const TDatenREK& r, int design, double dpLimit, const FrostCheck* frost) {
    const LimitBounds& b = kLimitBounds;
    LimitResult result;
    auto add = [&result](int n) { result.messages.insert(n); };
    if (EitherBelow(r.Temp11, r.Temp21, b.minTemperature.si)) add(1);
    if (EitherAbove(r.Temp11, r.Temp21, b.maxTemperature.si)) add(2);
    if (EitherBelow(r.Phi11, r.Phi21, b.minRelativeHumidity)) add(3);
    if (EitherAbove(r.Phi11, r.Phi21, b.maxRelativeHumidity)) add(4);
    if (EitherBelow(r.Vel1, r.Vel2, b.minVelocityPermitted) ||
        EitherAbove(r.Vel1, r.Vel2, b.maxVelocityPermitted)) {
        add(6);
    } else if (EitherBelow(r.Vel1, r.Vel2, b.minVelocityRecommended) ||
               EitherAbove(r.Vel1, r.Vel2, b.maxVelocityRecommended)) {
        add(5);
    }
    const double ratio = r.SVol11 / r.SVol21;
    if (!(ratio < b.maxFlowRatioPermitted && ratio > b.minFlowRatioPermitted)) {
        add(8);
    } else if (ratio > b.maxFlowRatioRecommended || ratio < b.minFlowRatioRecommended) {
        add(7);
    }
    if (!(r.Width >= b.minWidth)) add(9);
    if (design > b.largestDesignWithoutHousing && r.Edge < b.minEdgeWithHousing) add(10);
    const double errorBound = RoundHalfEven(dpLimit * b.dpErrorFactor);
    if (!(r.Dp1 <= errorBound && r.Dp2 <= errorBound)) {
        add(12);
    } else if (EitherAbove(r.Dp1, r.Dp2, dpLimit)) {
        add(11);
    }
    if (EitherAbove(r.X11, r.X21, b.maxHumidityRatio.si) ||
        EitherBelow(r.X11, r.X21, b.minHumidityRatio.si)) {
        add(30);
    }
    if (frost != nullptr && frost->atRisk) add(kFrostWarning);
    for (int n : result.messages) {
        if (LimitMessageClass(n) == LimitClass::error) result.hasError = true;
    }
    return result;
}

LimitClass LimitMessageClass(int number) {
    if (number == kFrostWarning)
        return kFrostWarningIsError ? LimitClass::error : LimitClass::warning;
    const Message* m = Find(number);
    return m ? m->kind : LimitClass::warning;
}

std::span<const int> LimitMessageNumbers() {
    return kNumbers;
}

std::string LimitMessageText(int number, const ShowOptions& options, const FrostCheck* frost) {
    if (number == kFrostWarning) return frost ? FrostWarningText(*frost, options) : std::string();
    const Message* m = Find(number);
    if (m == nullptr) return {};
    const LimitBounds& b = kLimitBounds;
    const bool si = options.si;
    const std::string text = ShownText(m->text, options);
    auto whole = [&options](double v) { return ShownNumber(v, 0, options); };
    switch (m->text) {
    case 106:
        return Fill(text, {whole(b.minTemperature.In(si)),
                           whole(b.maxTemperature.In(si)) + (si ? "°C" : "°F")});
    case 107:
        return Fill(text, {whole(b.minRelativeHumidity), whole(b.shownMaxRelativeHumidity) + "%"});
    case 108:
        // Metres per second with one decimal; feet per minute whole.
        return Fill(text, {ShownNumber(b.shownMinVelocity.In(si), si ? 1 : 0, options),
                           ShownNumber(b.shownMaxVelocity.In(si), si ? 1 : 0, options) +
                               (si ? " m/s" : " fmp")});
    case 110:
        return Fill(text, {ShownNumber(b.shownMinFlowRatio, 2, options),
                           ShownNumber(b.maxFlowRatioRecommended, 2, options)});
    case 120:
        return Fill(text, {whole(b.minWidth) + " mm"});
    case 474:
        return Fill(text, {whole(b.minHumidityRatio.In(si)),
                           whole(b.maxHumidityRatio.In(si)) + (si ? " g/kg" : " gr/lb")});
    default:
        return text;
    }
}

} // namespace tavro
