/*
 * libtavro: moist-air and cross-flow plate heat exchanger calculations
 * behind a plain C interface.
 *
 * Conventions of every function:
 * - Functions that can fail return an int status (enum tavro_status); on
 *   any status other than TAVRO_OK their out-parameters and the record are
 *   left as they were.
 * - Strings handed out through a char** belong to the caller, who releases
 *   them with tavro_free(). Strings handed in are UTF-8 and NUL-terminated.
 * - No function throws or aborts on bad input: NULL pointers, NaN and
 *   infinities, unknown names, wrong JSON types and oversized texts are
 *   answered with a status.
 * - Units are the program's internal ones: °C, %, g/kg, hPa, Pa, kJ/kg,
 *   kg/m³, m³/h, kg/h, m/s, mm.
 * - Threads: a record handle may be used by one thread at a time; any
 *   number of threads may each use their own handles, and every function
 *   without a handle may be called from any thread at once.
 *
 * docs/embedding.md describes the interface, the JSON requests and the
 * versioning promise.
 */
#ifndef TAVRO_TAVRO_H
#define TAVRO_TAVRO_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define TAVRO_API __attribute__((visibility("default")))
#else
#define TAVRO_API
#endif

/* The version of the header. A program built against major version N runs
 * with every libtavro.so.N of the same or a later minor version. */
#define TAVRO_VERSION_MAJOR 1
#define TAVRO_VERSION_MINOR 0
#define TAVRO_VERSION_PATCH 0
#define TAVRO_VERSION_STRING "1.0.0"
/* The version of the JSON results ("format_version"): raised when a name
 * is removed or changes its meaning; new names may appear without it. */
#define TAVRO_FORMAT_VERSION 1

/* What a call returns. */
typedef enum tavro_status {
    TAVRO_OK = 0,
    TAVRO_BAD_ARGUMENT = 1,      /* NULL, NaN, out of range, malformed request, ... */
    TAVRO_UNKNOWN_FIELD = 2,     /* no record field of that name */
    TAVRO_UNKNOWN_NAME = 3,      /* no moist-air function or language of that name */
    TAVRO_CALCULATION_FAULT = 4, /* the calculation failed or has no physical result */
    TAVRO_OUT_OF_MEMORY = 5,
    TAVRO_INTERNAL = 6 /* a fault of the library itself */
} tavro_status;

/* The library's version text ("1.0.0"), a static string. */
TAVRO_API const char* tavro_version(void);

/* The version of the JSON results, TAVRO_FORMAT_VERSION of the library. */
TAVRO_API int tavro_format_version(void);

/* The name of a status ("ok", "bad_argument", ...), a static string;
 * "unknown" for a number that is not a status. */
TAVRO_API const char* tavro_status_name(int status);

/* Releases a string the library handed out; NULL is ignored. */
TAVRO_API void tavro_free(char* text);

/* ---- Calculation records ------------------------------------------------ */

/* A calculation record: the inputs of both inlets, the exchanger and its
 * results, each field by its name (Temp11, Phi11, SVol11, Edge, ...). */
typedef struct tavro_record tavro_record;

/* A new record with the defaults of the program (pbar 0 among them) in
 * *record. TAVRO_BAD_ARGUMENT when record is NULL. */
TAVRO_API int tavro_record_create(tavro_record** record);

/* Releases a record; NULL is ignored. */
TAVRO_API void tavro_record_free(tavro_record* record);

/* Sets an input field from text, as `tavro-calc record NAME=VALUE` does:
 * integers in decimal, numbers in C notation (decimal point whatever the
 * locale). Only inputs can be set (the inlet fields ...11 and ...21,
 * AirState, AirQuant, pbar, VolumeAt, Series, Units, Edge, SizeNo, Width,
 * PType, PlateGap, GapGiven, AirVelBypass, Line, EffStandard); results are
 * refused. Inlet flows must be more than 0 and at most 1e7, AirVelBypass
 * from 5 to 15 m/s, Line "Tavro". TAVRO_UNKNOWN_FIELD for an unknown name,
 * TAVRO_BAD_ARGUMENT for a value that does not fit; the record is then
 * unchanged. */
TAVRO_API int tavro_record_set(tavro_record* record, const char* field, const char* value);

/* Sets a number or integer input field. An integer field takes only whole
 * numbers within its range; text fields are refused. NaN and infinities
 * are TAVRO_BAD_ARGUMENT. Otherwise as tavro_record_set. */
TAVRO_API int tavro_record_set_number(tavro_record* record, const char* field, double value);

/* Any field (input or result) as a number in *value. Text fields are
 * TAVRO_BAD_ARGUMENT. */
TAVRO_API int tavro_record_get_number(tavro_record* record, const char* field, double* value);

/* Any field as text in *text (integers in decimal, numbers with 17
 * significant digits, texts as they are); free it with tavro_free. */
TAVRO_API int tavro_record_get_text(tavro_record* record, const char* field, char** text);

/* Calculates the record: both inlet states, then the exchanger; with
 * classify not 0 also the energy classification (EtaE, HClass), as the
 * Calculate command of the desktop program does. TAVRO_CALCULATION_FAULT
 * when a stage failed: the record's Status is then not 0 and it holds the
 * values computed before the fault. */
