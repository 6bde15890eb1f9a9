// Selection documents in JSON requests: the document object gives the
// input the command line's --selection gives from a file, and a bad
// document is refused with the field at fault.

#include "tavro/tavro.h"

#include "cli/commands.h"
#include "lib_test_support.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace tavro::lib_test {
namespace {

using Json = nlohmann::ordered_json;

// A selection document written by the command line's save: two units of
// design 20 in series, German, with a cooling case.
class JsonSelection : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        path_ = new std::string((std::filesystem::temp_directory_path() /
                                 ("tavro-json-selection-" + std::to_string(getpid()) + ".tavro"))
                                    .string());
        std::vector<std::string_view> args = {
            "save",       "AirState=0",   "AirQuant=0",       "pbar=1013",       "SVol11=4000",
            "Temp11=-12", "Phi11=90",     "SVol21=3600",      "Temp21=22",       "Phi21=40",
            "Edge=600",   "Width=600",    "PType=2",          "design=20",       "units=2",
            "lang=de",    "separators=,", "summer.Temp11=32", "summer.Phi11=40", "--out",
            *path_};
        std::ostringstream out, err;
        ASSERT_EQ(cli::Run(args, out, err), cli::kExitOk) << err.str();
        std::ifstream in(*path_);
        document_ = new Json(Json::parse(in));
    }
    static void TearDownTestSuite() {
        std::remove(path_->c_str());
        delete path_;
        delete document_;
    }

    static Json Run(const Json& request, int expected = TAVRO_OK) {
        char* response = nullptr;
        EXPECT_EQ(tavro_run_json(request.dump().c_str(), &response), expected) << request.dump();
        return Json::parse(Take(response));
    }

    // What the command line prints for `args` with --selection and --json.
    static Json CommandLine(std::vector<std::string_view> args) {
        args.push_back("--selection");
        args.push_back(*path_);
        args.push_back("--json");
        std::ostringstream out, err;
        cli::Run(args, out, err);
        return Json::parse(out.str());
    }

    static std::string* path_;
    static Json* document_;
};
std::string* JsonSelection::path_ = nullptr;
Json* JsonSelection::document_ = nullptr;

TEST_F(JsonSelection, GivesWhatTheCommandLineGivesFromTheFile) {
    struct Case {
        std::string command;
        bool shown;
        Json args;
        std::vector<std::string_view> commandLine;
    };
    const std::vector<Case> cases = {
        {"record", false, Json::object(), {"record", "classify=1"}},
        {"record", true, Json::object(), {"record", "--shown"}},
        {"check", false, Json::object(), {"check"}},
        {"sizes", false, Json::object(), {"sizes", "minEta=50"}},
        // Arguments beside the document override it.
        {"record", false, {{"Temp11", -5}}, {"record", "Temp11=-5", "classify=1"}},
        {"check", false, {{"design", 10}, {"lang", "en"}}, {"check", "design=10", "lang=en"}},
    };
    for (Case c : cases) {
        Json request = {{"command", c.command}, {"selection", *document_}};
        if (c.shown) request["shown"] = true;
        if (c.command == "record" && !c.shown) c.args["classify"] = 1;
        if (c.command == "sizes") c.args["minEta"] = 50;
        if (!c.args.empty()) request["args"] = c.args;
        const Json response = Run(request);
        EXPECT_EQ(response["status"], "ok") << response.dump();
        EXPECT_EQ(response["result"], CommandLine(c.commandLine)) << c.command;
    }
    // The document's design and units in series reach the size list, its
    // language the check.
    const Json check = Run({{"command", "check"}, {"selection", *document_}});
    EXPECT_EQ(check["result"]["design"], 20);
    const Json overridden =
        Run({{"command", "record"}, {"selection", *document_}, {"args", {{"Temp11", -5}}}});
    EXPECT_EQ(overridden["result"]["Temp11"], -5.0);
}

TEST_F(JsonSelection, BadDocumentsAreRefusedNamingTheField) {
    struct Bad {
        std::string pointer; // the JSON pointer changed, "" the whole document
        Json value;
        std::string message; // part of the error
    };
    const std::vector<Bad> cases = {
        {"/cases/0/inputs/Edge", "wide", "cases[0].inputs.Edge"},
        {"/cases/0/inputs/Edge", 123, "cases[0].inputs.Edge"},
        {"/formatVersion", 2, "formatVersion"},
        {"/device/design", 15, "device.design"},
        {"", Json::array(), "selection"},
        {"", "a.tavro", "selection"},
    };
    for (const Bad& b : cases) {
        Json document = *document_;
        if (b.pointer.empty()) {
            document = b.value;
        } else {
            document[Json::json_pointer(b.pointer)] = b.value;
        }
        const Json response =
            Run({{"command", "record"}, {"selection", document}}, TAVRO_BAD_ARGUMENT);
        EXPECT_EQ(response["status"], "bad_argument");
        EXPECT_NE(response["error"].get<std::string>().find(b.message), std::string::npos)
            << response["error"];
        EXPECT_FALSE(response.contains("result"));
    }
    Json missing = *document_;
    missing["cases"][0].erase("inputs");
    EXPECT_NE(Run({{"command", "check"}, {"selection", missing}}, TAVRO_BAD_ARGUMENT)["error"]
                  .get<std::string>()
                  .find("cases[0].inputs is missing"),
              std::string::npos);
    // Only the commands that read a document take one.
    for (const char* command : {"fn", "product", "frost", "save"}) {
        EXPECT_EQ(
            Run({{"command", command}, {"selection", *document_}}, TAVRO_BAD_ARGUMENT)["status"],
            "bad_argument")
            << command;
    }
}

} // namespace
} // namespace tavro::lib_test
