// The command line of the page renderer: what each option sets and every
// way a command line is refused.

#include "app/sheet/sheet_arguments.h"

#include "shell/texts/languages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavro::sheet {
namespace {

using Args = std::vector<std::string>;

TEST(SheetArguments, OptionsSetWhatTheyName) {
    const SheetArguments a =
        ParseSheetArguments({"--lang", "ru", "a.tavro", "--pdf", "a.pdf", "--png", "p", "--dpi",
                             "72", "--pages", "chart,sheet", "--units", "ip"});
    EXPECT_EQ(a.document, "a.tavro");
    EXPECT_EQ(a.pdf, "a.pdf");
    EXPECT_EQ(a.pngPrefix, "p");
    EXPECT_EQ(a.dpi, 72);
    EXPECT_EQ(a.pages, (std::vector<SheetPage>{SheetPage::Chart, SheetPage::DataSheet}));
    EXPECT_EQ(a.language, kRussian);
    EXPECT_EQ(a.si, false);
}

TEST(SheetArguments, DefaultsAreTheDataSheetInTheDocumentsLanguageAndUnits) {
    const SheetArguments a = ParseSheetArguments({"a.tavro", "--png", "p"});
    EXPECT_EQ(a.pages, std::vector<SheetPage>{SheetPage::DataSheet});
    EXPECT_EQ(a.dpi, 150);
    EXPECT_FALSE(a.language);
    EXPECT_FALSE(a.si);
    EXPECT_TRUE(a.pdf.empty());
    EXPECT_TRUE(ParseSheetArguments({"x", "--help", "--bogus"}).help);
    EXPECT_TRUE(ParseSheetArguments({"--version"}).version);
}

TEST(SheetArguments, BadCommandLinesAreRefusedNamingTheArgument) {
    const struct {
        Args args;
        std::string names;
    } cases[] = {
        {{}, "no selection document"},
        {{"a.tavro"}, "nothing to write"},
        {{"a.tavro", "b.tavro", "--pdf", "x"}, "b.tavro"},
        {{"a.tavro", "--pdf"}, "--pdf needs a value"},
        {{"a.tavro", "--pdf", ""}, "--pdf needs a value"},
        {{"a.tavro", "--pdf", "x", "--frobnicate"}, "--frobnicate"},
        {{"a.tavro", "--pdf", "x", "--dpi", "29"}, "--dpi"},
        {{"a.tavro", "--pdf", "x", "--dpi", "601"}, "--dpi"},
        {{"a.tavro", "--pdf", "x", "--dpi", "150dpi"}, "--dpi"},
        {{"a.tavro", "--pdf", "x", "--dpi", "-1"}, "--dpi"},
        {{"a.tavro", "--pdf", "x", "--pages", "sheet,sheet"}, "named twice"},
        {{"a.tavro", "--pdf", "x", "--pages", "sheet,"}, "unknown page ''"},
        {{"a.tavro", "--pdf", "x", "--pages", "cover"}, "unknown page 'cover'"},
        {{"a.tavro", "--pdf", "x", "--lang", "it"}, "'it'"},
        {{"a.tavro", "--pdf", "x", "--lang", "EN"}, "'EN'"},
        {{"a.tavro", "--pdf", "x", "--units", "metric"}, "'metric'"},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const std::string& a : c.args)
            joined += a + " ";
        SCOPED_TRACE(joined);
        try {
            ParseSheetArguments(c.args);
            ADD_FAILURE() << "accepted";
        } catch (const ArgumentError& e) {
            EXPECT_NE(std::string(e.what()).find(c.names), std::string::npos) << e.what();
        }
    }
}

} // namespace
} // namespace tavro::sheet
