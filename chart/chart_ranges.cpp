#include "chart/chart_ranges.h"

#include "shell/qt/qt_text.h"

#include <algorithm>
#include <array>

namespace tavro {

namespace {

constexpr int kRanges = 5;

// The tables in the units they are shown in; inch-pound values are turned
// into internal units by the helpers below.
constexpr std::array<int, kRanges> kUpperTempC{60, 80, 100, 120, 140};
constexpr std::array<int, kRanges> kUpperTempF{140, 180, 220, 260, 300};
constexpr std::array<int, kRanges> kUpperHumSi{20, 30, 40, 50, 60};
constexpr std::array<int, kRanges> kUpperHumGr{140, 220, 280, 360, 440};
constexpr std::array<int, kRanges> kHumStepSi{2, 2, 5, 5, 5};
constexpr std::array<int, kRanges> kHumStepGr{10, 10, 20, 20, 20};
constexpr std::array<int, kRanges> kEnthalpyStepSi{5, 10, 10, 10, 20};
constexpr std::array<int, kRanges> kEnthalpyStepBtu{2, 5, 5, 5, 10};

// One pound holds 7000 grains, so gr/lb ÷ 7 is g/kg.
constexpr double kGrainsPerGram = 7.0;

double FahrenheitToCelsius(double f) {
    return (f - 32.0) / 1.8;
}

} // namespace

int RangeCount() {
    return kRanges;
}

int ClampRange(int index) {
    return std::clamp(index, 0, kRanges - 1);
}

double UpperTemperature(bool si, int index) {
    const int i = ClampRange(index);
    return si ? kUpperTempC[i] : FahrenheitToCelsius(kUpperTempF[i]);
}

double LowerTemperature(bool si, int) {
    return si ? -20.0 : FahrenheitToCelsius(0.0);
}

double TemperatureLineStep(bool si, int) {
    return si ? 2.0 : 5.0 / 1.8;
}

double TemperatureLabelStep(bool si, int) {
    return si ? 10.0 : 20.0 / 1.8;
}

double UpperHumidity(bool si, int index) {
    const int i = ClampRange(index);
    return si ? kUpperHumSi[i] : kUpperHumGr[i] / kGrainsPerGram;
}

double HumidityLineStep(bool si, int index) {
    const int i = ClampRange(index);
    return si ? kHumStepSi[i] : kHumStepGr[i] / kGrainsPerGram;
}

double EnthalpyLineStepShown(bool si, int index) {
    const int i = ClampRange(index);
    return si ? kEnthalpyStepSi[i] : kEnthalpyStepBtu[i];
}

QString TemperatureRangeItem(bool si, int index) {
    const int i = ClampRange(index);
    if (si) return QStringLiteral("-20 .. %1 %2").arg(kUpperTempC[i]).arg(TextOf(411));
    return QStringLiteral("0 .. %1 %2").arg(kUpperTempF[i]).arg(TextOf(412));
}

QString HumidityRangeItem(bool si, int index) {
    const int i = ClampRange(index);
    if (si) return QStringLiteral("0 .. %1 g/kg").arg(kUpperHumSi[i]);
    return QStringLiteral("0 .. %1 gr/lb").arg(kUpperHumGr[i]);
}

} // namespace tavro
