"""Tavro: moist-air and cross-flow plate heat exchanger calculations.

A thin layer over the C interface of libtavro (through ctypes). Record
fields are named as in ``tavro-calc record`` (Temp11, Phi11, SVol11, Edge,
Width, PType, ...) in the library's units: °C, %, g/kg, hPa, Pa, m³/h, mm.
Every failure raises TavroError with the library's status and message.

The library is found through the environment variable TAVRO_LIBRARY (the
path of libtavro.so.1), else through the dynamic loader's search path.
"""

from . import psychro
from ._native import TavroError, library, run_json
from .record import Record

__all__ = ["Record", "TavroError", "calculate", "check", "frost", "library_version",
           "psychro", "run_json", "sizes"]


def library_version():
    """The version text of the loaded libtavro ("1.0.0")."""
    return library().tavro_version().decode()


def calculate(classify=True, **fields):
    """Calculates a record from its input fields and returns every field as
    a dict (the record as ``tavro-calc record --json`` prints it).

    classify: also the energy classification (EtaE, HClass), as the
    Calculate command does. Raises TavroError: unknown_field or bad_argument
    for an input that does not fit, calculation_fault when the calculation
    failed (its ``result`` holds the record as far as it was calculated).
    """
    with Record(**fields) as record:
        try:
            record.calculate(classify)
        except TavroError as e:
            e.result = record.fields()
            raise
        return record.fields()


def check(design=10, dp_limit=0, units="si", language="en", separators=".", frost=True,
          **fields):
    """The limit check of a record given by its input fields: the messages
    (number, class "warning" or "error", text) it raises, as the desktop
    program checks before it calculates. See Record.check for the arguments.
    An error-class message is part of the answer ("error": True), not an
    exception."""
    with Record(**fields) as record:
        return record.check(design, dp_limit, units, language, separators, frost)


def sizes(min_eta, max_dp, design=10, units=1, width_mode=0, preset_width=None, vbypass=None,
          **fields):
    """The preselection for the air of a record given by its input fields:
    every catalogue size whose temperature efficiency Eta1Wet is at least
    min_eta (%, 0..100) and whose pressure drop is at most max_dp (Pa,
    3..100000). width_mode 0 sizes the width freely, 1 keeps the outer width
    at most preset_width (mm), 2 makes it equal; design 10, 20, 25, 30, 40
    or 60; units 1..4 in series; vbypass the bypass velocity (5..15 m/s,
    None the record's AirVelBypass). Returns a list of dicts (Edge, Width,
    PlateGap, H, B, T, VMax, DpMax, Eta1Wet, Eps1Wet, Temp12, HClass).
    """
    args = dict(fields)
    args.update({"minEta": min_eta, "maxDp": max_dp, "design": design, "units": units,
                 "widthMode": width_mode})
    if preset_width is not None:
        args["presetWidth"] = preset_width
    if vbypass is not None:
        args["vbypass"] = vbypass
    return run_json({"command": "sizes", "args": args})["rows"]


def frost(**fields):
    """The frost check of a record given by its input fields (stream 1 the
    outside air, stream 2 the return air), as ``tavro-calc frost --json``
    gives it: hasLimit and limit (the outside-air temperature below which
    the exchanger frosts, °C), frost, wallMin (°C), frostShare (0..1),
    atRisk, preheatTemp (°C), preheat (kW), bypassShare (0..1), ..."""
    return run_json({"command": "frost", "args": dict(fields)})
