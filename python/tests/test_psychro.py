import os
import subprocess
import sys

import pytest

import tavro
from tavro import psychro


def test_functions_give_what_the_json_entry_gives():
    cases = [
        (psychro.humidity_ratio, "HumidityRatio", (20, 50, 1013.25)),
        (psychro.sat_pressure, "SatPressure", (-5,)),
        (psychro.rel_humidity, "RelHumidity", (20, 7.3, 1013.25)),
        (psychro.dew_point, "DewPoint", (7.3, 1013.25)),
        (psychro.enthalpy, "Enthalpy", (20, 7.3, 1013.25)),
        (psychro.density, "Density", (20, 7.3, 1013.25)),
        (psychro.temp_on_isenthalp, "TempOnIsenthalp", (20, 7.3, 1013.25, 100)),
        (psychro.pressure_from_altitude, "PressureFromAltitude", (500,)),
        (psychro.ref_density, "RefDensity", ()),
    ]
    for function, name, args in cases:
        result = tavro.run_json({"command": "fn", "args": [name, *args]})
        assert function(*args) == result[name], name


def test_reference_values():
    assert psychro.sat_pressure(0) == 611
    # Psychrometric tables give 7.29 g/kg; the program's saturation-pressure
    # correlation lies within 1 % of them.
    assert psychro.humidity_ratio(20, 50, 1013.25) == pytest.approx(7.29, rel=0.01)
    assert psychro.ref_density() == pytest.approx(1.2)
    assert psychro.pressure_from_altitude(0) == pytest.approx(1013)
    assert psychro.humidity_ratio(20, 0, 1013) == 0
    m, t, x = psychro.mix_air(2, -10, 1000, 8, 22, 1000, 1013)
    assert m == pytest.approx(2000)
    assert -10 < t < 22 and 2 < x < 8


@pytest.mark.parametrize(
    "call, status",
    [
        (lambda: psychro.humidity_ratio(20, 50, -1), "bad_argument"),
        (lambda: psychro.humidity_ratio(-300, 50, 1013), "bad_argument"),
        (lambda: psychro.humidity_ratio(20, float("nan"), 1013), "bad_argument"),
        (lambda: psychro.humidity_ratio("warm", 50, 1013), "bad_argument"),
        (lambda: psychro.mix_air(2, 10, 0, 8, 22, 0, 1013), "calculation_fault"),
    ],
)
def test_bad_arguments_raise(call, status):
    with pytest.raises(tavro.TavroError) as e:
        call()
    assert e.value.status == status
    assert e.value.message


def test_library_found_through_the_environment_only():
    env = dict(os.environ, TAVRO_LIBRARY="/nonexistent/libtavro.so.1")
    code = ("import tavro\n"
            "try:\n    tavro.library_version()\n"
            "except tavro.TavroError as e:\n    print(e.message)\n")
    out = subprocess.run([sys.executable, "-c", code], env=env, capture_output=True, text=True,
                         check=True).stdout
    assert "TAVRO_LIBRARY" in out
    assert tavro.library_version().split(".")[0] == "1"
