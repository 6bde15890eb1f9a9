#include "product/catalogue/dimensions.h"

#include "physics/numeric/errors.h"
#include "physics/numeric/rounding.h"
#include "product/catalogue/catalogue.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

namespace tavro {

namespace {

constexpr double kPlateThickness = 0.15; // mm, for the weight

int DiagonalHeight(int edge) {
    if (edge <= 200) return 265;
    if (edge <= 300) return 405;
    if (edge == 390) return 531;
    if (edge == 400) return 536;
    return RoundHalfEven(std::sqrt(2.0) * edge - 30);
}

int HousingEdge(int edge, int diagonal) {
    switch (edge) {
    case 200:
        return 270;
    case 300:
        return 410;
    case 390:
    case 400:
        return 540;
    case 500:
        return 682;
    case 600:
        return 825;
    case 700:
        return 965;
    case 800:
        return 1106;
    case 1000:
        return 1390;
    case 1200:
        return 1678;
    case 1400:
        return 1960;
    case 1500:
        return 2097;
    case 1600:
        return 2245;
    case 1800:
        return 2530;
    case 2000:
        return 2810;
    case 2100:
        return 2945;
    case 2400:
        return 3370;
    case 2500:
        return 3511;
    case 2800:
        return 3935;
    case 3000:
        return 4218;
    case 3200:
        return 4501;
    default:
        return diagonal;
    }
}

int JointAllowance(int edge) {
    if (edge <= 800) return 0;
    if (edge >= 1000 && edge <= 1200) return 30;
    if (edge >= 1400 && edge <= 1500) return 40;
    if (edge >= 1600 && edge <= 2000) return 60;
    if (edge >= 2100 && edge <= 2500) return 80;
    if (edge >= 2800 && edge <= 3200) return 100;
    return 0;
}

int DamperAllowance(int design, int edge) {
    if (design < kDesignHousing) return edge >= 1200 ? 128 : 78;
    return edge >= 1200 ? 180 : 110;
}

void CheckSelection(const UnitSelection& sel) {
    if (sel.units < 1 || sel.units > 4) {
        throw DimensionError("the number of units in series must be from 1 to 4");
    }
    if (sel.edge < 1 || sel.edge > kMaxBuildableLength) {
        throw DimensionError("the edge must be from 1 to " + std::to_string(kMaxBuildableLength) +
                             " mm");
    }
    if (sel.width < 1 || sel.width > kMaxBuildableLength) {
        throw DimensionError("the package width must be from 1 to " +
                             std::to_string(kMaxBuildableLength) + " mm");
    }
}

} // namespace

OuterSize OuterDimensions(const UnitSelection& sel) {
    CheckSelection(sel);
    const int D = sel.design;
    const int E = sel.edge;
    const int W = sel.width;
    const double g = PlateGapFor(E, sel.ptype);
    const int bypass = BypassWidth(E, sel.vBypass, sel.volume);
    // Summed in 64 bits: every term is bounded by the checks above, so the
    // sums cannot overflow, and a result beyond any buildable size is
    // refused before it is narrowed.
    const int h = DiagonalHeight(E);
    int64_t H = h, B = W, T = h;
    if (DesignHasBypass(D)) B += bypass;
    const int64_t m = HousingEdge(E, h);
    const int64_t j = JointAllowance(E);
    if (DesignHasHousing(D)) {
        H = m + (E <= 800 ? 100 : 4 * j);
        T = m + (E <= 800 ? 100 : 2 * j);
    }
    T *= sel.units;
    if (DesignHasHousing(D)) B += 3 * int64_t{PackageCount(W, Div(E, BlockCount(E, g)))};
    if (D >= kDesignHousingBypass) B += 3;
    if (D > kDesignBypassDamper) B += E <= 800 ? 60 : 2 * j;
    if (D == kDesignBypassDamper) {
        const int64_t a = DamperAllowance(D, E);
        H += a;
        T += a;
    }
    if (D == kDesignHousingBypassDamper) {
        H += 280;
        T += 280;
    }
    for (const auto& [value, name] : {std::pair{H, "height"}, {B, "width"}, {T, "depth"}}) {
        if (value > kMaxBuildableLength) {
            throw DimensionError("the outer " + std::string(name) + " of " + std::to_string(value) +
                                 " mm is larger than any unit that can " + "be built (" +
                                 std::to_string(kMaxBuildableLength) + " mm)");
        }
    }
    return {bypass, static_cast<int>(H), static_cast<int>(B), static_cast<int>(T)};
}

double BlockWeight(int edge, int width, double gap) {
    const int f = BlockCount(edge, gap);
    const int e = RoundHalfEven(static_cast<double>(edge) / f);
    const int l = PackageCount(width, e);
    const double o = static_cast<double>(width) / l;
    const double t = kPlateThickness;
    const double r = RoundHalfEven((o - (e >= 500 ? 40 : 4)) / (gap + t));
    const double p1 = e >= 400 ? std::pow((e + 54) / 1000.0, 2) * 2.7 * 1.5
                               : std::pow((e + 22) / 1000.0, 2) * 2.7;
    const double p2 =
        e >= 400 ? (o + 41) * 0.048 / 1000 * 2.7 * 1.5 : (o + 42) * 0.032 / 1000 * 2.7;
    double area;
    if (e == 200) {
        area = ((e + 12) / 1000.0) * ((e - 2) / 1000.0);
    } else if (e == 300) {
        area = ((e + 14) / 1000.0) * ((e - 2) / 1000.0);
    } else if (e == 390) {
        area = 0.166;
    } else {
        area = (e / 1000.0) * ((e + 15) / 1000.0);
    }
    const double p3 = 2.7 * area * t;
    const double e2 = (e / 1000.0) * (e / 1000.0);
    const double p4 =
        e >= 400 ? e2 * 2 * 0.4 + o / 1000 * 4 * 0.3 : e2 * 2 * 0.54 + o / 1000 * 4 * 0.15;
    return (2 * p1 + 4 * p2 + r * p3 + p4) * l * f * f;
}

double BypassWeight(int edge, int bypass) {
    const int c = edge >= 1600 ? BlockCount(edge, 4) : 1;
    const double E = edge;
    const double part = Div(edge, c);
    double x = c * ((E + 30) / 1000 * part / 1000 + part * (E / 1000) / 1000 +
                    2 * (bypass + 60.0) / 1000.0 * (E + 90) / 1000);
    if (edge > 1000 && edge < 1600) x += E / 1000 * bypass / 1000;
    return x * 1.2 * 7.8;
}

double HousingWeight(int edge, int T, int B, int H) {
    const double k = Diagonal(edge);
    if (edge >= 1000) {
        const double s =
            2.0 * (static_cast<double>(T) * H + static_cast<double>(T) * B) / 1e6 / 1000 * 7800;
        double p, q;
        if (edge <= 1200) {
            p = 0.8748, q = 1.3608;
        } else if (edge <= 1500) {
            p = 1.1988, q = 1.8468;
        } else if (edge <= 2000) {
            p = 1.8468, q = 3.7152;
        } else if (edge <= 2500) {
            p = 3.2832, q = 5.0112;
        } else {
            p = 4.1472, q = 6.3072;
        }
        return s + p * ((T - k) + (H - k) + 8.0 * edge + 5.0 * H + 3.0 * T + 7.0 * B) / 1000 +
               q * (2.0 * T + 5.0 * B) / 1000;
    }
    const double a = ((T + 30.0) * B + (T + 80.0) * B + (T + 30.0) * 2 * (H + 30.0)) / 1e6;
    return (2.0 * B / 1000 * (T - k + 140) / 1000 + 2.0 * B / 1000 * (H - k + 140) / 1000 + a) *
           1.5 / 1000 * 7800;
}

double DamperWeight(int edge, int width, int bypass) {
    const double w = static_cast<double>(width) + bypass;
    const double E = edge;
    if (edge < 1200) {
        const double d = E / 100 - 1;
        const double e = (E - 95) / 1000;
        return 0.088 * d + 0.082 * d + 9.36 * 0.03 * (w - 107) / 1000 +
               0.897 * d * (w - 111) / 1000 + 9.36 * 0.14 * e + 2 * 9.36 * 0.16 * w / 1000 +
               2 * 9.36 * 0.17 * e + 0.115;
    }
    int j;
    switch (edge) {
    case 1200:
        j = 7;
        break;
    case 1400:
        j = 8;
        break;
    case 1500:
    case 1600:
        j = 9;
        break;
    case 1800:
        j = 11;
        break;
    case 2000:
        j = 12;
        break;
    case 2100:
        j = 13;
        break;
    case 2400:
        j = 15;
        break;
    case 2500:
        j = 16;
        break;
    case 2800:
        j = 17;
        break;
    case 3000:
        j = 19;
        break;
    case 3200:
        j = 20;
        break;
    case 3600:
        j = 22;
        break;
    case 4000:
        j = 24;
        break;
    case 4800:
        j = 30;
        break;
    default:
        j = 0;
        break;
    }
    const bool s = w < 1800;
    const double d = (2 * E - 240) / 1000;
    double f = 15.6 * (0.22 * d + 0.27 * d);
    if (!s) f += 15.6 * 0.22 * d;
    f += 15.6 * 0.27 * 2 * w / 1000;
    f += 0.102 * j + 0.176 * j + 2.05 * j * (w - 130) / 1000;
    if (!s) f += 0.102 * j;
    return 0.058 * (E - 270) / 173 + 0.058 * j / 2 + 0.083 * j * (s ? 4 : 3) / 3 + f + 0.225;
}

int UnitWeight(const UnitSelection& sel) {
    const int D = sel.design;
    const int n = sel.units;
    const double g = PlateGapFor(sel.edge, sel.ptype);
    const OuterSize o = OuterDimensions(sel);
    const double block = BlockWeight(sel.edge, sel.width, g);
    const double bypass = DesignHasBypass(D) ? BypassWeight(sel.edge, o.Bypass) : 0.0;
    double u = n * (block + bypass);
    const double depth =
        D == kDesignHousingBypassDamper ? (o.T - 280.0) / n : static_cast<double>(o.T) / n;
    const int d = RoundHalfEven(depth);
    if (D == kDesignHousing || D == kDesignHousingBypass)
        u += n * HousingWeight(sel.edge, d, o.B, o.H);
    if (D == kDesignHousingBypassDamper) {
        u += HousingWeight(sel.edge, d + 280, o.B, o.H);
        if (n > 1) u += (n - 1) * HousingWeight(sel.edge, d, o.B, o.H);
    }
    if (D == kDesignBypassDamper || D == kDesignHousingBypassDamper) {
        u += DamperWeight(sel.edge, sel.width, o.Bypass);
    }
    return RoundHalfEven(u);
}

} // namespace tavro
