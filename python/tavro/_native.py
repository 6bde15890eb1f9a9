"""Loading libtavro and calling it through ctypes.

The library is found through the environment variable TAVRO_LIBRARY (a path
to the shared library), else through the usual search path of the dynamic
loader (libtavro.so.<major>).
"""

import ctypes
import ctypes.util
import json
import math
import os
import threading

#: The major version of the C interface this package is written for.
MAJOR = 1

#: Names of the status codes of the C interface, by number.
STATUS_NAMES = {
    0: "ok",
    1: "bad_argument",
    2: "unknown_field",
    3: "unknown_name",
    4: "calculation_fault",
    5: "out_of_memory",
    6: "internal",
}
OK = 0
BAD_ARGUMENT = 1


class TavroError(Exception):
    """A call of libtavro that failed.

    Attributes: ``code`` the status number, ``status`` its name
    ("bad_argument", "calculation_fault", ...), ``message`` the library's
    message, and ``result`` what a failed calculation computed before its
    fault (a dict) or None.
    """

    def __init__(self, code, message, result=None):
        self.code = int(code)
        self.status = STATUS_NAMES.get(self.code, "unknown")
        self.message = message
        self.result = result
        super().__init__(f"{self.status} ({self.code}): {message}")


class _CText(ctypes.c_void_p):
    """A char* the library hands out: read with text(), released with tavro_free."""


_lock = threading.Lock()
_lib = None


def _candidates():
    path = os.environ.get("TAVRO_LIBRARY")
    if path:
        return [path]
    found = ctypes.util.find_library("tavro")
    names = [f"libtavro.so.{MAJOR}"]
    if found and found not in names:
        names.insert(0, found)
    return names


def _declare(lib):
    c_int, c_double, c_char_p = ctypes.c_int, ctypes.c_double, ctypes.c_char_p
    out_text = ctypes.POINTER(_CText)
    signatures = {
        "tavro_version": (c_char_p, []),
        "tavro_format_version": (c_int, []),
        "tavro_status_name": (c_char_p, [c_int]),
        "tavro_free": (None, [ctypes.c_void_p]),
        "tavro_record_create": (c_int, [ctypes.POINTER(ctypes.c_void_p)]),
        "tavro_record_free": (None, [ctypes.c_void_p]),
        "tavro_record_set": (c_int, [ctypes.c_void_p, c_char_p, c_char_p]),
        "tavro_record_set_number": (c_int, [ctypes.c_void_p, c_char_p, c_double]),
        "tavro_record_get_number": (c_int, [ctypes.c_void_p, c_char_p, ctypes.POINTER(c_double)]),
        "tavro_record_get_text": (c_int, [ctypes.c_void_p, c_char_p, out_text]),
        "tavro_record_calculate": (c_int, [ctypes.c_void_p, c_int]),
        "tavro_record_json": (c_int, [ctypes.c_void_p, out_text]),
        "tavro_record_error": (c_char_p, [ctypes.c_void_p]),
        "tavro_record_cells": (
            c_int,
            [ctypes.c_void_p, ctypes.c_void_p, c_char_p, c_char_p, c_char_p, c_int, c_int, c_int,
             out_text],
        ),
        "tavro_record_check": (
            c_int, [ctypes.c_void_p, c_int, c_int, c_int, c_char_p, c_char_p, c_char_p, out_text]
        ),
        "tavro_air_function": (
            c_int, [c_char_p, ctypes.POINTER(c_double), c_int, ctypes.POINTER(c_double), out_text]
        ),
        "tavro_mix_air": (
            c_int,
            [c_double] * 7 + [ctypes.POINTER(c_double)] * 3 + [out_text],
        ),
        "tavro_run_json": (c_int, [c_char_p, out_text]),
    }
    for name, (restype, argtypes) in signatures.items():
        function = getattr(lib, name)
        function.restype = restype
        function.argtypes = argtypes


def library():
    """The loaded libtavro (loaded on first use). Raises TavroError when it
    cannot be found or its major version is not this package's."""
    global _lib
    with _lock:
        if _lib is not None:
            return _lib
        problems = []
        for name in _candidates():
            try:
                lib = ctypes.CDLL(name)
            except OSError as e:
                problems.append(str(e))
                continue
            try:
                _declare(lib)
            except AttributeError as e:
                raise TavroError(BAD_ARGUMENT, f"{name} is not libtavro: {e}") from None
            version = lib.tavro_version().decode()
            if version.split(".")[0] != str(MAJOR):
                raise TavroError(
                    BAD_ARGUMENT,
                    f"{name} is libtavro {version}; this package needs major version {MAJOR}",
                )
            _lib = lib
            return lib
        raise TavroError(
            BAD_ARGUMENT,
            "libtavro not found (set TAVRO_LIBRARY to the path of libtavro.so."
            f"{MAJOR}): " + "; ".join(problems),
        )


def take_text(text):
    """The string behind a _CText the library handed out, released."""
    if not text.value:
        return None
    try:
        return ctypes.string_at(text.value).decode("utf-8", "replace")
    finally:
        library().tavro_free(text.value)


def encode(text, what):
    """A Python str as the UTF-8 bytes the library takes."""
    if not isinstance(text, str):
        raise TavroError(BAD_ARGUMENT, f"{what}: a text is needed, not {type(text).__name__}")
    if "\0" in text:
        raise TavroError(BAD_ARGUMENT, f"{what}: the text holds a NUL character")
    return text.encode("utf-8")


def _check_finite(value, what):
    if isinstance(value, float) and not math.isfinite(value):
        raise TavroError(BAD_ARGUMENT, f"{what}: {value} is not a finite number")
    if isinstance(value, dict):
        for key, item in value.items():
            _check_finite(item, f"{what}.{key}")
    elif isinstance(value, (list, tuple)):
        for i, item in enumerate(value):
            _check_finite(item, f"{what}[{i}]")


def run_json(request):
    """Runs one request of the JSON entry (a dict, see docs/embedding.md)
    and returns its result. Raises TavroError with the library's status and
    message when the request fails; a calculation that failed half-way
    carries what it computed in the error's ``result``."""
    _check_finite(request, "request")
    try:
        text = json.dumps(request, allow_nan=False)
    except (TypeError, ValueError) as e:
        raise TavroError(BAD_ARGUMENT, f"request: {e}") from None
    out = _CText()
    code = library().tavro_run_json(text.encode("utf-8"), ctypes.byref(out))
    answer = take_text(out)
    if answer is None:
        raise TavroError(code, "the library returned no response")
    response = json.loads(answer)
    if code != OK:
        raise TavroError(code, response.get("error", ""), response.get("result"))
    return response["result"]


def arguments(fields):
    """Keyword arguments as the "args" object of a request: booleans as
    themselves, numbers and texts as they are; None is left out."""
    return {key: value for key, value in fields.items() if value is not None}
