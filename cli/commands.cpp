#include "cli/commands.h"

#include "cli/command_support.h"

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace tavro::cli {

namespace {

constexpr std::string_view kHelp =
    R"(tavro-calc: moist-air and plate heat exchanger calculations without the desktop program

Usage:
  tavro-calc fn NAME ARG...        evaluate one moist-air function
  tavro-calc record KEY=VALUE...   fill a calculation record, calculate it, print every field
  tavro-calc record --shown KEY=VALUE...
                                   the four result tables of the record as the window shows them
  tavro-calc product KEY=VALUE...  plate distance, blocks, dimensions, weight and designation
  tavro-calc sizes KEY=VALUE...    the preselection: every catalogue size that meets the criteria
  tavro-calc check KEY=VALUE...    the limit messages the desktop program shows for a record
  tavro-calc frost KEY=VALUE...    the frost limit of a calculated exchanger and what prevents frost
  tavro-calc save KEY=VALUE... --out FILE
                                   calculate the record and write it as a selection document
  tavro-calc record --selection FILE [KEY=VALUE...]
                                   the input of a selection document (also check, sizes)
  tavro-calc sheet DOCUMENT ARG... render the pages of a selection document to PDF or PNG
                                   without a display (runs tavro-sheet, see tavro-sheet --help)
  tavro-calc --help                this text
  tavro-calc --version             the program's version and build

--json anywhere among the arguments prints one JSON object instead of text.

fn: NAME is one of the functions listed below with its arguments, in internal units
(°C, %, g/kg, hPa, Pa, kJ/kg, kg/m³, m³/h, kg/h, m). The result is printed with
17 significant digits; MixAir prints M t x. Temperatures below -273.15 °C, pressures
of 0 or less and negative humidities, flows and relative humidities are bad input;
a result that is not finite or has no physical meaning (a negative density, a
humidity ratio at or above the boiling point) is a failed calculation.

record: KEY is an input field of the calculation record by its exact name (the inlet
blocks ...11 and ...21, AirState, AirQuant, pbar, VolumeAt, Series, Units, Edge, SizeNo,
Width, PType, PlateGap, GapGiven, AirVelBypass, Line, EffStandard), for example
  tavro-calc record AirState=0 AirQuant=0 pbar=1013 SVol11=10000 Temp11=-12 Phi11=90 \
      SVol21=10000 Temp21=22 Phi21=40 Edge=600 Width=600 PType=2
The record starts from its defaults (pbar=0 among them), gets the values, runs
CalculateAll and prints every field as Name=value in declared order. classify=1 also
runs Calculate and the energy classification (EtaE, HClass), as the Calculate command
of the desktop program does. The inlet flows (SVol, Vol, MDry, MAir of 11 and 21) must
be more than 0 and at most 1e7, AirVelBypass from 5 to 15 m/s, and Line "Tavro" (the
line this program calculates; other text, text that is not UTF-8 or holds control
characters is refused). When the record's Status is not
0 after the run (a calculation stage failed), the record is printed all the same and
the exit status is 1.

record --shown: the cells of the main window's four result tables (inlet, velocity,
outlet, process) after its Calculate command, which also classifies the record: one
line "[table]" each, then one line per row with its cells separated by tabs (label,
stream 1, gap, stream 2, gap, unit; with a cooling case the label, the heating case's
two streams, the cooling case's two streams and the unit in ten cells); --json gives
{"inlet": [[...], ...], "velocity": ..., "outlet": ..., "process": ...}. Besides the
record's fields: summer.KEY=VALUE sets a field of the cooling case, which starts from
the heating case's fields and is shown beside it; units=si|ip (default si);
lang=en|de|fr|pl|zh|ru (default en); separators=DT, the decimal separator D and the
thousands separator T, or D alone for no grouping (default ".,"); eu=1 effectiveness
in place of the temperature efficiency; hclass=0 without the energy-class rows;
dplimit=N the pressure-drop limit in Pa (default 250; drops above 1.5 times it are not
shown); frost=1 the frost rows below the process data, as the window shows them with
its Frost check option: the frost limit of each case and, when a case's outside air
lies below it, the preheat and the bypass share that prevent frost (default 0).
classify= is taken and has no effect here.
  tavro-calc record --shown units=ip AirState=0 AirQuant=0 pbar=1013 SVol11=4000 \
      Temp11=-12 Phi11=90 SVol21=3600 Temp21=22 Phi21=40 Edge=600 Width=600 PType=2

product: design (10, 20, 25, 30, 40, 60; default 10), units (1..4, default 1),
edge (a catalogue edge), width (package width, 1..50000 mm), ptype (plate type 1..6),
vbypass (bypass velocity, 5..15 m/s, default 15), volume (outside air, 0..1e7 m³/h,
default 0):
  tavro-calc product design=20 units=1 edge=600 width=850 ptype=2 vbypass=15 volume=10000
A unit larger than 50000 mm in any direction cannot be built and is refused.

sizes: the record's air fields as record takes them, and the criteria minEta
(lowest Eta1Wet, %, default 55), maxDp (highest pressure drop, Pa, default 120),
widthMode (0 free, 1 outer width at most presetWidth, 2 outer width exactly
presetWidth; default 0), presetWidth (mm, default 1000), design (default 10),
units (in series, 1..4, default 1), vbypass (5..15 m/s, default the record's
AirVelBypass):
  tavro-calc sizes AirState=0 AirQuant=0 pbar=1013 SVol11=10000 Temp11=-12 Phi11=90 \
      SVol21=10000 Temp21=22 Phi21=40 minEta=55 maxDp=120
One tab-separated line per size after a header line: Edge Width PlateGap H B T
VMax DpMax Eta1Wet Eps1Wet Temp12 HClass (mm, m/s, Pa, %, °C); --json gives
{"rows": [...]} with the same names.

check: the record's fields as record takes them, and design (10, 20, 25, 30, 40, 60;
default 10), dplimit (the pressure-drop limit, whole Pa from 1; default the limit of
the record's Edge and Series, 250 Pa per unit up to edge 400, 450 Pa above), frost
(1: a record whose outside air lies below its frost limit raises warning 40 with the
preheat and bypass that prevent frost, as with the desktop program's Frost check
option; 0: no frost check; default 1) and lang (de, en, fr, pl, zh, ru or the code
1, 2, 3, 7, 8, 9; default en):
  tavro-calc check AirState=0 AirQuant=0 pbar=1013 SVol11=10000 Temp11=-12 Phi11=90 \
      SVol21=6000 Temp21=22 Phi21=40 Edge=600 Width=600 PType=2 design=30 lang=de
The record is calculated as record does (CalculateAll) and checked as Calculate in the
desktop program checks it: one tab-separated line per message (number, "error" or
"warning", text in SI units), nothing when the record is inside every limit; --json
gives {"messages": [{"number", "class", "text"}...], "error", "design", "dplimit",
"Status"}.
frost: the record's fields as record takes them (stream 1 the outside air, stream 2
the return air); the record is calculated, then checked for frost: where the return
air, cooled below its dew point on the plates, meets a wall below 0 °C, the
condensate freezes. Printed as Name=value: hasLimit and limit (the outside-air
temperature below which the exchanger frosts, °C, searched down to -50 °C; none
when there is no frost down to there), limitUnit (the unit in series that frosts
first); for the record's own outside air frost and frostUnit, wallMin (the lowest
wall temperature on the return-air side, °C), wallMinX (g/kg), wallMinUnit and its
place wallMinAlong1 and wallMinAlong2 (0 at the inlet face to 1 at the outlet face
of the outside-air and the return-air path), frostShare (share of the wall that
frosts, 0..1); atRisk (the outside air lies below the limit) and, when at risk,
preheatTemp and preheat (the preheat to 1 K above the limit, °C and kW),
bypassPrevents and bypassShare (the share of the outside air that must bypass the
exchanger, 0..1; 1 when no partial bypass prevents frost), bypassSupplyTemp (°C):
  tavro-calc frost AirState=0 AirQuant=0 pbar=1013 SVol11=10000 Temp11=-15 Phi11=90 \
      SVol21=10000 Temp21=22 Phi21=40 Edge=600 Width=600 PType=2
