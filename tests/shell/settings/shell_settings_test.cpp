#include "shell/settings/shell_settings.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <latch>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace tavro {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

namespace fs = std::filesystem;

// The key names of the file in file order, "[Section]" lines included.
std::vector<std::string> KeysInOrder(const std::string& text) {
    std::vector<std::string> keys;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) continue;
        keys.push_back(line.front() == '[' ? line : line.substr(0, line.find('=')));
    }
    return keys;
}

ShellReadContext Context(bool haveRecord = true) {
    ShellReadContext ctx;
    ctx.decimalSeparator = ',';
    ctx.thousandSeparator = '.';
    ctx.haveRecord = haveRecord;
    ctx.today = "24.11.2016";
    return ctx;
}

// Every field away from its default.
ShellSettings Changed() {
    ShellSettings s;
    s.SI = false;
    s.EU = true;
    s.TotalEff = true;
    s.HCLASS = false;
    s.WB_DB = true;
    s.Mollier = false;
    s.DecimalSeparator = ',';
    s.ThousandSeparator = '\'';
    s.pbar = 955.5;
    s.AirQuant = 1;
    s.AirState = 7;
    s.Seasons = true;
    s.PrintHeader = true;
    s.Header = {"Date", "1.1.2000", "Offer", "A-17", "Project", "Hospital", "Position", "RLT 3"};
    s.NotesData = {"note 1", "note 2", "note 3"};
    s.NotesChart = {"chart 1", "", "chart 3"};
    s.FrostCheck = false;
    return s;
}

TEST(ShellSettings, OldFileVersionsLoseTheProductSection) {
    const struct {
        const char* version; // nullptr: no version key
        bool kept;
    } cases[] = {
        {"200409", false}, {"199901", false}, {nullptr, false}, {"200410", true}, {"201611", true}};
    for (const auto& c : cases) {
        TempDir dir;
        TIniDatei ini(kSettingsFileName, dir.path());
        std::string text = "[Global]\nLanguage=3\n";
        if (c.version) text += std::string("Version=") + c.version + "\n";
        WriteFile(ini.Path(), text + "[Tavro]\nSI=0\nEdge=300\n[Other]\nSI=0\n");
        const ShellSettings s = ReadShellSettings(ini, "Tavro", Context());
        const char* v = c.version ? c.version : "(none)";
        EXPECT_EQ(s.SI, !c.kept) << v;
        EXPECT_EQ(ini.ValueExists("Tavro", "Edge"), c.kept) << v;
        EXPECT_EQ(ini.ReadInteger("Other", "SI", 1), 0) << v;
        EXPECT_EQ(ini.ReadInteger("GLOBAL", "Language", 0), 3) << v;
    }
}

TEST(ShellSettings, PressureIsClampedAndMassFlowModeStartsAsStandardVolume) {
    const struct {
        const char* pbar;
        double wantPbar;
        const char* airQuant;
        int wantAirQuant;
    } cases[] = {
        {"500", 600, "3", 0},
        {"1200", 1100, "1", 1},
        {"abc", 1013, "0", 0},
        {"", 1013, "abc", 0},
        {"955.5", 955.5, "2", 2},
        {"600", 600, "7", 7},
        {"1100.0000000000", 1100, "-1", -1},
    };
    for (const auto& c : cases) {
        TempDir dir;
        TIniDatei ini(kSettingsFileName, dir.path());
        WriteFile(ini.Path(), std::string("[GLOBAL]\nVersion=201611\n[Tavro]\npbar=") + c.pbar +
                                  "\nAirQuant=" + c.airQuant + "\n");
        const ShellSettings s = ReadShellSettings(ini, "Tavro", Context());
        EXPECT_EQ(s.pbar, c.wantPbar) << c.pbar;
        EXPECT_EQ(s.AirQuant, c.wantAirQuant) << c.airQuant;
    }
}