TAVRO_API int tavro_record_calculate(tavro_record* record, int classify);

/* Every field of the record as one JSON object (field name to value, in
 * declared order; numbers that are not finite as null) in *json. */
TAVRO_API int tavro_record_json(tavro_record* record, char** json);

/* The message of the record's last failed call, "" after a call that
 * succeeded. The text belongs to the record and lives until its next call.
 * "" for NULL. */
TAVRO_API const char* tavro_record_error(const tavro_record* record);

/* The cells of the four result tables of the main window for the record
 * as it is (calculate it first with classify 1, as the window does), as
 * the window shows them: *json receives {"library_version",
 * "format_version", "inlet", "velocity", "outlet", "process"}, each table
 * an array of rows, each row an array of cell texts (label, stream 1, gap,
 * stream 2, gap, unit; with a cooling case `summer` (NULL for none) its two
 * streams before the unit, ten cells). units "si" or "ip"; language "en",
 * "de", "fr", "pl", "zh" or "ru" (TAVRO_UNKNOWN_NAME otherwise);
 * separators the decimal separator and an optional thousands separator
 * (".," for example); eu not 0: effectiveness in place of the temperature
 * efficiency; hclass not 0: the energy-class rows; dp_limit the
 * pressure-drop limit (1..100000 Pa; drops above 1.5 times it stay empty).
 * Nothing is read from the process's settings. */
TAVRO_API int tavro_record_cells(tavro_record* record, tavro_record* summer, const char* units,
                                 const char* language, const char* separators, int eu, int hclass,
                                 int dp_limit, char** json);

/* ---- The limit check ----------------------------------------------------- */

/* The limit check of the record's inlet stages, as the desktop program runs
 * it before it calculates: the record's inputs are calculated on a copy
 * (the record itself is not changed) and judged against the permitted
 * ranges. design is the form of design (10, 20, 25, 30, 40, 60); dp_limit
 * the pressure-drop limit (1..1000000 Pa; 0 takes the limit of the
 * record's Edge and Series); frost 1 adds the frost check's warning
 * (message 40: the outside air lies below the exchanger's frost limit) as
 * the desktop program does with its "Frost check" option on, 0 leaves it
 * out; units, language and separators as
 * tavro_record_cells takes them (the texts' figures in that unit system
 * and decimal separator). *json receives {"library_version",
 * "format_version", "messages": [{"number", "class" ("warning" or
 * "error"), "text"}, ...] in ascending number, "error" (true when an
 * error-class message stops the calculation), "design", "dplimit",
 * "Status"}. A failed inlet stage (Status not 0) still gives TAVRO_OK: its
 * values count as outside their ranges, so the check raises error-class
 * messages. */
TAVRO_API int tavro_record_check(tavro_record* record, int design, int dp_limit, int frost,
                                 const char* units, const char* language, const char* separators,
                                 char** json);

/* ---- The size list -------------------------------------------------------- */

/* The preselection for the air of `record` (its inputs; the record itself
 * is not changed): every catalogue size whose temperature efficiency
 * Eta1Wet is at least min_eta (%, 0..100) and whose pressure drop is at
 * most max_dp (Pa, 3..100000). width_mode 0 sizes the width freely, 1
 * keeps the outer width at most preset_width (mm), 2 makes it equal
 * preset_width; design is a form of design (10, 20, 25, 30, 40, 60), units
 * 1..4 in series, vbypass the bypass velocity (5..15 m/s; 0 takes the
 * record's AirVelBypass). *json receives {"library_version", "format_version",
 * "rows": [{Edge, Width, PlateGap, H, B, T, VMax, DpMax, Eta1Wet, Eps1Wet,
 * Temp12, HClass}, ...]}. TAVRO_CALCULATION_FAULT when the inlet air
 * cannot be calculated. The message of a failure is the record's error. */
TAVRO_API int tavro_sizes(tavro_record* record, double min_eta, int max_dp, int width_mode,
                          int preset_width, int design, int units, double vbypass, char** json);

/* ---- The catalogue --------------------------------------------------------- */

/* A unit of the catalogue, as `tavro-calc product` takes it: design (10,
 * 20, 25, 30, 40, 60), units in series (1..4), edge (a catalogue edge of
 * the design), width (package width, 1..50000 mm), ptype (plate type 1..6
 * that exists for the edge), vbypass (bypass velocity 5..15 m/s) and
 * volume (outside air, 0..1e7 m³/h; sizes the bypass). */
typedef struct tavro_unit {
    int design;
    int units;
    int edge;
    int width;
    int ptype;
    double vbypass;
    double volume;
} tavro_unit;

/* The outer dimensions of a unit in mm: height, width, depth, and the
 * bypass width (0 without bypass). TAVRO_BAD_ARGUMENT for a unit outside
 * the catalogue or one that cannot be built (over 50000 mm). */
TAVRO_API int tavro_unit_dimensions(const tavro_unit* unit, int* height, int* width, int* depth,
                                    int* bypass);