A record whose calculation fails (Status not 0) is a failed calculation.

save: writes the calculated selection as a selection document (JSON, media type
application/x-tavro+json; docs/selection-format.md describes it) to the file --out names,
replacing it as a whole. Keys: the record's fields as record takes them, summer.KEY=VALUE
(a cooling case, as with --shown), design (default 10), units (in series, 1..4, default 1),
system=si|ip, lang, separators, eu, hclass (as with --shown), dplimit (default the limit
of the record's Edge and Series), totaleff=0|1,
wetbulb=0|1, caption=TEXT, header1=TEXT .. header8=TEXT (offer header
caption/value pairs: date, offer number, project, position), note=TEXT and
chartnote=TEXT (a line of the data sheet's or the chart's notes, repeatable). A
calculation that fails writes nothing and exits with status 1:
  tavro-calc save AirState=0 AirQuant=0 pbar=1013 SVol11=4000 Temp11=-12 Phi11=90 \
      SVol21=3600 Temp21=22 Phi21=40 Edge=600 Width=600 PType=2 design=20 --out offer.tavro

--selection FILE: record, record --shown, check and sizes take their input from a
selection document: the heating case's record inputs; sizes also its design and units in
series; check its design, pressure-drop limit and language; record --shown its cooling
case and display options. KEY=VALUE given beside it
overrides the document. A document that cannot be read exits with status 2 and names
the field and its problem.

Exit status: 0 success; 1 the calculation failed (a fault, a result without physical
meaning, or a record whose Status is not 0); 2 bad input (one line on standard error,
nothing on standard output); 3 check raised an error-class limit message (the desktop
program would not calculate the record).
)";

} // namespace

