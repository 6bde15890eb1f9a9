#include "product/catalogue/catalogue.h"

#include "physics/numeric/errors.h"
#include "physics/numeric/rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tavro {

namespace {

// Plate distances of types 1..6 by edge group.
constexpr std::array<double, 6> kGaps200 = {0, 1.8, 2.0, 0, 0, 0};
constexpr std::array<double, 6> kGaps300 = {0, 2.5, 3.0, 0, 0, 0};
constexpr std::array<double, 6> kGaps400 = {3.5, 4.0, 5.0, 0, 0, 0};
constexpr std::array<double, 6> kGapsEven = {0, 5.5, 6.5, 9.0, 11.5, 14.0};
constexpr std::array<double, 6> kGapsOdd = {5.5, 6.5, 7.0, 9.0, 11.5, 14.0};
constexpr std::array<double, 6> kGapsLarge = {0, 0, 0, 9.0, 11.5, 14.0};
constexpr std::array<double, 6> kGapsNone = {0, 0, 0, 0, 0, 0};

bool IsOneOf(int v, std::initializer_list<int> list) {
    return std::find(list.begin(), list.end(), v) != list.end();
}

const std::array<double, 6>& GapsOf(int edge) {
    if (edge == 200) return kGaps200;
    if (edge == 300) return kGaps300;
    if (edge == 390 || edge == 400) return kGaps400;
    if (IsOneOf(edge, {500, 600, 1000, 1200, 1500, 1800, 2000, 2400, 3000, 2500, 3600, 4000, 4800,
                       5000, 6000, 7200, 8400})) {
        return kGapsEven;
    }
    if (IsOneOf(edge, {700, 800, 1400, 1600, 2100, 2800, 3200, 3500, 5600})) return kGapsOdd;
    return edge >= 500 ? kGapsLarge : kGapsNone;
}

} // namespace

std::vector<int> EdgeList(int design) {
    std::vector<int> list;
    for (int e : kEdges) {
        if (design < kDesignBypassDamper || e >= 400) list.push_back(e);
    }
    return list;
}

double PlateGapFor(int edge, int type) {
    if (type < 1 || type > 6) return 0;
    return GapsOf(edge)[static_cast<size_t>(type - 1)];
}

std::vector<double> PlateGapList(int edge) {
    std::vector<double> list;
    for (double g : GapsOf(edge)) {
        if (g > 0) list.push_back(g);
    }
    return list;
}

int PTypeFor(int edge, double gap) {
    if (gap == 0) return 0;
    for (int type = 1; type <= 6; ++type) {
        const double g = PlateGapFor(edge, type);
        if (g > 0 && std::fabs(g - gap) < 0.001) return type;
    }
    return 0;
}

int BlockCount(int edge, double gap) {
    const bool wide = RoundHalfEven(gap * 10) > 55; // the first value of a pair
    switch (edge) {
    case 1200:
        return wide ? 1 : 2;
    case 1400:
        return 2;
    case 1500:
        return 3;
    case 1600:
        return 2;
    case 1800:
        return 3;
    case 2000:
        return 2;
    case 2100:
        return 3;
    case 2400:
        return wide ? 2 : 3;
    case 3000:
        return 3;
    case 2500:
    case 3500:
        return 5;
    case 2800:
    case 3200:
    case 4000:
        return 4;
    case 3600:
        return wide ? 3 : 6;
    case 4800:
        return wide ? 4 : 6;
    case 5600:
    case 7000:
        return 7;
    case 6000:
        return wide ? 5 : 6;
    case 7200:
        return wide ? 6 : 9;
    case 8400:
        return wide ? 7 : 14;
    default:
        return 1; // 200 to 1000 and every other edge
    }
}

int BlockEdgeFor(int edge, double gap) {
    return RoundHalfEven(static_cast<double>(edge) / BlockCount(edge, gap));
}

int LargestPackageWidth(int blockEdge) {
    switch (blockEdge) {
    case 200:
        return 600;
    case 300:
        return 700;
    case 390:
    case 400:
    case 500:
    case 750:
        return 800;
    case 1000:
        return 1000;
    default:
        return 900;
    }
}

int PackageCount(int width, int blockEdge) {
    if (width <= 0) return 0;
    return RoundUp(static_cast<double>(width) / LargestPackageWidth(blockEdge));
}

int Diagonal(int edge) {
    switch (edge) {
    case 200:
        return 265;
    case 300:
        return 405;
    case 390:
        return 531;
    case 400:
        return 536;
    default:
        return RoundHalfEven(std::sqrt(2.0) * edge - 30);
    }
}

int DesignFromOptions(bool housing, bool bypass, bool damper) {
    damper = damper && bypass;
    if (housing)
        return damper ? kDesignHousingBypassDamper : bypass ? kDesignHousingBypass : kDesignHousing;
    return damper ? kDesignBypassDamper : bypass ? kDesignBypass : kDesignBare;
}

bool DesignHasHousing(int design) {
    return design >= kDesignHousing;
}

bool DesignHasBypass(int design) {
    return design == kDesignBypass || design == kDesignBypassDamper ||
           design == kDesignHousingBypass || design == kDesignHousingBypassDamper;
}

int DpLimit(int seriesCount, int edge) {
    return seriesCount * (edge <= 400 ? 250 : 450);
}

bool BypassVelocityInRange(double v) {
    return v >= kMinBypassVelocity && v <= kMaxBypassVelocity;
}

int BypassWidth(int edge, double vBypass, double volume) {
    if (!BypassVelocityInRange(vBypass)) {
        throw DimensionError("the bypass velocity must be from 5 to 15 m/s");
    }
    if (!(volume >= 0) || !std::isfinite(volume)) {
        throw DimensionError("the outside-air volume flow must be a finite number of 0 or more");
    }
    if (edge <= 0) return 100;
    double d = volume / (vBypass * 3.6) / (edge / 1000.0);
    if (d < 88) d = 88;
    if (d + 12 > kMaxBuildableLength) {
        throw DimensionError("the bypass for this outside-air volume flow would be wider than " +
                             std::to_string(kMaxBuildableLength) +
                             " mm, larger than any unit that can be built");
    }
    return RoundHalfEven(d + 12);
}

std::string FormatPlateGap(double gap) {
    char buf[32];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, gap, std::chars_format::fixed, 1);
    return ec == std::errc() ? std::string(buf, ptr) : std::string("0.0");
}

std::string ModelDesignation(std::string_view typeWord, int design, int edge,
                             std::string_view widthText, std::string_view gapText, int bypass) {
    std::string s(typeWord);
    s += ": Tavro ";
    s += std::to_string(design);
    s += " / ";
    s += std::to_string(edge);
    s += " / ";
    s += widthText;
    s += " - ";
    s += gapText;
    if (DesignHasBypass(design)) {
        s += " - BY ";
        s += std::to_string(bypass);
    }
    return s;
}

} // namespace tavro
