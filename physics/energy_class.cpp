// EN 13053 energy efficiency and heat-recovery class of a record's exchanger.

#include "physics/numeric/errors.h"
#include "physics/records.h"

#include <charconv>

namespace tavro {

namespace {

constexpr double kFanEfficiency = 0.6;

// Class limits of EtaE (%), best class first.
struct ClassLimit {
    double eta;
    const char* name;
    uint8_t number;
};
constexpr ClassLimit kClasses[] = {{71, "H1", 1}, {64, "H2", 2}, {55, "H3", 3},
                                   {45, "H4", 4}, {36, "H5", 5}, {0, "H6", 6}};

std::string FormatOneDecimal(double v) {
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 1);
    return ec == std::errc() ? std::string(buf, ptr) : std::string("-");
}

} // namespace

void TDatenREK::ClassifyEnergy() {
    try {
        TDatenREK rating;
        rating.AirState = kGivenTempPhi;
        rating.AirQuant = kGivenStdVolume;
        rating.pbar = pbar;
        rating.SVol11 = SVol11;
        rating.SVol21 = SVol11;
        rating.Temp11 = 5;
        rating.Phi11 = 72;
        rating.Temp21 = 25;
        rating.Phi21 = 23;
        rating.SizeNo = SizeNo;
        rating.Edge = Edge;
        rating.Width = Width;
        rating.PType = PType;
        rating.Series = Series;
        rating.AirVelBypass = AirVelBypass;
        rating.PlateGap = PlateGap;
        rating.GapGiven = GapGiven;
        rating.Line = Line;
        rating.CalculateAll();
        rating.Calculate();
        // A failed rating calculation leaves results of no meaning.
        if (rating.Status != 0) return;

        // Fan power of both streams (kW) against the heat recovered.
        const double power =
            (rating.Dp1Std + rating.Dp2Std) * (rating.SVol11 / 3600) / kFanEfficiency / 1000;
        const double ratio = Checked(rating.Q1 / power, "ClassifyEnergy");
        EtaE = Checked((1 - 1 / ratio) * rating.Eta1, "ClassifyEnergy");
        EtaErP = rating.Eta1;
        for (const ClassLimit& c : kClasses) {
            if (EtaE >= c.eta) {
                HClass = c.name;
                HClassNo = c.number;
                break;
            }
        }
        HClassText = FormatOneDecimal(EtaE) + "% / " + HClass;
    } catch (...) {
    }
}

} // namespace tavro
