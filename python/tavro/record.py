"""A calculation record of libtavro: its fields by name, the calculation,
the limit check and the result tables' cells."""

import ctypes
import json

from . import _native
from ._native import TavroError


class Record:
    """A calculation record (the inputs of both inlets, the exchanger and its
    results). Fields are named as in ``tavro-calc record``: Temp11, Phi11,
    SVol11, Edge, Width, PType, ... Units are the library's: °C, %, g/kg,
    hPa, Pa, m³/h, mm.

    A record may be used by one thread at a time. Use it as a context
    manager or call close() to release it at once.
    """

    def __init__(self, **fields):
        self._lib = _native.library()
        handle = ctypes.c_void_p()
        code = self._lib.tavro_record_create(ctypes.byref(handle))
        if code != _native.OK:
            raise TavroError(code, "the record could not be created")
        self._handle = handle
        self.update(**fields)

    def close(self):
        """Releases the record; it cannot be used afterwards."""
        if self._handle:
            self._lib.tavro_record_free(self._handle)
            self._handle = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def __del__(self):
        try:
            self.close()
        except Exception:
            pass

    def _h(self):
        if not self._handle:
            raise TavroError(_native.BAD_ARGUMENT, "the record is closed")
        return self._handle

    def _raise(self, code):
        if code != _native.OK:
            message = self._lib.tavro_record_error(self._handle) or b""
            raise TavroError(code, message.decode("utf-8", "replace"))

    def set(self, field, value):
        """Sets an input field: a number (int or float) or a text as
        ``tavro-calc record NAME=VALUE`` takes it. Raises TavroError
        (unknown_field, bad_argument) and leaves the record unchanged when
        the field or the value does not fit."""
        name = _native.encode(field, "field")
        if isinstance(value, bool):
            value = int(value)
        if isinstance(value, (int, float)):
            code = self._lib.tavro_record_set_number(self._h(), name, float(value))
        else:
            code = self._lib.tavro_record_set(self._h(), name, _native.encode(value, field))
        self._raise(code)

    def update(self, **fields):
        """Sets every field given; stops at the first that does not fit."""
        for field, value in fields.items():
            self.set(field, value)

    def get(self, field):
        """A field as a float, or as a str for a text field (HClass, Line, ...)."""
        name = _native.encode(field, "field")
        number = ctypes.c_double()
        code = self._lib.tavro_record_get_number(self._h(), name, ctypes.byref(number))
        if code == _native.OK:
            return number.value
        text = _native._CText()
        code = self._lib.tavro_record_get_text(self._h(), name, ctypes.byref(text))
        self._raise(code)
        return _native.take_text(text)

    def calculate(self, classify=True):
        """Calculates both inlets and the exchanger (and with classify the
        energy class, as the Calculate command does). Raises TavroError
        (calculation_fault) when a stage failed; the record then holds the
        values computed before the fault."""
        self._raise(self._lib.tavro_record_calculate(self._h(), 1 if classify else 0))

    def fields(self):
        """Every field as a dict in declared order (non-finite numbers as None)."""
        text = _native._CText()
        self._raise(self._lib.tavro_record_json(self._h(), ctypes.byref(text)))
        return json.loads(_native.take_text(text))

    def check(self, design=10, dp_limit=0, units="si", language="en", separators=".", frost=True):
        """The limit check of the record's inputs (calculated on a copy).

        design: form of design 10, 20, 25, 30, 40 or 60; dp_limit: the
        pressure-drop limit in Pa (1..1000000, 0 the limit of the record's
        Edge and Series); units "si" or "ip", language "en", "de", "fr",
        "pl", "zh" or "ru" and separators (decimal and optional thousands
        separator) for the texts; frost: also the frost warning (message 40)
        when the outside air lies below the frost limit, as the desktop
        program with its "Frost check" option on. Returns {"messages": [{"number", "class",
        "text"}, ...], "error": bool, "design", "dplimit", "Status", ...}.
        """
        text = _native._CText()
        code = self._lib.tavro_record_check(
            self._h(), int(design), int(dp_limit), 1 if frost else 0, _native.encode(units, "units"),
            _native.encode(language, "language"), _native.encode(separators, "separators"),
            ctypes.byref(text))
        self._raise(code)
        return json.loads(_native.take_text(text))

    def cells(self, summer=None, units="si", language="en", separators=".", eu=False,
              hclass=True, dp_limit=450):
        """The cells of the four result tables as the main window shows them
        (calculate first): {"inlet", "velocity", "outlet", "process"}, each
        a list of rows of cell texts. summer: a calculated cooling-case
        Record or None."""
        text = _native._CText()
        code = self._lib.tavro_record_cells(
            self._h(), summer._h() if summer is not None else None,
            _native.encode(units, "units"), _native.encode(language, "language"),
            _native.encode(separators, "separators"), 1 if eu else 0, 1 if hclass else 0,
            int(dp_limit), ctypes.byref(text))
        self._raise(code)
        return json.loads(_native.take_text(text))