TEST(ShellSettings, WithoutARecordPressureModesAndSeasonsKeepTheirDefaults) {
    TempDir dir;
    TIniDatei ini(kSettingsFileName, dir.path());
    WriteFile(ini.Path(), "[GLOBAL]\nVersion=201611\n[Tavro]\npbar=900\nAirQuant=1\nAirState=7\n"
                          "Seasons=1\nPrintHeader=1\n");
    const ShellSettings s = ReadShellSettings(ini, "Tavro", Context(false));
    const ShellSettings d;
    EXPECT_EQ(s.pbar, d.pbar);
    EXPECT_EQ(s.AirQuant, d.AirQuant);
    EXPECT_EQ(s.AirState, d.AirState);
    EXPECT_EQ(s.Seasons, d.Seasons);
    EXPECT_TRUE(s.PrintHeader);

    // Nor are the record's values written without it.
    TempDir fresh;
    TIniDatei out(kSettingsFileName, fresh.path());
    ASSERT_TRUE(WriteShellSettings(out, "Tavro", Changed(), false));
    EXPECT_FALSE(out.ValueExists("Tavro", "pbar"));
    EXPECT_FALSE(out.ValueExists("Tavro", "AirQuant"));
    EXPECT_FALSE(out.ValueExists("Tavro", "AirState"));
    EXPECT_TRUE(out.ReadBool("Tavro", "Seasons", false));
}

TEST(ShellSettings, FirstStartGivesDefaultsAndTheProcessSeparators) {
    TempDir dir;
    TIniDatei ini(kSettingsFileName, dir.path());
    ShellSettings want;
    want.DecimalSeparator = ',';
    want.ThousandSeparator = '.';
    want.Header[1] = "24.11.2016";
    EXPECT_EQ(ReadShellSettings(ini, "Tavro", Context()), want);

    // Separators stored empty keep the process's ones as well.
    WriteFile(ini.Path(), "[GLOBAL]\nVersion=201611\n[Tavro]\nDecimalSeparator=\n"
                          "ThousandSeparator=\nSI=0\n");
    const ShellSettings s = ReadShellSettings(ini, "Tavro", Context());
    EXPECT_EQ(s.DecimalSeparator, ',');
    EXPECT_EQ(s.ThousandSeparator, '.');
    EXPECT_FALSE(s.SI);
}

TEST(ShellSettings, SeparatorsThatWouldGarbleNumbersGiveTheProcessOnes) {
    // The process's separators are ',' and '.'.
    struct Case {
        const char* decimal;
        const char* thousands;
        char wantDecimal;
        char wantThousands;
    };
    const Case cases[] = {
        {"0", ";", ',', ';'},                               // a digit as decimal separator
        {"5", "'", ',', '\''},                              // likewise
        {"e", "'", ',', '\''},                              // the exponent letter
        {"x", "'", ',', '\''},                              // a letter
        {"-", "'", ',', '\''},                              // a sign
        {"\xC2\xB7", "'", ',', '\''},                       // a middle dot: non-ASCII bytes
        {"'", "\x01", '\'', '.'},                           // a control byte groups nothing
        {"'", "+", '\'', '.'},        {";", ";", ',', '.'}, // the same: both are replaced
        {".", "x", ',', '.'},  // '.' alone is fine, the process's ',' then clashes
        {".", "'", '.', '\''}, // a usable pair stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.decimal) + " " + c.thousands);
        TempDir dir;
        TIniDatei ini(kSettingsFileName, dir.path());
        WriteFile(ini.Path(), std::string("[GLOBAL]\nVersion=201611\n[Tavro]\nDecimalSeparator=") +
                                  c.decimal + "\nThousandSeparator=" + c.thousands + "\n");
        const ShellSettings s = ReadShellSettings(ini, "Tavro", Context());
        EXPECT_EQ(s.DecimalSeparator, c.wantDecimal);
        EXPECT_EQ(s.ThousandSeparator, c.wantThousands);
    }
}