int Run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    try {
        // --json and --shown may stand anywhere; every other argument keeps
        // its order.
        std::vector<std::string_view> rest;
        bool json = false;
        bool shown = false;
        // --out FILE and --selection FILE may stand anywhere too.
        std::string outPath, selectionPath;
        bool haveOut = false, haveSelection = false;
        for (size_t i = 0; i < args.size(); ++i) {
            const std::string_view arg = args[i];
            if (arg == "--out" || arg == "--selection") {
                if (i + 1 == args.size()) throw UsageError(std::string(arg) + " needs a file name");
                (arg == "--out" ? outPath : selectionPath) = std::string(args[++i]);
                (arg == "--out" ? haveOut : haveSelection) = true;
            } else if (arg == "--json") {
                json = true;
            } else if (arg == "--shown") {
                shown = true;
            } else {
                rest.push_back(arg);
            }
        }
        if (rest.empty()) throw UsageError("missing command (tavro-calc --help describes them)");
        const std::string_view command = rest.front();
        const std::span<const std::string_view> commandArgs =
            std::span<const std::string_view>(rest).subspan(1);
        if (command == "--help" || command == "-h" || command == "help") {
            out << kHelp;
            PrintFunctionList(out);
            return kExitOk;
        }
        if (command == "--version") {
            out << VersionLine() << '\n';
            return kExitOk;
        }
        for (std::string_view arg : commandArgs) {
            if (arg.starts_with("--")) {
                throw UsageError("unknown option '" + Printable(arg, 60) +
                                 "' (tavro-calc --help describes the options)");
            }
        }
        if (shown && command != "record") {
            throw UsageError("--shown belongs to the record command");
        }
        if (haveOut && command != "save") throw UsageError("--out belongs to the save command");
        if (haveSelection && command != "record" && command != "sizes" && command != "check") {
            throw UsageError("--selection belongs to the record, check and sizes commands");
        }
        // A selection document's input comes first; KEY=VALUE given beside
        // it overrides it.
        std::vector<std::string> documentArgs;
        std::vector<std::string_view> withDocument;
        std::span<const std::string_view> input = commandArgs;
        if (haveSelection) {
            documentArgs = SelectionArguments(selectionPath,
                                              shown ? std::string_view("record --shown") : command);
            withDocument.assign(documentArgs.begin(), documentArgs.end());
            withDocument.insert(withDocument.end(), commandArgs.begin(), commandArgs.end());
            input = withDocument;
        }
        // Results are built in a buffer first so that a fault half-way
        // leaves standard output empty.
        std::ostringstream buffer;
        Outcome outcome;
        if (command == "fn") {
            outcome = RunFunction(input, json, buffer);
        } else if (command == "record") {
            outcome = shown ? RunShownRecord(input, json, buffer) : RunRecord(input, json, buffer);
        } else if (command == "product") {
            outcome = RunProduct(input, json, buffer);
        } else if (command == "sizes") {
            outcome = RunSizes(input, json, buffer);
        } else if (command == "check") {
            outcome = RunCheck(input, json, buffer);
        } else if (command == "save") {
            outcome = RunSave(input, outPath, json, buffer);
        } else if (command == "frost") {
            outcome = RunFrost(input, json, buffer);
        } else {
            throw UsageError("unknown command '" + Printable(command, 60) +
                             "' (tavro-calc --help describes them)");
        }
        out << buffer.str();
        if (!outcome.problem.empty()) err << "tavro-calc: " << Printable(outcome.problem) << '\n';
        return outcome.status;
    } catch (const UsageError& e) {
        err << "tavro-calc: " << Printable(e.what()) << '\n';
        return kExitBadInput;
    } catch (const DimensionError& e) {
        // A unit that cannot be built is a matter of the input.
        err << "tavro-calc: " << Printable(e.what()) << '\n';
        return kExitBadInput;
    } catch (const ArithmeticFault& e) {
        err << "tavro-calc: " << (*e.what() ? Printable(e.what()) : "arithmetic fault") << '\n';
        return kExitFault;
    } catch (const Error& e) {
        err << "tavro-calc: " << Printable(e.what()) << '\n';
        return kExitFault;
    } catch (const std::bad_alloc&) {
        err << "tavro-calc: out of memory\n";
        return kExitFault;
    } catch (const std::exception& e) {
        err << "tavro-calc: internal error: " << Printable(e.what()) << '\n';
        return kExitFault;
    }
}

} // namespace tavro::cli
