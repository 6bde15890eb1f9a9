#include "cli/commands.h"

#include "cli/command_support.h"

#include "physics/numeric/number_text.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace tavro::cli {
namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result RunArgs(std::vector<std::string_view> args) {
    std::ostringstream out, err;
    const int status = Run(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(Cli, FunctionPrintsSeventeenDigits) {
    const Result r = RunArgs({"fn", "HumidityRatio", "20", "50", "1013"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, "7.2580658427114217\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(RunArgs({"fn", "RefDensity"}).out.substr(0, 6), "1.2000");
    EXPECT_EQ(RunArgs({"fn", "SatPressure", "0"}).out, "611\n");
}

TEST(Cli, MixAirPrintsItsThreeResults) {
    const Result r = RunArgs({"fn", "MixAir", "5", "20", "1000", "5", "20", "1000", "1013"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out.substr(0, 5), "2000 ");
}

TEST(Cli, JsonOutput) {
    const Result fn = RunArgs({"fn", "--json", "SatPressure", "0"});
    EXPECT_EQ(fn.out, "{\"SatPressure\":611.0}\n");
    const Result rec = RunArgs({"record", "--json", "AirState=0", "pbar=1013", "SVol11=3000",
                                "Temp11=20", "Phi11=50", "SVol21=3000", "Temp21=20", "Phi21=50",
                                "Edge=600", "Width=600", "PType=2", "Line=Tavro"});
    ASSERT_EQ(rec.status, kExitOk) << rec.err;
    const auto j = nlohmann::ordered_json::parse(rec.out);
    EXPECT_NEAR(j["X11"].get<double>(), 7.258, 1e-3);
    EXPECT_EQ(j["Line"], "Tavro");
    EXPECT_EQ(j["Series"], 1);
    EXPECT_EQ(j.begin().key(), "Status"); // declared order, as the text output
    EXPECT_EQ(j.size(), 105u);
}

TEST(Cli, RecordPrintsEveryFieldInDeclaredOrder) {
    const Result r = RunArgs({"record", "AirState=0", "AirQuant=0", "pbar=1013", "SVol11=10000",
                              "Temp11=-12", "Phi11=90", "SVol21=10000", "Temp21=22", "Phi21=40",
                              "Edge=600", "Width=600", "PType=2"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> names;
    std::string line;
    while (std::getline(lines, line))
        names.push_back(line.substr(0, line.find('=')));
    ASSERT_GE(names.size(), 100u);
    EXPECT_EQ(names[0], "Status");
    EXPECT_EQ(names[1], "AirState");
    EXPECT_EQ(names[4], "SVol11");
    EXPECT_EQ(names.back(), "EffStandard");
    EXPECT_EQ(r.out.rfind("Status=0\n", 0), 0u);
    EXPECT_NE(r.out.find("\nEdge=600\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nX11=1.20493"), std::string::npos);
}

TEST(Cli, ProductPrintsTheSelection) {
    const Result r = RunArgs({"product", "design=20", "units=1", "edge=600", "width=850", "ptype=2",
                              "vbypass=15", "volume=10000"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.out, "PlateGap=5.5\nBlockCount=1\nBlockEdge=600\nPackageCount=1\nBypass=321\n"
                     "H=819\nB=1171\nT=819\nWeight=39\n"
                     "Designation=Type: Tavro 20 / 600 / 850 - 5.5 - BY 321\n");
    const Result j = RunArgs({"product", "--json", "edge=600", "width=600", "ptype=2"});
    ASSERT_EQ(j.status, kExitOk) << j.err;
    const auto parsed = nlohmann::ordered_json::parse(j.out);
    EXPECT_EQ(parsed["Weight"], 20);
    EXPECT_EQ(parsed["Designation"], "Type: Tavro 10 / 600 / 600 - 5.5");
}

TEST(Cli, RecordWithClassificationHasAHeatRecoveryClass) {
    const Result r = RunArgs({"record", "AirState=0", "AirQuant=0", "pbar=1013", "SVol11=10000",
                              "Temp11=-12", "Phi11=90", "SVol21=10000", "Temp21=22", "Phi21=40",
                              "Edge=1200", "Width=1200", "PType=2", "classify=1"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_NE(r.out.find("\nHClass=H"), std::string::npos);
    EXPECT_EQ(r.out.rfind("Status=0\n", 0), 0u);
}

const std::vector<std::string_view> kSizesAir = {
    "sizes",      "AirState=0", "AirQuant=0",   "pbar=1013", "SVol11=10000",
    "Temp11=-12", "Phi11=90",   "SVol21=10000", "Temp21=22", "Phi21=40"};

TEST(Cli, SizesListsTheCandidatesTabSeparated) {
    std::vector<std::string_view> args = kSizesAir;
    args.push_back("maxDp=120");
    const Result r = RunArgs(args);
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.err, "");
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line,
              "Edge\tWidth\tPlateGap\tH\tB\tT\tVMax\tDpMax\tEta1Wet\tEps1Wet\tTemp12\tHClass");
    int rows = 0;
    while (std::getline(lines, line)) {
        ++rows;
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            f.push_back(field);
        ASSERT_EQ(f.size(), 12u) << line;
        double dp = 0, eta = 0;
        ASSERT_TRUE(ParseDouble(f[7], dp)) << line;
        ASSERT_TRUE(ParseDouble(f[8], eta)) << line;
        EXPECT_GE(dp, 40);
        EXPECT_LE(dp, 120);
        EXPECT_GE(eta, 55);
        EXPECT_LE(eta, 75);
        EXPECT_EQ(f[11].substr(0, 1), "H");
    }
    EXPECT_GT(rows, 5);

    args.push_back("widthMode=2");
    args.push_back("presetWidth=1000");
    args.push_back("design=20");
    args.push_back("maxDp=200");
    args.push_back("minEta=40");
    args.insert(args.begin() + 1, "--json");
    const Result j = RunArgs(args);
    ASSERT_EQ(j.status, kExitOk) << j.err;
    const auto parsed = nlohmann::ordered_json::parse(j.out);
    ASSERT_FALSE(parsed["rows"].empty());
    for (const auto& row : parsed["rows"]) {
        EXPECT_EQ(row["B"], 1000);
        EXPECT_TRUE(row["HClass"].is_string());
        EXPECT_TRUE(row["Eps1Wet"].is_number());
    }
}

TEST(Cli, SizesOfAirThatCannotBeCalculatedIsAFault) {
    std::vector<std::string_view> args = kSizesAir;
    args.push_back("pbar=0");
    const Result r = RunArgs(args);
    EXPECT_EQ(r.status, kExitFault);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("inlet air"), std::string::npos) << r.err;
}

struct BadCase {
    std::vector<std::string_view> args;
    std::string message; // a part of the one-line message
};

TEST(Cli, BadInputGivesOneLineAndStatusTwo) {
    const BadCase cases[] = {
        {{}, "missing command"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"fn"}, "missing function name"},
        {{"fn", "Foo", "1"}, "unknown function 'Foo'"},
        {{"fn", "SatPressure"}, "SatPressure takes 1 argument (t), got 0"},
        {{"fn", "SatPressure", "1", "2"}, "takes 1 argument"},
        {{"fn", "HumidityRatio", "20", "5O", "1013"}, "'5O' is not a number"},
        {{"record", "Temp11"}, "'Temp11' is not KEY=VALUE"},
        {{"record", "=5"}, "is not KEY=VALUE"},
        {{"record", "Tmp11=5"}, "unknown field 'Tmp11'"},
        {{"record", "Temp11=warm"}, "Temp11: 'warm' is not a number"},
        {{"record", "Edge=6.5"}, "Edge: '6.5' is not an integer"},
        {{"record", "AirState=256"}, "AirState: '256' is not an integer from 0 to 255"},
        {{"record", "classify=2"}, "classify takes 0 or 1"},
        {{"product", "edge=600", "width=600"}, "edge, width and ptype are required"},
        {{"product", "design=26", "edge=600", "width=600", "ptype=2"}, "not a form of design"},
        {{"product", "design=25", "edge=300", "width=600", "ptype=2"},
         "edge 300 is not in the catalogue for design 25"},
        {{"product", "edge=610", "width=600", "ptype=2"}, "edge 610 is not in the catalogue"},
        {{"product", "edge=500", "width=600", "ptype=1"},
         "plate type 1 does not exist for edge 500"},
        {{"product", "edge=600", "width=600", "ptype=2", "colour=red"}, "unknown key 'colour'"},
        {{"product", "edge=600", "width=600", "ptype=2", "units=5"},
         "units: '5' is not an integer from 1 to 4"},
        {{"product", "edge=600", "width=600", "ptype=2", "vbypass=0"}, "from 5 to 15 m/s"},
        {{"product", "edge=600", "width=600", "ptype=2", "volume=-1"}, "from 0 to 10000000"},
        {{"product", "edge=600", "width=50001", "ptype=2"}, "from 1 to 50000"},
        {{"record", "SVol11=0"}, "SVol11: a flow must be more than 0 and at most 10000000"},
        {{"record", "MAir21=1e8"}, "MAir21: a flow must be more than 0"},
        {{"record", "AirVelBypass=1e-300"}, "from 5 to 15 m/s"},
        {{"record", "--jsn"}, "unknown option '--jsn'"},
        {{"record", "Tmp\n11=5"}, "unknown field 'Tmp\\x0a11'"},
        {{"fn", "Density", "-300", "1", "1013"}, "below absolute zero"},
        {{"record", "Eta1=50"}, "record: Eta1 is a result of the calculation, not an input"},
        {{"sizes", "HClass=H1"}, "sizes: HClass is a result of the calculation"},
        {{"fn", "HumidityRatio", "20", "50", "0"}, "more than 0 hPa"},
        {{"fn", "ToActVolume", "-1", "20", "5", "1013"}, "argument Vstd: must not be negative"},
        {{"sizes", "maxDp"}, "'maxDp' is not KEY=VALUE"},
        {{"sizes", "minEta=high"}, "minEta: 'high' is not a number"},
        {{"sizes", "minEta=120"}, "from 0 to 100 %"},
        {{"sizes", "maxDp=1.5"}, "maxDp: '1.5' is not an integer"},
        {{"sizes", "widthMode=3"}, "widthMode: '3' is not an integer from 0 to 2"},
        {{"sizes", "presetWidth=0"}, "presetWidth: '0' is not an integer"},
        {{"sizes", "design=35"}, "not a form of design"},
        {{"sizes", "units=0"}, "units: '0' is not an integer from 1 to 4"},
        {{"sizes", "vbypass=16"}, "from 5 to 15 m/s"},
        {{"sizes", "AirVelBypass=4"}, "from 5 to 15 m/s"},
        {{"sizes", "Temp11=cold"}, "Temp11: 'cold' is not a number"},
        {{"sizes", "colour=red"}, "unknown key 'colour'"},
        {{"check", "dplimit"}, "'dplimit' is not KEY=VALUE"},
        {{"check", "design=26"}, "check: design: 26 is not a form of design"},
        {{"check", "design=1e1"}, "check: design: '1e1' is not an integer"},
        {{"check", "dplimit=0"}, "check: dplimit: '0' is not an integer from 1 to 1000000"},
        {{"check", "dplimit=-250"}, "dplimit: '-250' is not an integer"},
        {{"check", "dplimit=nan"}, "dplimit: 'nan' is not an integer"},
        {{"check", "dplimit=99999999999999999999"}, "is not an integer from 1 to 1000000"},
        {{"check", "lang=xx"}, "check: lang: 'xx' is not a language"},
        {{"check", "lang="}, "check: lang: '' is not a language"},
        {{"check", "lang=DE"}, "'DE' is not a language"},
        {{"check", "lang=4"}, "'4' is not a language"}, // a menu entry without texts
        {{"check", "lang=en\x1b[2J"}, "'en\\x1b[2J' is not a language"},
        {{"check", "Tmp11=5"}, "check: unknown field 'Tmp11'"},
        {{"check", "Eta1=50"}, "check: Eta1 is a result of the calculation, not an input"},
        {{"check", "SVol21=0"}, "check: SVol21: a flow must be more than 0"},
    };
    for (const BadCase& c : cases) {
        const Result r = RunArgs(c.args);
        EXPECT_EQ(r.status, kExitBadInput) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
}

// `tavro-calc record` with the record's default pbar=0 printed Status=100
// and exited 0: a failed calculation reported as success to scripts.
TEST(Cli, RecordWithAFailedStageExitsOne) {
    for (const std::vector<std::string_view>& args :
         {std::vector<std::string_view>{"record"},
          {"record", "AirState=0", "AirQuant=0", "pbar=1013", "SVol11=10000", "Temp11=-12",
           "Phi11=90", "SVol21=10000", "Temp21=22", "Phi21=40", "Edge=600", "Width=0"},
          {"record", "--json", "classify=1", "AirState=1", "Temp11=2000", "SVol11=1",
           "SVol21=1"}}) {
        const Result r = RunArgs(args);
        EXPECT_EQ(r.status, kExitFault) << r.out;
        EXPECT_NE(r.out.find("Status"), std::string::npos); // printed for a look all the same
        EXPECT_NE(r.err.find("Status=100"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
}

// --json was refused anywhere but right after the command.
TEST(Cli, JsonIsAcceptedAnywhereAmongTheArguments) {
    const std::string expected = "{\"SatPressure\":611.0}\n";
    EXPECT_EQ(RunArgs({"--json", "fn", "SatPressure", "0"}).out, expected);
    EXPECT_EQ(RunArgs({"fn", "SatPressure", "--json", "0"}).out, expected);
    EXPECT_EQ(RunArgs({"fn", "SatPressure", "0", "--json"}).out, expected);
    const Result product =
        RunArgs({"product", "edge=600", "width=600", "--json", "ptype=2", "--json"});
    ASSERT_EQ(product.status, kExitOk) << product.err;
    EXPECT_EQ(nlohmann::ordered_json::parse(product.out)["Weight"], 20);
}

// `record --json Line=$'\xc3'` exited 1 with the JSON library's exception
// text; in text mode a line break in a value forged `Name=value` lines.
TEST(Cli, TextFieldsTakeOnlyUtf8WithoutControlCharacters) {
    const BadCase cases[] = {
        {{"record", "--json", "Line=\xc3"}, "Line: the text is not valid UTF-8"},
        {{"record", "Line=\xe2\x82"}, "Line: the text is not valid UTF-8"},
        {{"record", "Line=\xed\xa0\x80"}, "not valid UTF-8"}, // a surrogate
        {{"record", "Line=\xc0\xaf"}, "not valid UTF-8"},     // an overlong '/'
        {{"record", "Line=Tavro\nStatus=0"}, "Line: the text holds a control character"},
        {{"record", "Line=Tavro\rStatus=0"}, "control character"},
        {{"record", "Line=a\tb"}, "control character"},
        {{"sizes", "Line=\xc2\x85"}, "control character"}, // U+0085, the next-line character
    };
    for (const BadCase& c : cases) {
        const Result r = RunArgs(c.args);
        EXPECT_EQ(r.status, kExitBadInput) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
        EXPECT_EQ(r.err.find("json.exception"), std::string::npos) << r.err;
    }
    // Text in other scripts is fine as text; a line other than Tavro is not
    // calculated and came back with Status 0 and no results.
    EXPECT_TRUE(IsValidUtf8("Tavro Łódź Ω 中"));
    EXPECT_FALSE(HasControlCharacter("Tavro Łódź Ω 中"));
    const Result other = RunArgs({"record", "Line=Corra"});
    EXPECT_EQ(other.status, kExitBadInput);
    EXPECT_NE(other.err.find("only Tavro"), std::string::npos) << other.err;
}

// The bypass of 1e-300 m/s gave Bypass 2147483647, B -2147483049 and a
// weight of -16666586 with exit 0.
TEST(Cli, ProductBeyondAnyBuildableUnitIsRefused) {
    for (const std::vector<std::string_view>& args :
         {std::vector<std::string_view>{"product", "design=25", "edge=600", "width=600", "ptype=2",
                                        "vbypass=1e-300", "volume=10000"},
          {"product", "design=20", "edge=200", "width=600", "ptype=2", "vbypass=5",
           "volume=10000000"},
          {"product", "design=40", "edge=600", "width=50000", "ptype=2"}}) {
        const Result r = RunArgs(args);
        EXPECT_EQ(r.status, kExitBadInput) << r.out;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("tavro-calc: product: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
}

// Results without physical meaning were printed as results: the humidity
// ratio at the boiling point came out negative.
TEST(Cli, FunctionResultWithoutPhysicalMeaningIsAFailure) {
    for (const std::vector<std::string_view>& args :
         {std::vector<std::string_view>{"fn", "HumidityRatio", "80", "100", "300"},
          {"fn", "HumidityFromEnthalpy", "0", "20"},
          {"fn", "KinViscosity", "-200"}}) {
        const Result r = RunArgs(args);
        EXPECT_EQ(r.status, kExitFault) << r.out;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("no physical result"), std::string::npos) << r.err;
    }
}

TEST(Cli, VersionNamesTheProgramVersionAndTheBuild) {
    const Result r = RunArgs({"--version"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out.rfind("tavro-calc 4.2, 11/2016 (build 1.0.0, ", 0), 0u) << r.out;
    EXPECT_EQ(r.out.back(), '\n');
    EXPECT_EQ(RunArgs({"--json", "--version"}).out, r.out);
}

TEST(Cli, CalculationFaultIsStatusOne) {
    const Result r = RunArgs({"fn", "SatPressure", "1e200"});
    EXPECT_EQ(r.status, kExitFault);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("SatPressure"), std::string::npos);
}

TEST(Cli, HelpDescribesTheCommands) {
    const Result r = RunArgs({"--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_NE(r.out.find("tavro-calc fn NAME"), std::string::npos);
    EXPECT_NE(r.out.find("tavro-calc record KEY=VALUE"), std::string::npos);
    EXPECT_NE(r.out.find("tavro-calc sizes KEY=VALUE"), std::string::npos);
    EXPECT_NE(r.out.find("tavro-calc check KEY=VALUE"), std::string::npos);
    EXPECT_NE(r.out.find("TempOnIsenthalp t x p phi"), std::string::npos);
    EXPECT_NE(r.out.find("tavro-calc --version"), std::string::npos);
    EXPECT_NE(r.out.find("--json anywhere"), std::string::npos);
}

// Air of 10000 m³/h against a return flow, through a 1200 mm exchanger.
std::vector<std::string_view> CheckArgs(std::initializer_list<std::string_view> more) {
    std::vector<std::string_view> args = {"check",        "AirState=0", "AirQuant=0", "pbar=1013",
                                          "SVol11=10000", "Temp11=-12", "Phi11=90",   "Temp21=22",
                                          "Phi21=40",     "Edge=1200",  "Width=1200", "PType=2"};
    args.insert(args.end(), more);
    return args;
}

TEST(Cli, CheckPrintsTheLimitMessagesOfTheRecord) {
    struct Case {
        std::vector<std::string_view> args;
        int status;
        std::string out;
    };
    const std::string ratioDe = "7\twarning\tDas Verh\u00e4ltnis der Luftmengen liegt nicht im "
                                "empfohlenen Bereich von 0.66 bis 1.50 !\n";
    const Case cases[] = {
        {CheckArgs({"SVol21=10000"}), kExitOk, ""},
        {CheckArgs({"SVol21=6000"}), kExitOk,
         "7\twarning\tThe ratio of the air quantities is not in the recommended range 0.66 .. "
         "1.50 !\n"},
        {CheckArgs({"SVol21=6000", "lang=de"}), kExitOk, ratioDe},
        {CheckArgs({"SVol21=6000", "lang=1"}), kExitOk, ratioDe},
        {CheckArgs({"SVol21=4000"}), kExitLimitError,
         "8\terror\tThe ratio of the air quantities is not in the recommended range 0.66 .. "
         "1.50 !\n"},
        // A housing needs an edge of 400 mm or more.
        {CheckArgs({"SVol11=2000", "SVol21=2000", "Edge=300", "Width=1000", "design=30"}),
         kExitLimitError,
         "10\terror\tThe selected form of design is not available for edge dimensions 200 "
         "and 300 mm!\n"},
        {CheckArgs({"SVol11=2000", "SVol21=2000", "Edge=300", "Width=1000", "design=20"}), kExitOk,
         ""},
        // A stage that failed (no plate type 1 on this edge) leaves no
        // velocity: the record is refused, not passed.
        {CheckArgs({"SVol11=2000", "SVol21=2000", "Edge=300", "Width=1000", "PType=1"}),
         kExitLimitError, "6\terror\tThe face air velocity is not in the range 0.5 .. 3.5 m/s !\n"},
        // The same pressure drop against a given limit and the default one.
        {CheckArgs({"SVol21=10000", "dplimit=40"}), kExitLimitError,
         "12\terror\tThe pressure drop is too high!\n"},
        {CheckArgs({"SVol21=10000", "Temp11=-31", "Phi21=101", "lang=en"}), kExitLimitError,
         "1\terror\tThe temperature is not in the range -30 .. 80\u00b0C !\n"
         "4\terror\tThe relative humidity is not in the range 0 .. 90% !\n"},
    };
    // Outside air at -12 °C frosts these exchangers: by default the frost
    // warning follows the other messages; frost=0 leaves them alone.
    for (const Case& c : cases) {
        std::vector<std::string_view> off = c.args;
        off.push_back("frost=0");
        const Result r = RunArgs(off);
        EXPECT_EQ(r.status, c.status) << c.out;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
        const Result on = RunArgs(c.args);
        EXPECT_EQ(on.status, c.status) << c.out;
        ASSERT_EQ(on.out.rfind(c.out, 0), 0u) << on.out;
        const std::string frost = on.out.substr(c.out.size());
        EXPECT_TRUE(frost.empty() || frost.rfind("40\twarning\t", 0) == 0) << frost;
    }
}

TEST(Cli, CheckAsJsonNamesTheLimitItJudgedBy) {
    std::vector<std::string_view> args = CheckArgs({"SVol21=4000", "--json", "lang=zh"});
    Result r = RunArgs(args);
    EXPECT_EQ(r.status, kExitLimitError) << r.err;
    const auto j = nlohmann::ordered_json::parse(r.out);
    ASSERT_EQ(j["messages"].size(), 2u); // and the frost warning, 40
    EXPECT_EQ(j["messages"][1]["number"], 40);
    EXPECT_EQ(j["messages"][0]["number"], 8);
    EXPECT_EQ(j["messages"][0]["class"], "error");
    EXPECT_NE(j["messages"][0]["text"].get<std::string>().find("0.66"), std::string::npos);
    EXPECT_EQ(j["error"], true);
    EXPECT_EQ(j["design"], 10);
    EXPECT_EQ(j["dplimit"], 450); // one unit of an edge above 400 mm
    EXPECT_EQ(j["Status"], 0);
    r = RunArgs(CheckArgs({"SVol21=10000", "--json", "Series=2", "Edge=400", "Width=400"}));
    const auto small = nlohmann::ordered_json::parse(r.out);
    EXPECT_EQ(small["dplimit"], 500);
}

// The real executable: exit status and the split of the two streams.
TEST(CliExecutable, ExitStatusAndStreams) {
    const std::string exe = TAVRO_CALC_PATH;
    auto run = [&](const std::string& args, std::string& out) {
        FILE* pipe = popen((exe + " " + args + " 2>/dev/null").c_str(), "r");
        EXPECT_NE(pipe, nullptr);
        out.clear();
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
            out.append(buf, n);
        const int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string out;
    EXPECT_EQ(run("fn HumidityRatio 20 50 1013", out), 0);
    double x = 0;
    ASSERT_TRUE(ParseDouble(out.substr(0, out.size() - 1), x));
    EXPECT_NEAR(x, 7.258, 1e-3);
    EXPECT_EQ(run("fn NoSuchFunction", out), 2);
    EXPECT_EQ(out, "");
    EXPECT_EQ(run("record Temp11=abc", out), 2);
    EXPECT_EQ(out, "");
    EXPECT_EQ(run("record", out), 1); // pbar=0: the inlet stage fails
    EXPECT_EQ(out.rfind("Status=100\n", 0), 0u);
    EXPECT_EQ(run("--version", out), 0);
    EXPECT_EQ(out.rfind("tavro-calc 4.2", 0), 0u);
    const std::string air = "check AirState=0 AirQuant=0 pbar=1013 SVol11=10000 Temp11=-12 "
                            "Phi11=90 Temp21=22 Phi21=40 Edge=1200 Width=1200 PType=2 ";
    EXPECT_EQ(run(air + "SVol21=10000 frost=0", out), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(run(air + "SVol21=10000", out), 0); // the frost warning alone
    EXPECT_EQ(out.rfind("40\twarning\t", 0), 0u);
    EXPECT_EQ(run(air + "SVol21=6000", out), 0); // a warning alone
    EXPECT_EQ(out.rfind("7\twarning\t", 0), 0u);
    EXPECT_EQ(run(air + "SVol21=4000 --json", out), 3);
    EXPECT_EQ(nlohmann::json::parse(out)["error"], true);
    EXPECT_EQ(run(air + "SVol21=10000 dplimit=x", out), 2);
    EXPECT_EQ(out, "");
}

} // namespace
} // namespace tavro::cli
