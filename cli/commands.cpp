#include "cli/commands.h"

#include "cli/command_support.h"

#include <ostream>
#include <sstream>
#include <string>

namespace tavro::cli {

namespace {

constexpr std::string_view kHelp =
    R"(tavro-calc: moist-air and plate heat exchanger calculations without the desktop program

Usage:
  tavro-calc fn NAME ARG...        evaluate one moist-air function
  tavro-calc record KEY=VALUE...   fill a calculation record, calculate it, print every field
  tavro-calc product KEY=VALUE...  plate distance, blocks, dimensions, weight and designation
  tavro-calc sizes KEY=VALUE...    the preselection: every catalogue size that meets the criteria
  tavro-calc --help                this text

Put --json right after the command to get one JSON object instead of text.

fn: NAME is one of the functions listed below with its arguments, in internal units
(°C, %, g/kg, hPa, Pa, kJ/kg, kg/m³, m³/h, kg/h, m). The result is printed with
17 significant digits; MixAir prints M t x.

record: KEY is any field of the calculation record by its exact name, for example
  tavro-calc record AirState=0 AirQuant=0 pbar=1013 SVol11=10000 Temp11=-12 Phi11=90 \
      SVol21=10000 Temp21=22 Phi21=40 Edge=600 Width=600 PType=2
The record starts from its defaults, gets the values, runs CalculateAll and prints
every field as Name=value in declared order. classify=1 also runs Calculate and the
energy classification (EtaE, HClass), as the Calculate command of the desktop
program does.

product: design (10, 20, 25, 30, 40, 60; default 10), units (1..4, default 1),
edge (a catalogue edge), width (package width, mm), ptype (plate type 1..6),
vbypass (bypass velocity, m/s, default 15), volume (outside air, m³/h, default 0):
  tavro-calc product design=20 units=1 edge=600 width=850 ptype=2 vbypass=15 volume=10000

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

Exit status: 0 success, 1 the calculation faulted, 2 bad input.
)";

} // namespace

int Run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    try {
        if (args.empty()) throw UsageError("missing command (tavro-calc --help describes them)");
        const std::string_view command = args[0];
        if (command == "--help" || command == "-h" || command == "help") {
            out << kHelp;
            PrintFunctionList(out);
            return kExitOk;
        }
        std::span<const std::string_view> rest = args.subspan(1);
        bool json = false;
        if (!rest.empty() && rest[0] == "--json") {
            json = true;
            rest = rest.subspan(1);
        }
        // Results are built in a buffer first so that a fault half-way
        // leaves standard output empty.
        std::ostringstream buffer;
        int status;
        if (command == "fn") {
            status = RunFunction(rest, json, buffer);
        } else if (command == "record") {
            status = RunRecord(rest, json, buffer);
        } else if (command == "product") {
            status = RunProduct(rest, json, buffer);
        } else if (command == "sizes") {
            status = RunSizes(rest, json, buffer);
        } else {
            throw UsageError("unknown command '" + std::string(command) +
                             "' (tavro-calc --help describes them)");
        }
        out << buffer.str();
        return status;
    } catch (const UsageError& e) {
        err << "tavro-calc: " << e.what() << '\n';
        return kExitBadInput;
    } catch (const ArithmeticFault& e) {
        err << "tavro-calc: " << (*e.what() ? e.what() : "arithmetic fault") << '\n';
        return kExitFault;
    } catch (const std::exception& e) {
        err << "tavro-calc: " << e.what() << '\n';
        return kExitFault;
    }
}

} // namespace tavro::cli
