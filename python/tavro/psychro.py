"""Moist-air (psychrometric) functions of libtavro.

Units: temperatures °C, relative humidity %, humidity ratio g water per kg
dry air, total pressure hPa, vapour pressure Pa, enthalpy kJ per kg dry air,
density kg/m³, volume flows m³/h, mass flows kg/h. Each function evaluates
the library's function of the same name (``tavro_air_function``, as
``tavro-calc fn NAME`` does); the figures are those of the program's own
correlations, with ice below 0 °C and water above.

Arguments must be finite; temperatures not below -273.15 °C, pressures
above 0, humidities, relative humidities, flows and vapour pressures not
negative. Outside that, or for a result without physical meaning, a
TavroError (bad_argument or calculation_fault) is raised.
"""

import ctypes

from . import _native
from ._native import TavroError


def _call(name, *args):
    lib = _native.library()
    values = (ctypes.c_double * max(len(args), 1))()
    for i, value in enumerate(args):
        try:
            values[i] = float(value)
        except (TypeError, ValueError):
            raise TavroError(_native.BAD_ARGUMENT,
                             f"{name} argument {i + 1}: a number is needed") from None
    result = ctypes.c_double()
    error = _native._CText()
    code = lib.tavro_air_function(name.encode(), values, len(args), ctypes.byref(result),
                                  ctypes.byref(error))
    message = _native.take_text(error)
    if code != _native.OK:
        raise TavroError(code, message or name)
    return result.value


def sat_pressure(t):
    """Saturation vapour pressure (Pa) over ice (t < 0 °C) or water at t (°C).

    Range: t from -273.15 °C; 611 Pa at 0 °C; from 250 °C on the result is
    t⁴/1000. Source: SatPressure."""
    return _call("SatPressure", t)


def humidity_ratio(t, phi, p):
    """Humidity ratio x (g/kg) of air at t (°C), relative humidity phi (%)
    and pressure p (hPa); phi = 100 gives saturation.

    Range: t ≥ -273.15 °C, phi ≥ 0, p > 0; 0 for phi 0. Where the vapour
    pressure reaches p (at the boiling point) there is no finite result and
    TavroError (calculation_fault) is raised. Source: HumidityRatio."""
    return _call("HumidityRatio", t, phi, p)


def rel_humidity(t, x, p):
    """Relative humidity (%) of air at t (°C) with humidity ratio x (g/kg) at
    p (hPa); above 100 for supersaturated air.

    Range: t ≥ -273.15 °C, x ≥ 0, p > 0. Source: RelHumidity."""
    return _call("RelHumidity", t, x, p)


def dew_point_from_pressure(pd):
    """Dew point (°C) for the vapour partial pressure pd (Pa), to 1e-6 K.

    Range: pd > 0. Source: DewPointFromPressure (a polynomial estimate
    refined by bisection)."""
    return _call("DewPointFromPressure", pd)


def dew_point(x, p):
    """Dew point (°C) of air with humidity ratio x (g/kg) at p (hPa).

    Range: x ≥ 0 (below 0.0001 taken as 0.01), p > 0. Source: DewPoint."""
    return _call("DewPoint", x, p)


def temp_from_humidity(x, p, phi):
    """Temperature (°C) at which air of humidity ratio x (g/kg) at p (hPa)
    has the relative humidity phi (%).

    Range: x ≥ 0, p > 0, phi ≥ 0. Source: TempFromHumidity."""
    return _call("TempFromHumidity", x, p, phi)


def enthalpy(t, x, p):
    """Specific enthalpy (kJ/kg dry air) of air at t (°C), x (g/kg), p (hPa);
    water above saturation counts as fog (liquid at or above 0 °C, ice
    below).

    Range: t ≥ -273.15 °C, x ≥ 0, p > 0; the result may be negative.
    Source: Enthalpy."""
    return _call("Enthalpy", t, x, p)


def temp_from_enthalpy(h, x):
    """Temperature (°C) from enthalpy h (kJ/kg) and humidity ratio x (g/kg),
    without fog. Range: x ≥ 0, any finite h. Source: TempFromEnthalpy."""
    return _call("TempFromEnthalpy", h, x)


def humidity_from_enthalpy(h, t):
    """Humidity ratio (g/kg) from enthalpy h (kJ/kg) and temperature t (°C),
    without fog. Range: t ≥ -273.15 °C; a negative result raises
    TavroError. Source: HumidityFromEnthalpy."""
    return _call("HumidityFromEnthalpy", h, t)