/* The weight of a unit in kg. */
TAVRO_API int tavro_unit_weight(const tavro_unit* unit, int* weight);

/* The designation of a unit (English type word) in *text. */
TAVRO_API int tavro_unit_designation(const tavro_unit* unit, char** text);

/* ---- Moist-air functions --------------------------------------------------- */

/* Evaluates the moist-air function `name` (SatPressure, HumidityRatio,
 * RelHumidity, DewPointFromPressure, DewPoint, TempFromHumidity, Enthalpy,
 * TempFromEnthalpy, HumidityFromEnthalpy, SatHumidityOnIsenthalp, Density,
 * RefDensity, ToStdVolume, ToActVolume, TempOnIsenthalp, KinViscosity,
 * Prandtl, Conductivity, CpDryAir, CpVapour, PressureFromAltitude,
 * AltitudeFromPressure) on args[0..count-1], as `tavro-calc fn` does.
 * TAVRO_UNKNOWN_NAME for another name, TAVRO_BAD_ARGUMENT for a wrong
 * count or an argument outside its physical range, TAVRO_CALCULATION_FAULT
 * for a result without physical meaning. args may be NULL when count is 0.
 * A message naming the problem goes to *error when error is not NULL
 * (free it with tavro_free). */
TAVRO_API int tavro_air_function(const char* name, const double* args, int count, double* result,
                                 char** error);

/* The mixture of two streams (humidity ratio g/kg, temperature °C, mass
 * flow kg/h of each, pressure hPa): its mass flow, temperature and
 * humidity ratio. */
TAVRO_API int tavro_mix_air(double x1, double t1, double m1, double x2, double t2, double m2,
                            double p, double* m, double* t, double* x, char** error);

/* ---- Frost check ----------------------------------------------------------- */

/* The frost check of the record (stream 1 the outside air, stream 2 the
 * return air), as `tavro-calc frost` prints it: the record is calculated
 * from its inputs first (on a copy; the handle's record stays as it is).
 * Out of the check:
 *   *has_limit     1 when the exchanger frosts with outside air above
 *                  -50 °C, 0 when it does not down to there;
 *   *limit         the frost limit, °C: outside air below it frosts the
 *                  exchanger; -50 when *has_limit is 0;
 *   *wall_min      the lowest wall temperature on the return-air side at
 *                  the record's own outside air, °C;
 *   *wall_unit     the unit in series it lies in, 1 for the unit the
 *                  outside air enters first;
 *   *wall_along1, *wall_along2  its place along the outside air's and the
 *                  return air's path through that unit, 0 at the inlet
 *                  face, 1 at the outlet face;
 *   *at_risk       1 when the record's outside air lies below the limit;
 *   *preheat       the heat that lifts the outside air 1 K above the limit,
 *                  kW; 0 when not at risk;
 *   *bypass_share  the share of the outside air (0..1) that must bypass the
 *                  exchanger so that the rest no longer frosts; 1 when no
 *                  bypass of up to 0.9 prevents frost, 0 when not at risk.
 * TAVRO_BAD_ARGUMENT when an out-pointer is NULL, TAVRO_CALCULATION_FAULT
 * when the calculation fails or the check cannot take its figures. */
TAVRO_API int tavro_record_frost(tavro_record* record, int* has_limit, double* limit,
                                 double* wall_min, int* wall_unit, double* wall_along1,
                                 double* wall_along2, int* at_risk, double* preheat,
                                 double* bypass_share);

/* ---- JSON ------------------------------------------------------------------ */

/* Runs one request in JSON, the commands of tavro-calc:
 *   {"command": "record", "args": {"Temp11": -12, "classify": 1, ...}}
 *   {"command": "fn", "args": ["HumidityRatio", 20, 50, 1013.25]}
 *   {"command": "product", "args": {"edge": 600, "width": 600, "ptype": 2}}
 *   {"command": "sizes", "args": {"pbar": 1013, ..., "minEta": 55}}
 *   {"command": "frost", "args": {"pbar": 1013, "Temp11": -15, ...}}
 * "args" is an object (KEY=VALUE arguments, in its order) or an array
 * (positional arguments); values are numbers, strings or booleans.
 * *response (never NULL on return, except when response is NULL) receives
 *   {"library_version", "format_version", "status", "result" or "error"}:
 * "result" is what `tavro-calc <command> --json` prints, "error" the
 * message of a failure; a record whose calculation failed carries both.
 * Returns the status also written as its name to "status". */
TAVRO_API int tavro_run_json(const char* request, char** response);

/* Runs one command line of tavro-calc (argv without the program name,
 * argc entries) and returns its exit status: 0 success, 1 the calculation
 * failed, 2 bad input. *out receives what the program prints on standard
 * output, *err what it prints on standard error (free both with tavro_free).
 * A negative return is minus a status: the call itself failed (NULL
 * pointers, an argument over 1 MiB, no memory) and *out and *err are NULL. */
TAVRO_API int tavro_run_command_line(int argc, const char* const* argv, char** out, char** err);

#ifdef __cplusplus
}
#endif

#endif /* TAVRO_TAVRO_H */
