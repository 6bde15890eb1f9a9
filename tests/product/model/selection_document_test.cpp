#include "product/model/selection_document.h"

#include "physics/record_fields.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

namespace tavro {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

// A calculated selection with both cases, every display option changed
// from its default and texts in five scripts.
SelectionState Sample() {
    SelectionState s;
    TDatenREK& r = s.record;
    r.AirState = 0;
    r.AirQuant = 0;
    r.pbar = 1013;
    r.SVol11 = 4000;
    r.Temp11 = -12;
    r.Phi11 = 90;
    r.SVol21 = 3600;
    r.Temp21 = 22;
    r.Phi21 = 40;
    r.Edge = 600;
    r.Width = 600;
    r.PType = 2;
    s.summer = RecordInputs(r);
    s.summer.Temp11 = 32;
    s.summer.Temp21 = 26;
    CalculateAsShown(s.record);
    CalculateAsShown(s.summer);
    s.resultsValid = true;
    s.seasonMode = 2;
    s.useSeasons = true;
    s.warnings = {3, 41};
    s.noErrors = false;
    s.dpLimit = 180;
    s.volumeReference = 1;
    s.show = {false, kRussian, {',', ' ', "€"}};
    s.eu = true;
    s.totalEff = true;
    s.hclass = false;
    s.wetBulb = true;
    s.frostCheck = false;
    s.design = 40;
    s.unitsInSeries = 2;
    s.height = 1210;
    s.width = 980;
    s.depth = 1150;
    s.weight = 123.4;
    s.caption = "Offer 17 \"Hall\" \\ tab\there";
    s.printOfferHeader = true;
    s.offerHeader = {"Müller GmbH", "Ωμέγα", "Заказ №5", "東京都", "עברית", "", "  spaces ", "😀"};
    s.notesDataSheet = {"first line", "", "Żółć ✓"};
    s.notesChart = {"h-x"};
    s.labels.designation = "Type: Tavro 40 / 600 / 600 - 2.5";
    s.labels.unitsInSeries = "(2 units in series)";
    s.labels.weight = "123";
    s.chart = {1, 3, 2, 950.5};
    return s;
}

TEST(SelectionDocument, RoundTripKeepsEveryFieldAndCharacter) {
    const SelectionState s = Sample();
    const std::string text = SelectionDocumentText(s, "tavro 1.0");
    const SelectionDocument doc = ReadSelectionDocument(text);
    EXPECT_EQ(doc.programVersion, "tavro 1.0");
    EXPECT_EQ(doc.formatVersion, kSelectionFormatVersion);
    EXPECT_TRUE(doc.state == s);
    EXPECT_EQ(doc.state.offerHeader, s.offerHeader);
    // Written again, the document is the same text.
    EXPECT_EQ(SelectionDocumentText(doc.state, "tavro 1.0"), text);
}

// Values that JSON has no number for are kept too.
TEST(SelectionDocument, RoundTripKeepsNonFiniteAndExtremeValues) {
    SelectionState s;
    s.record.Temp12 = std::numeric_limits<double>::quiet_NaN();
    s.record.Temp22 = std::numeric_limits<double>::infinity();
    s.record.Phi12 = -std::numeric_limits<double>::infinity();
    s.record.Eta1 = 0.1 + 0.2;
    s.record.X12 = std::numeric_limits<double>::denorm_min();
    const SelectionState back = ReadSelectionDocument(SelectionDocumentText(s, "")).state;
    EXPECT_TRUE(back == s);
    EXPECT_EQ(back.record.Eta1, 0.1 + 0.2);
    EXPECT_TRUE(std::isinf(back.record.Temp22));
}

TEST(SelectionDocument, ATextThatIsNotUtf8IsRefusedWhenWriting) {
    SelectionState s;
    s.notesChart = {"ok", "bad \xff"};
    try {
        (void)SelectionDocumentText(s, "");
        FAIL();
    } catch (const DocumentError& e) {
        EXPECT_EQ(e.field(), "texts");
    }
}

std::string Edited(const std::function<void(Json&)>& edit) {
    Json j = Json::parse(SelectionDocumentText(Sample(), "x"));
    edit(j);
    return j.dump();
}

struct BadCase {
    const char* name;
    std::string text;
    std::string field;   // expected DocumentError::field()
    std::string message; // a part of the message
};

// The frost check's key came after the first documents: without it the
// check is on, as the program starts.
TEST(SelectionDocument, FrostCheckKeyIsOptionalAndChecked) {
    EXPECT_FALSE(ReadSelectionDocument(SelectionDocumentText(Sample(), "x")).state.frostCheck);
    const std::string without = Edited([](Json& j) { j["display"].erase("frostCheck"); });
    EXPECT_TRUE(ReadSelectionDocument(without).state.frostCheck);
    try {
        (void)ReadSelectionDocument(Edited([](Json& j) { j["display"]["frostCheck"] = 1; }));
        ADD_FAILURE() << "a number for the frost check was read";
    } catch (const DocumentError& e) {
        EXPECT_EQ(e.field(), "display.frostCheck");
    }
}

TEST(SelectionDocument, BadDocumentsNameTheFieldAndTheProblem) {
    const std::vector<BadCase> cases = {
        {"empty", "", "", "not a JSON"},
        {"not JSON", "mediaType: tavro", "", "not a JSON"},
        {"cut short", SelectionDocumentText(Sample(), "x").substr(0, 500), "", "not a JSON"},
        {"JSON list", "[1, 2]", "", "not a JSON"},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11), "", "binary"},
        {"Latin-1 byte", "{\"a\": \"\xff\"}", "", "binary"},
        {"other media type", Edited([](Json& j) { j["mediaType"] = "text/plain"; }), "mediaType",
         "is not"},
        {"newer version", Edited([](Json& j) { j["formatVersion"] = 2; }), "formatVersion",
         "is 2, a version"},
        {"version as text", Edited([](Json& j) { j["formatVersion"] = "1"; }), "formatVersion",
         "must be a number"},
        {"missing design", Edited([](Json& j) { j["device"].erase("design"); }), "device.design",
         "is missing"},
        {"design 35", Edited([](Json& j) { j["device"]["design"] = 35; }), "device.design",
         "design the catalogue lacks"},
        {"edge 650", Edited([](Json& j) { j["cases"][0]["inputs"]["Edge"] = 650; }),
         "cases[0].inputs.Edge", "edge the catalogue lacks"},
        {"edge 300 with design 40", Edited([](Json& j) { j["cases"][1]["inputs"]["Edge"] = 300; }),
         "cases[1].inputs.Edge", "design 40"},
        {"plate type 9", Edited([](Json& j) { j["cases"][0]["inputs"]["PType"] = 9; }),
         "cases[0].inputs.PType", "out of its range"},
        {"flow 1e9", Edited([](Json& j) { j["cases"][0]["inputs"]["SVol11"] = 1e9; }),
         "cases[0].inputs.SVol11", "out of its range"},
        {"negative flow", Edited([](Json& j) { j["cases"][1]["inputs"]["MDry21"] = -1; }),
         "cases[1].inputs.MDry21", "out of its range"},
        {"flow NaN", Edited([](Json& j) { j["cases"][0]["inputs"]["Vol11"] = "NaN"; }),
         "cases[0].inputs.Vol11", "out of its range"},
        {"bypass velocity", Edited([](Json& j) { j["cases"][0]["inputs"]["AirVelBypass"] = 3; }),
         "cases[0].inputs.AirVelBypass", "out of its range"},
        {"byte field 300", Edited([](Json& j) { j["cases"][0]["inputs"]["AirState"] = 300; }),
         "cases[0].inputs.AirState", "out of its range"},
        {"fraction for an integer", Edited([](Json& j) { j["device"]["width"] = 1.5; }),
         "device.width", "whole number"},
        {"missing result", Edited([](Json& j) { j["cases"][0]["results"].erase("Temp12"); }),
         "cases[0].results.Temp12", "is missing"},
        {"result as list",
         Edited([](Json& j) { j["cases"][0]["results"]["Temp12"] = Json::array(); }),
         "cases[0].results.Temp12", "must be a number"},
        {"one case", Edited([](Json& j) { j["cases"].erase(1); }), "cases", "two operating cases"},
        {"language 5", Edited([](Json& j) { j["display"]["language"] = 5; }), "display.language",
         "without texts"},
        {"separator digit", Edited([](Json& j) { j["display"]["decimalSeparator"] = "7"; }),
         "display.decimalSeparator", "not be letters"},
        {"separator two characters",
         Edited([](Json& j) { j["display"]["thousandsSeparator"] = ".."; }),
         "display.thousandsSeparator", "one character"},
        {"seven header lines", Edited([](Json& j) { j["texts"]["offerHeader"].erase(7); }),
         "texts.offerHeader", "8 lines"},
        {"note as number", Edited([](Json& j) { j["texts"]["notesChart"][0] = 5; }),
         "texts.notesChart[0]", "must be a text"},
        {"other line", Edited([](Json& j) { j["cases"][0]["inputs"]["Line"] = "Corra"; }),
         "cases[0].inputs.Line", "product line"},
        {"deep nesting", std::string(100000, '[') + std::string(100000, ']'), "", ""},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            (void)ReadSelectionDocument(c.text);
            ADD_FAILURE() << "read";
        } catch (const DocumentError& e) {
            EXPECT_EQ(e.field(), c.field);
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            if (!c.field.empty()) {
                EXPECT_EQ(std::string(e.what()).rfind(c.field, 0), 0u);
            }
        }
    }
}

class DocumentFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tavro-doc-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    size_t Entries() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }
    fs::path dir_;
};

TEST_F(DocumentFile, SavedDocumentLoadsAsItWasAndReplacesTheOldOne) {
    const std::string path = Path("offer.tavro");
    SaveSelectionDocument(path, SelectionState{}, "v1");
    SaveSelectionDocument(path, Sample(), "v2");
    const SelectionDocument doc = LoadSelectionDocument(path);
    EXPECT_EQ(doc.programVersion, "v2");
    EXPECT_TRUE(doc.state == Sample());
    EXPECT_EQ(Entries(), 1u); // no temporary file left
}

TEST_F(DocumentFile, AFailedSaveLeavesTheOldDocument) {
    const std::string path = Path("offer.tavro");
    SaveSelectionDocument(path, Sample(), "v1");
    SelectionState bad = Sample();
    bad.caption = "\xc3";
    EXPECT_THROW(SaveSelectionDocument(path, bad, "v2"), DocumentError);
    EXPECT_EQ(LoadSelectionDocument(path).programVersion, "v1");
    EXPECT_THROW(SaveSelectionDocument(Path("missing/offer.tavro"), Sample(), "v"), DocumentError);
    EXPECT_THROW(SaveSelectionDocument(dir_.string(), Sample(), "v"), DocumentError);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(DocumentFile, FilesThatAreNoDocumentAreRefused) {
    EXPECT_THROW(LoadSelectionDocument(Path("none.tavro")), DocumentError);
    EXPECT_THROW(LoadSelectionDocument(dir_.string()), DocumentError);
    // A 100 MB file (sparse: nothing is written) is refused by its size.
    const std::string big = Path("big.tavro");
    { std::ofstream(big) << "{"; }
    fs::resize_file(big, 100u << 20);
    try {
        (void)LoadSelectionDocument(big);
        FAIL();
    } catch (const DocumentError& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
}

TEST(SelectionDocument, RecalculationListsTheFiguresThatDiffer) {
    SelectionState s = Sample();
    EXPECT_TRUE(RecalculationDifferences(s).empty());
    s.summer.Temp12 += 0.5;
    s.record.HClass = "Z";
    const std::vector<ResultDifference> d = RecalculationDifferences(s);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].operatingCase, 0);
    EXPECT_EQ(d[0].field, "HClass");
    EXPECT_TRUE(std::isnan(d[0].difference));
    EXPECT_EQ(d[1].operatingCase, 1);
    EXPECT_EQ(d[1].field, "Temp12");
    EXPECT_NEAR(d[1].difference, -0.5, 1e-12);
    // Differences within the tolerance are not listed.
    EXPECT_EQ(RecalculationDifferences(s, 0.1).size(), 1u);
    // With one case the cooling case is not looked at.
    s.seasonMode = 1;
    EXPECT_EQ(RecalculationDifferences(s).size(), 1u);
}

} // namespace
} // namespace tavro