def sat_humidity_on_isenthalp(h, p):
    """Humidity ratio (g/kg) where the isenthalp h (kJ/kg) meets saturation
    at p (hPa), plus 1 g/kg (the end of an isenthalp in the chart).

    Range: p > 0. Source: SatHumidityOnIsenthalp (0.1 g/kg steps)."""
    return _call("SatHumidityOnIsenthalp", h, p)


def density(t, x, p):
    """Density (kg/m³) of moist air at t (°C), x (g/kg), p (hPa), scaled so
    that 20 °C, 50 %, 1013 hPa gives 1.2.

    Range: t ≥ -273.15 °C, x ≥ 0, p > 0. Source: Density."""
    return _call("Density", t, x, p)


def ref_density():
    """Density (kg/m³) at the reference state 20 °C, 50 %, 1013 hPa: 1.2.
    Source: RefDensity."""
    return _call("RefDensity")


def to_std_volume(v, t, x, p):
    """Standard volume flow (m³/h, at the reference density) of the actual
    volume flow v (m³/h) of air at t (°C), x (g/kg), p (hPa).

    Range: v ≥ 0, t ≥ -273.15 °C, x ≥ 0, p > 0. Source: ToStdVolume."""
    return _call("ToStdVolume", v, t, x, p)


def to_act_volume(v_std, t, x, p):
    """Actual volume flow (m³/h) of the standard volume flow v_std (m³/h) of
    air at t (°C), x (g/kg), p (hPa).

    Range: v_std ≥ 0, t ≥ -273.15 °C, x ≥ 0, p > 0. Source: ToActVolume."""
    return _call("ToActVolume", v_std, t, x, p)


def temp_on_isenthalp(t, x, p, phi):
    """Temperature (°C) of the state on the isenthalp through (t, x) at p
    (hPa) whose relative humidity is phi (%); phi = 100 gives the wet-bulb
    temperature. To 1e-5 K.

    Range: -273.15 ≤ t ≤ 1000 °C, x ≥ 0, p > 0, phi ≥ 0.
    Source: TempOnIsenthalp (bisection)."""
    return _call("TempOnIsenthalp", t, x, p, phi)


def kin_viscosity(t):
    """Kinematic viscosity of air (m²/s) at t (°C). Range: t ≥ -273.15 °C.
    Source: KinViscosity."""
    return _call("KinViscosity", t)


def prandtl(t):
    """Prandtl number of air (1) at t (°C). Range: t ≥ -273.15 °C.
    Source: Prandtl."""
    return _call("Prandtl", t)


def conductivity(t):
    """Thermal conductivity of air (W/(m·K)) at t (°C). Range: t ≥ -273.15 °C.
    Source: Conductivity."""
    return _call("Conductivity", t)


def cp_dry_air(t):
    """Specific heat of dry air (kJ/(kg·K)) at t (°C). Range: t ≥ -273.15 °C.
    Source: CpDryAir."""
    return _call("CpDryAir", t)


def cp_vapour(t):
    """Specific heat of water vapour (kJ/(kg·K)) at t (°C).
    Range: t ≥ -273.15 °C. Source: CpVapour."""
    return _call("CpVapour", t)


def pressure_from_altitude(h):
    """Pressure (hPa) of the standard atmosphere at altitude h (m); 1013 at
    sea level. Range: h up to 44307 m. Source: PressureFromAltitude."""
    return _call("PressureFromAltitude", h)


def altitude_from_pressure(p):
    """Altitude (m) of the standard atmosphere at pressure p (hPa); 0 at
    1013. Range: p > 0. Source: AltitudeFromPressure."""
    return _call("AltitudeFromPressure", p)


def mix_air(x1, t1, m1, x2, t2, m2, p):
    """Adiabatic mixing of two streams (humidity ratio g/kg, temperature °C,
    dry-air mass flow kg/h of each) at p (hPa); fog in the mixture is
    condensed out. Returns (m, t, x): mass flow (kg/h), temperature (°C),
    humidity ratio (g/kg).

    Range: x, m ≥ 0, t ≥ -273.15 °C, p > 0, m1 + m2 > 0. Source: tavro_mix_air."""
    lib = _native.library()
    out = [ctypes.c_double() for _ in range(3)]
    error = _native._CText()
    try:
        values = [float(v) for v in (x1, t1, m1, x2, t2, m2, p)]
    except (TypeError, ValueError):
        raise TavroError(_native.BAD_ARGUMENT, "mix_air: numbers are needed") from None
    code = lib.tavro_mix_air(*values, *(ctypes.byref(o) for o in out), ctypes.byref(error))
    message = _native.take_text(error)
    if code != _native.OK:
        raise TavroError(code, message or "mix_air")
    return tuple(o.value for o in out)
