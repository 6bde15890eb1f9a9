#!/usr/bin/env python3
"""Calculates a winter case with libtavro from Python: the record, its limit
check and one moist-air function. Finds the library through TAVRO_LIBRARY or
the dynamic loader's search path (LD_LIBRARY_PATH, ldconfig)."""

import tavro
from tavro import psychro

winter = dict(AirState=0, AirQuant=0, pbar=1013, SVol11=10000, Temp11=-12, Phi11=90,
              SVol21=10000, Temp21=22, Phi21=40, Edge=600, Width=600, PType=2)

try:
    record = tavro.calculate(**winter)
except tavro.TavroError as e:
    raise SystemExit(f"calculation failed: {e}")
print("library", tavro.library_version())
for name in ("Eta1Wet", "Temp12", "Dp1", "HClass"):
    print(name, record[name])
for message in tavro.check(**winter)["messages"]:
    print("check", message["number"], message["class"], message["text"])
print("HumidityRatio(20, 50, 1013.25) =", psychro.humidity_ratio(20, 50, 1013.25))
