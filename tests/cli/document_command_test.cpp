#include "cli/commands.h"

#include "product/model/selection_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace tavro::cli {
namespace {

namespace fs = std::filesystem;

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

const std::vector<std::string_view> kInput = {
    "AirState=0",  "AirQuant=0", "pbar=1013", "SVol11=4000", "Temp11=-12", "Phi11=90",
    "SVol21=3600", "Temp21=22",  "Phi21=40",  "Edge=600",    "Width=600",  "PType=2"};

std::vector<std::string_view> With(std::vector<std::string_view> head,
                                   const std::vector<std::string_view>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

class DocumentCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tavro-cli-doc-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "offer.tavro").string();
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
    std::string path_;
};

// What save writes, the model reads back: the inputs, the calculated
// results, the device and the options given.
TEST_F(DocumentCommand, SavedDocumentIsReadByTheModel) {
    const Result r =
        RunArgs(With({"save", "--out", path_.c_str(), "design=20", "units=2", "lang=pl",
                      "system=ip", "separators=, ", "wetbulb=1", "header1=Zamówienie 7",
                      "note=Ωμέγα", "note=東京", "summer.Temp11=32"},
                     kInput));
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const SelectionState s = LoadSelectionDocument(path_).state;
    EXPECT_EQ(s.design, 20);
    EXPECT_EQ(s.unitsInSeries, 2);
    EXPECT_EQ(s.show.language, kPolish);
    EXPECT_FALSE(s.show.si);
    EXPECT_EQ(s.show.separators.thousands, ' ');
    EXPECT_TRUE(s.wetBulb);
    EXPECT_EQ(s.offerHeader[0], "Zamówienie 7");
    EXPECT_EQ(s.notesDataSheet, (std::vector<std::string>{"Ωμέγα", "東京"}));
    EXPECT_EQ(s.seasonMode, 2);
    EXPECT_EQ(s.summer.Temp11, 32);
    EXPECT_TRUE(s.resultsValid);
    EXPECT_GT(s.height, 0);
    EXPECT_GT(s.record.Eta1, 0);
    EXPECT_TRUE(RecalculationDifferences(s).empty());
}

// units=N once stored a device of N units with figures of one unit: the
// program recalculated the opened document with N units and listed every
// figure as changed.
TEST_F(DocumentCommand, UnitsInSeriesAreTheRecordsSeries) {
    ASSERT_EQ(RunArgs(With({"save", "--out", path_.c_str(), "units=3"}, kInput)).status, 0);
    const SelectionState three = LoadSelectionDocument(path_).state;
    EXPECT_EQ(three.unitsInSeries, 3);
    EXPECT_EQ(three.record.Series, 3);
    EXPECT_EQ(three.summer.Series, 3);
    EXPECT_TRUE(RecalculationDifferences(three).empty());

    ASSERT_EQ(RunArgs(With({"save", "--out", path_.c_str(), "Series=2"}, kInput)).status, 0);
    EXPECT_EQ(LoadSelectionDocument(path_).state.unitsInSeries, 2);

    const Result clash =
        RunArgs(With({"save", "--out", path_.c_str(), "units=2", "Series=3"}, kInput));
    EXPECT_EQ(clash.status, kExitBadInput);
    EXPECT_NE(clash.err.find("units in series"), std::string::npos) << clash.err;
    EXPECT_EQ(LoadSelectionDocument(path_).state.unitsInSeries, 2) << "kept the old document";
}

// A document as input gives what its KEY=VALUEs give; KEY=VALUE beside it
// overrides it.
TEST_F(DocumentCommand, SelectionIsInputOfRecordAndSizes) {
    ASSERT_EQ(RunArgs(With({"save", "--out", path_.c_str(), "design=20"}, kInput)).status, 0);
    const std::string sel = path_;
    EXPECT_EQ(RunArgs({"record", "--selection", sel.c_str()}).out,
              RunArgs(With({"record"}, kInput)).out);
    EXPECT_EQ(RunArgs({"record", "--shown", "--selection", sel.c_str()}).out,
              RunArgs(With({"record", "--shown"}, kInput)).out);
    EXPECT_EQ(RunArgs({"sizes", "--selection", sel.c_str(), "minEta=50"}).out,
              RunArgs(With({"sizes", "design=20", "minEta=50"}, kInput)).out);
    EXPECT_EQ(RunArgs({"check", "--selection", sel.c_str()}).out,
              RunArgs(With({"check", "design=20"}, kInput)).out);
    EXPECT_EQ(RunArgs({"record", "--selection", sel.c_str(), "Temp11=-5"}).out,
              RunArgs(With(With({"record"}, kInput), {"Temp11=-5"})).out);
}

TEST_F(DocumentCommand, BadDocumentsAndArgumentsExitWithStatusTwo) {
    {
        std::ofstream(path_)
            << "{\"mediaType\": \"application/x-tavro+json\", \"formatVersion\": 9}";
    }
    const std::string sel = path_;
    const std::string missing = (dir_ / "none.tavro").string();
    const std::string noFolder = (dir_ / "no" / "x.tavro").string();
    const std::vector<std::vector<std::string_view>> cases = {
        {"record", "--selection", sel.c_str()},
        {"sizes", "--selection", missing.c_str()},
        {"record", "--selection"},
        {"product", "--selection", sel.c_str()},
        {"record", "--out", sel.c_str()},
        {"save", "SVol11=1000"},
        {"save", "--out", missing.c_str(), "bogus=1"},
        {"save", "--out", missing.c_str(), "note=a\tb"},
        {"save", "--out", missing.c_str(), "design=35"},
        With({"save", "--out", noFolder.c_str()}, kInput),
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(std::string(args[0]) + " " + std::string(args.back()));
        const Result r = RunArgs(args);
        EXPECT_EQ(r.status, kExitBadInput);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
    EXPECT_NE(RunArgs({"record", "--selection", sel.c_str()}).err.find("formatVersion is 9"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(missing));
}

// A calculation that fails does not replace a document with its remains.
TEST_F(DocumentCommand, FailedCalculationLeavesTheDocument) {
    ASSERT_EQ(RunArgs(With({"save", "--out", path_.c_str(), "caption=good"}, kInput)).status, 0);
    const Result r = RunArgs(With(With({"save", "--out", path_.c_str()}, kInput), {"Temp11=-300"}));
    EXPECT_EQ(r.status, kExitFault);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("nothing was written"), std::string::npos) << r.err;
    EXPECT_EQ(LoadSelectionDocument(path_).state.caption, "good");
}

} // namespace
} // namespace tavro::cli