TEST(ShellSettings, AllowedSeparatorsSurviveTheFile) {
    for (char decimal : {'.', ',', '\'', ';', '#', '=', '"', '[', '/'}) {
        SCOPED_TRACE(decimal);
        TempDir dir;
        TIniDatei ini(kSettingsFileName, dir.path());
        ShellSettings s = Changed();
        s.DecimalSeparator = decimal;
        s.ThousandSeparator = decimal == '\'' ? '.' : '\'';
        ASSERT_TRUE(WriteShellSettings(ini, "Tavro", s, true));
        const ShellSettings back = ReadShellSettings(ini, "Tavro", Context());
        EXPECT_EQ(back.DecimalSeparator, s.DecimalSeparator);
        EXPECT_EQ(back.ThousandSeparator, s.ThousandSeparator);
    }
}

TEST(ShellSettings, BlankThousandsSeparatorSurvivesARestart) {
    TempDir dir;
    TIniDatei ini(kSettingsFileName, dir.path());
    ShellSettings s = Changed();
    s.DecimalSeparator = ',';
    s.ThousandSeparator = ' ';
    ASSERT_TRUE(WriteShellSettings(ini, "Tavro", s, true));
    EXPECT_EQ(ReadShellSettings(ini, "Tavro", Context()).ThousandSeparator, ' ');
}

TEST(ShellSettings, HeaderLineOneIsAlwaysToday) {
    TempDir dir;
    TIniDatei ini(kSettingsFileName, dir.path());
    WriteFile(ini.Path(), "[GLOBAL]\nVersion=201611\n[Tavro]\nHeader0=Date\nHeader1=01.01.2000\n"
                          "Header2=Offer\n");
    const ShellSettings s = ReadShellSettings(ini, "Tavro", Context());
    EXPECT_EQ(s.Header[0], "Date");
    EXPECT_EQ(s.Header[1], "24.11.2016");
    EXPECT_EQ(s.Header[2], "Offer");
    EXPECT_EQ(ini.ReadString("Tavro", "Header1", ""), "01.01.2000");
}

TEST(ShellSettings, WriteStoresTheKeysInOrderWithAPointInThePressure) {
    TempDir dir;
    TIniDatei ini(kSettingsFileName, dir.path());
    ShellSettings s = Changed();
    s.pbar = 1013;
    ASSERT_TRUE(WriteShellSettings(ini, "Tavro", s, true));
    const std::string text = ReadFile(ini.Path());
    EXPECT_NE(text.find("\nDecimalSeparator=,\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\npbar=1013.0000000000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[GLOBAL]\nVersion=201611\n"), std::string::npos) << text;
    const std::vector<std::string> want = {
        "[GLOBAL]",    "Version",     "[Tavro]",          "EU",
        "TotalEff",    "WB_DB",       "HCLASS",           "Seasons",
        "SI",          "Mollier",     "DecimalSeparator", "ThousandSeparator",
        "pbar",        "AirQuant",    "AirState",         "PrintHeader",
        "Header0",     "Header1",     "Header2",          "Header3",
        "Header4",     "Header5",     "Header6",          "Header7",
        "NotesData1",  "NotesData2",  "NotesData3",       "NotesChart1",
        "NotesChart2", "NotesChart3", "FrostCheck"};
    EXPECT_EQ(KeysInOrder(text), want);
}

TEST(ShellSettings, WriteThenReadGivesTheSameSettingsExceptTheDate) {
    TempDir dir;
    TIniDatei ini(kSettingsFileName, dir.path());
    // A file of an old version: the write makes it current, so nothing is
    // erased at the next read.
    WriteFile(ini.Path(), "[GLOBAL]\nVersion=200101\nLanguage=1\n");
    const ShellSettings s = Changed();
    ASSERT_TRUE(WriteShellSettings(ini, "Tavro", s, true));
    ShellSettings want = s;
    want.Header[1] = "24.11.2016";
    const TIniDatei reopened(kSettingsFileName, dir.path());
    EXPECT_EQ(ReadShellSettings(ini, "Tavro", Context()), want);
    EXPECT_EQ(reopened.ReadString("Tavro", "Header1", ""), "1.1.2000");
    EXPECT_EQ(reopened.ReadInteger("Global", "Language", 0), 1);
}

