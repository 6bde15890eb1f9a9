#include "physics/air_state.h"

#include "physics/moist_air.h"
#include "physics/numeric/errors.h"

#include <cmath>
#include <limits>
#include <string>

namespace tavro {

namespace {

double Sat(double t, double p) {
    return HumidityRatio(t, 100.0, p);
}
double SatEnthalpy(double t, double p) {
    return Enthalpy(t, Sat(t, p), p);
}

} // namespace

bool CompleteState(int mode, StreamState& s, double p) {
    switch (mode) {
    case kGivenTempPhi:
        s.X = HumidityRatio(s.Temp, s.Phi, p);
        s.H = Enthalpy(s.Temp, s.X, p);
        break;
    case kGivenTempX:
        s.Phi = RelHumidity(s.Temp, s.X, p);
        s.H = Enthalpy(s.Temp, s.X, p);
        break;
    case kGivenTempH:
        s.X = HumidityFromEnthalpy(s.H, s.Temp);
        s.Phi = RelHumidity(s.Temp, s.X, p);
        break;
    case kGivenXH:
        s.Temp = TempFromEnthalpy(s.H, s.X);
        s.Phi = RelHumidity(s.Temp, s.X, p);
        break;
    case kGivenHPhi:
        s.Temp = TempOnIsenthalp(s.H / 1.007, 0.0, p, s.Phi);
        s.X = HumidityRatio(s.Temp, s.Phi, p);
        break;
    case kGivenXPhi:
        s.Temp = TempFromHumidity(s.X, p, s.Phi);
        s.H = Enthalpy(s.Temp, s.X, p);
        break;
    case kGivenTempDew:
        s.X = Sat(s.Dew, p);
        s.Phi = RelHumidity(s.Temp, s.X, p);
        s.H = Enthalpy(s.Temp, s.X, p);
        break;
    case kGivenTempWetBulb:
        s.H = SatEnthalpy(s.WetBulb, p);
        s.X = HumidityFromEnthalpy(s.H, s.Temp);
        s.Phi = RelHumidity(s.Temp, s.X, p);
        s.Dew = DewPoint(s.X, p);
        s.Rho = Density(s.Temp, s.X, p);
        return true;
    case kGivenDewH:
        s.X = Sat(s.Dew, p);
        s.Temp = TempFromEnthalpy(s.H, s.X);
        s.Phi = RelHumidity(s.Temp, s.X, p);
        s.WetBulb = TempOnIsenthalp(s.Temp, s.X, p, 100.0);
        s.Rho = Density(s.Temp, s.X, p);
        return true;
    case kGivenDewWetBulb:
        s.X = Sat(s.Dew, p);
        s.H = SatEnthalpy(s.WetBulb, p);
        s.Temp = TempFromEnthalpy(s.H, s.X);
        s.Phi = RelHumidity(s.Temp, s.X, p);
        s.Rho = Density(s.Temp, s.X, p);
        return true;
    case kGivenDewPhi:
        s.X = Sat(s.Dew, p);
        s.Temp = TempFromHumidity(s.X, p, s.Phi);
        s.H = Enthalpy(s.Temp, s.X, p);
        s.WetBulb = TempOnIsenthalp(s.Temp, s.X, p, 100.0);
        s.Rho = Density(s.Temp, s.X, p);
        return true;
    case kGivenWetBulbPhi:
        s.H = SatEnthalpy(s.WetBulb, p);
        s.Temp = TempOnIsenthalp(s.H / 1.007, 0.0, p, s.Phi);
        s.X = HumidityRatio(s.Temp, s.Phi, p);
        s.Dew = DewPoint(s.X, p);
        s.Rho = Density(s.Temp, s.X, p);
        return true;
    case kGivenWetBulbX:
        s.H = SatEnthalpy(s.WetBulb, p);
        s.Temp = TempFromEnthalpy(s.H, s.X);
        s.Phi = RelHumidity(s.Temp, s.X, p);
        s.Dew = DewPoint(s.X, p);
        s.Rho = Density(s.Temp, s.X, p);
        return true;
    default:
        return true;
    }
    // Modes 0 to 6 complete the remaining quantities the same way.
    s.Dew = DewPoint(s.X, p);
    s.WetBulb = TempOnIsenthalp(s.Temp, s.X, p, 100.0);
    s.Rho = Density(s.Temp, s.X, p);
    return true;
}

void CheckPhysicalState(const StreamState& s, const char* what) {
    struct Quantity {
        double value;
        double lowest; // the lowest physical value
        const char* name;
    };
    constexpr double kAny = -std::numeric_limits<double>::infinity();
    const Quantity quantities[] = {
        {s.SVol, 0, "standard volume flow"},
        {s.Vol, 0, "volume flow"},
        {s.Temp, -273.15, "temperature"},
        {s.Phi, 0, "relative humidity"},
        {s.X, 0, "humidity ratio"},
        {s.Dew, -273.15, "dew point"},
        {s.WetBulb, -273.15, "wet-bulb temperature"},
        {s.H, kAny, "enthalpy"},
        {s.Rho, 0, "density"},
        {s.MDry, 0, "dry-air mass flow"},
        {s.MWater, 0, "water mass flow"},
        {s.MAir, 0, "mass flow"},
    };
    for (const Quantity& q : quantities) {
        if (!std::isfinite(q.value) || q.value < q.lowest) {
            const char* why = !std::isfinite(q.value) ? "is not a finite number"
                              : q.lowest == 0         ? "is negative"
                                                      : "is below absolute zero";
            throw ArithmeticFault(std::string(what) + ": the " + q.name + " " + why);
        }
    }
}

void CompleteFlow(int mode, StreamState& s, double p) {
    const double k = 1.0 + s.X / 1000.0;
    switch (mode) {
    case kGivenStdVolume:
        s.Vol = ToActVolume(s.SVol, s.Temp, s.X, p);
        s.MAir = Checked(s.Rho * s.Vol, "CompleteFlow");
        s.MDry = Checked(s.MAir / k, "CompleteFlow");
        break;
    case kGivenActVolume:
        s.SVol = ToStdVolume(s.Vol, s.Temp, s.X, p);
        s.MAir = Checked(s.Rho * s.Vol, "CompleteFlow");
        s.MDry = Checked(s.MAir / k, "CompleteFlow");
        break;
    case kGivenDryMass:
        s.MAir = Checked(k * s.MDry, "CompleteFlow");
        s.Vol = Checked(s.MAir / s.Rho, "CompleteFlow");
        s.SVol = ToStdVolume(s.Vol, s.Temp, s.X, p);
        break;
    case kGivenMoistMass:
        s.MDry = Checked(s.MAir / k, "CompleteFlow");
        s.Vol = Checked(s.MAir / s.Rho, "CompleteFlow");
        s.SVol = ToStdVolume(s.Vol, s.Temp, s.X, p);
        break;
    default:
        break;
    }
    s.MWater = Checked(s.X * s.MDry / 1000.0, "CompleteFlow");
}

} // namespace tavro