// Fails every replace of the file, as a full disk would.
class DiskFull : public TIniDatei {
public:
    using TIniDatei::TIniDatei;
    int calls = 0;

protected:
    int RenameOver(const std::string&, const std::string&) override {
        ++calls;
        return ENOSPC;
    }
};

TEST(ShellSettings, FailedWriteReturnsFalseAndTheFileKeepsItsValues) {
    {
        TempDir dir;
        DiskFull ini(kSettingsFileName, dir.path());
        const std::string old = "[GLOBAL]\nVersion=201611\n\n[Tavro]\nSI=0\npbar=980.0000000000\n";
        WriteFile(ini.Path(), old);
        bool ok = true;
        EXPECT_NO_THROW(ok = WriteShellSettings(ini, "Tavro", ShellSettings(), true));
        EXPECT_FALSE(ok);
        EXPECT_EQ(ini.calls, 1); // the first failure stops the rest
        EXPECT_EQ(ReadFile(ini.Path()), old);
        EXPECT_EQ(ReadShellSettings(ini, "Tavro", Context()).pbar, 980);
    }
    {
        // A folder that cannot exist, even for root.
        TempDir dir;
        WriteFile(dir / "plain", "x");
        TIniDatei ini(kSettingsFileName, dir / "plain/Zelvanor");
        bool ok = true;
        EXPECT_NO_THROW(ok = WriteShellSettings(ini, "Tavro", Changed(), true));
        EXPECT_FALSE(ok);
        EXPECT_EQ(ReadShellSettings(ini, "Tavro", Context()).pbar, 1013);
    }
    if (::geteuid() != 0) {
        TempDir dir;
        TIniDatei ini(kSettingsFileName, dir.path());
        const std::string old = "[GLOBAL]\nVersion=201611\n[Tavro]\nSI=0\n";
        WriteFile(ini.Path(), old);
        ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
        EXPECT_FALSE(WriteShellSettings(ini, "Tavro", Changed(), true));
        EXPECT_EQ(ReadFile(ini.Path()), old);
    }
}

// Two instances closing at once mixed their settings key by key: every key
// was a replacement of the file of its own, and the two took turns.
TEST(ShellSettings, TwoWritersAtOnceLeaveExactlyOneWritersSet) {
    TempDir dir;
    const ShellSettings a = Changed();
    ShellSettings b;
    b.DecimalSeparator = '.';
    b.ThousandSeparator = ',';
    b.pbar = 1090;
    b.AirQuant = 0;
    b.AirState = 0;
    for (size_t i = 0; i < b.Header.size(); ++i)
        b.Header[i] = "b" + std::to_string(i);
    b.NotesData = {"b1", "b2", "b3"};
    b.NotesChart = {"b4", "b5", "b6"};
    ShellSettings wantA = a;
    ShellSettings wantB = b;
    wantA.Header[1] = wantB.Header[1] = Context().today;

    for (int round = 0; round < 20; ++round) {
        std::latch start(2);
        const auto writer = [&](const ShellSettings& s) {
            TIniDatei ini(kSettingsFileName, dir.path());
            start.arrive_and_wait();
            EXPECT_TRUE(WriteShellSettings(ini, "Tavro", s, true));
        };
        std::thread first(writer, std::cref(a));
        std::thread second(writer, std::cref(b));
        first.join();
        second.join();
        TIniDatei ini(kSettingsFileName, dir.path());
        const ShellSettings got = ReadShellSettings(ini, "Tavro", Context());
        ASSERT_TRUE(got == wantA || got == wantB) << "round " << round << ":\n"
                                                  << ReadFile(ini.Path());
    }
}

} // namespace
} // namespace tavro
