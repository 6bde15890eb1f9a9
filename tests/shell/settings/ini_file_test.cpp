#include "shell/settings/ini_file.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavro {
namespace {

using test::EnvOverride;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

namespace fs = std::filesystem;

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    return names;
}

TEST(IniFile, EveryTypeRoundTripsThroughTheFileToASecondObject) {
    TempDir dir;
    TIniDatei writer("Zelvanor.ini", dir.path());
    TIniDatei reader("Zelvanor.ini", dir.path() + "/");
    EXPECT_EQ(writer.Path(), dir / "Zelvanor.ini");
    EXPECT_EQ(reader.Path(), writer.Path());

    writer.WriteString("S", "Text", "Müller & Söhne; offer 7 = final");
    writer.WriteString("S", "Empty", "");
    for (int v : {0, -1, 42, INT_MAX, INT_MIN}) {
        writer.WriteInteger("S", "Int", v);
        EXPECT_EQ(reader.ReadInteger("S", "Int", 99), v);
    }
    for (bool v : {true, false}) {
        writer.WriteBool("S", "Bool", v);
        EXPECT_EQ(reader.ReadBool("S", "Bool", !v), v);
    }
    for (double v : {1013.0, -2.5, 0.1, 123456789.0123456789, 1e15}) {
        writer.WriteFloat("S", "Float", v);
        EXPECT_NEAR(reader.ReadFloat("S", "Float", -7), v, 5e-11 * std::max(1.0, std::abs(v)));
    }
    for (char v : {',', '.', '\'', 'x'}) {
        writer.WriteChar("S", "Char", v);
        EXPECT_EQ(reader.ReadChar("S", "Char", '?'), v);
    }
    EXPECT_EQ(reader.ReadString("S", "Text", ""), "Müller & Söhne; offer 7 = final");
    EXPECT_EQ(reader.ReadString("S", "Empty", "default"), "");
    EXPECT_TRUE(reader.ValueExists("S", "Empty"));
    EXPECT_FALSE(reader.ValueExists("S", "Missing"));
    EXPECT_TRUE(reader.SectionExists("S"));

    // The reader writes too, and the first object sees it at once.
    reader.WriteInteger("S", "Int", 7);
    EXPECT_EQ(writer.ReadInteger("S", "Int", 0), 7);
}

TEST(IniFile, MissingFileOrKeyGivesDefaultsAndReadsCreateNothing) {
    TempDir dir;
    const TIniDatei ini("Zelvanor.ini", dir.path());
    EXPECT_EQ(ini.ReadString("GLOBAL", "Language", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("GLOBAL", "Language", 3), 3);
    EXPECT_TRUE(ini.ReadBool("Tavro", "SI", true));
    EXPECT_EQ(ini.ReadFloat("Tavro", "pbar", 1013), 1013);
    EXPECT_EQ(ini.ReadChar("Tavro", "DecimalSeparator", ','), ',');
    EXPECT_FALSE(ini.SectionExists("GLOBAL"));
    EXPECT_TRUE(FolderEntries(dir.path()).empty());
}

TEST(IniFile, NamesMatchWithoutRegardToCase) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    ini.WriteInteger("GLOBAL", "Version", 201611);
    ini.WriteInteger("Global", "language", 2);
    ini.WriteInteger("global", "LANGUAGE", 3);
    EXPECT_EQ(ini.ReadInteger("gLoBaL", "version", 0), 201611);
    EXPECT_EQ(ini.ReadInteger("GLOBAL", "Language", 0), 3);
    // One section, one line per key, spelled as first written.
    EXPECT_EQ(ReadFile(ini.Path()), "[GLOBAL]\nVersion=201611\nlanguage=3\n");
}

TEST(IniFile, WriteKeepsEverythingElseInOrder) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    WriteFile(ini.Path(), "; Zelvanor settings\n"
                          "\n"
                          "[GLOBAL]\n"
                          "Language = 1\n"
                          "; format version\n"
                          "Version=200410\n"
                          "\n"
                          "[Other]\n"
                          "Key=keep me\n"
                          "\n"
                          "# product keys\n"
                          "[Tavro]\n"
                          "Edge=600\n"
                          "Width=500\n"
                          "; kept at the end\n");
    ini.WriteInteger("GLOBAL", "Version", 201611);
    ini.WriteInteger("Tavro", "Edge", 700);
    ini.WriteString("Tavro", "Header0", "Date");
    ini.WriteBool("New", "Flag", true);
    EXPECT_EQ(ReadFile(ini.Path()), "; Zelvanor settings\n"
                                    "\n"
                                    "\n"
                                    "[GLOBAL]\n"
                                    "Language=1\n"
                                    "\n"
                                    "; format version\n"
                                    "Version=201611\n"
                                    "\n"
                                    "\n"
                                    "[Other]\n"
                                    "Key=keep me\n"
                                    "\n"
                                    "\n"
                                    "# product keys\n"
                                    "[Tavro]\n"
                                    "Edge=700\n"
                                    "Width=500\n"
                                    "Header0=Date\n"
                                    "\n"
                                    "\n"
                                    "[New]\n"
                                    "Flag=1\n"
                                    "\n"
                                    "\n"
                                    "; kept at the end\n");
    // A second write does not move or repeat the trailing comment.
    const std::string once = ReadFile(ini.Path());
    ini.WriteBool("New", "Flag", true);
    EXPECT_EQ(ReadFile(ini.Path()), once);
}

TEST(IniFile, EraseSectionRemovesOnlyThatSection) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    WriteFile(ini.Path(), "[GLOBAL]\nVersion=1\n\n[tavro]\nSI=0\nEdge=600\n\n[Other]\nA=1\n");
    ini.EraseSection("Tavro");
    EXPECT_FALSE(ini.SectionExists("Tavro"));
    EXPECT_EQ(ReadFile(ini.Path()), "[GLOBAL]\nVersion=1\n\n\n[Other]\nA=1\n");

    // Erasing what is not there writes nothing, not even a new file.
    TempDir empty;
    TIniDatei none("Zelvanor.ini", empty.path());
    none.EraseSection("Tavro");
    EXPECT_TRUE(FolderEntries(empty.path()).empty());
}

TEST(IniFile, FloatsAreWrittenWithTenDecimalsAndAPoint) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1013, "1013.0000000000"}, {-2.5, "-2.5000000000"},         {0, "0.0000000000"},
        {0.1, "0.1000000000"},     {1.23456789016, "1.2345678902"}, {-1e-12, "-0.0000000000"}};
    for (const auto& c : cases) {
        ini.WriteFloat("Tavro", "pbar", c.value);
        EXPECT_EQ(ini.ReadString("Tavro", "pbar", ""), c.text) << c.value;
    }
    EXPECT_EQ(ReadFile(ini.Path()), "[Tavro]\npbar=-0.0000000000\n");
}

TEST(IniFile, DecimalCommaLocaleStillWritesAndReadsAPoint) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    ini.WriteFloat("Tavro", "pbar", 1013.25);
    WriteFile(dir / "other.ini", "[Tavro]\nA=2.5\nB=2,5\n");
    const TIniDatei other("other.ini", dir.path());
    const double a = other.ReadFloat("Tavro", "A", 0);
    const double b = other.ReadFloat("Tavro", "B", -1);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(ReadFile(ini.Path()), "[Tavro]\npbar=1013.2500000000\n");
    EXPECT_EQ(a, 2.5);
    EXPECT_EQ(b, -1);
}

TEST(IniFile, UnparsableValuesGiveTheDefault) {
    TempDir dir;
    const TIniDatei ini("Zelvanor.ini", dir.path());
    WriteFile(ini.Path(), "[S]\n"
                          "abc=abc\n"
                          "empty=\n"
                          "comma=1,5\n"
                          "trail=12abc\n"
                          "nan=nan\n"
                          "inf=-inf\n"
                          "huge=1e999\n"
                          "big=2147483648\n"
                          "neg=-7\n"
                          "plus=+7\n"
                          "two=2\n"
                          "zero=0\n"
                          "exp=1.5e3\n"
                          "blank=   \n"
                          "word=xy\n");
    const struct {
        const char* key;
        double asFloat; // default -99
        int asInt;      // default -99
        int asBool;     // default true shown as 1, false as 0; -1 = "the default"
    } cases[] = {
        {"abc", -99, -99, -1},   {"empty", -99, -99, -1},
        {"comma", -99, -99, -1}, {"trail", -99, -99, -1},
        {"nan", -99, -99, -1},   {"inf", -99, -99, -1},
        {"huge", -99, -99, -1},  {"big", 2147483648.0, -99, -1},
        {"neg", -7, -7, 1},      {"plus", 7, 7, 1},
        {"two", 2, 2, 1},        {"zero", 0, 0, 0},
        {"exp", 1500, -99, -1},  {"missing", -99, -99, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ini.ReadFloat("S", c.key, -99), c.asFloat) << c.key;
        EXPECT_EQ(ini.ReadInteger("S", c.key, -99), c.asInt) << c.key;
        for (bool def : {false, true}) {
            const bool want = c.asBool < 0 ? def : c.asBool != 0;
            EXPECT_EQ(ini.ReadBool("S", c.key, def), want) << c.key << " default " << def;
        }
    }
    EXPECT_EQ(ini.ReadChar("S", "empty", ','), ',');
    EXPECT_EQ(ini.ReadChar("S", "blank", ','), ',');
    EXPECT_EQ(ini.ReadChar("S", "word", ','), 'x');
    EXPECT_EQ(ini.ReadString("S", "blank", "d"), "");
}

TEST(IniFile, UserFolderFollowsXdgConfigHomeAndIsCreated) {
    TempDir dir;
    {
        // Missing parents are created.
        EnvOverride xdg("XDG_CONFIG_HOME", (dir / "a/b").c_str());
        const TIniDatei ini("Zelvanor.ini", "#");
        EXPECT_EQ(ini.Path(), dir / "a/b/Zelvanor/Zelvanor.ini");
        EXPECT_TRUE(fs::is_directory(dir / "a/b/Zelvanor"));
        EXPECT_EQ(UserSettingsFolder(), dir / "a/b/Zelvanor/");
    }
    EnvOverride home("HOME", (dir / "home").c_str());
    for (const char* unset : {static_cast<const char*>(nullptr), "", "relative/path"}) {
        EnvOverride xdg("XDG_CONFIG_HOME", unset);
        EXPECT_EQ(UserSettingsFolder(), dir / "home/.config/Zelvanor/")
            << (unset ? unset : "(unset)");
    }
    EnvOverride xdg("XDG_CONFIG_HOME", nullptr);
    TIniDatei ini("Zelvanor.ini", "#");
    ini.WriteInteger("GLOBAL", "Language", 2);
    EXPECT_EQ(ReadFile(dir / "home/.config/Zelvanor/Zelvanor.ini"), "[GLOBAL]\nLanguage=2\n");
}

TEST(IniFile, GivenFolderIsCreatedWithMissingParents) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir / "x/y/z");
    EXPECT_EQ(ini.Path(), dir / "x/y/z/Zelvanor.ini");
    EXPECT_TRUE(fs::is_directory(dir / "x/y/z"));
    ini.WriteBool("Tavro", "SI", false);
    EXPECT_FALSE(ini.ReadBool("Tavro", "SI", true));
}

// A line break in a value would split its line in two: the rest would be
// read as a key of its own, or lost.
TEST(IniFile, BlanksAtTheEndsAndQuotesSurviveInQuotes) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    const std::string values[] = {" ", "  padded  ", "\"quoted\"", "'single'", "a \"b\" c", "\""};
    for (size_t i = 0; i < std::size(values); ++i)
        ini.WriteString("Tavro", "K" + std::to_string(i), values[i]);
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(ini.ReadString("Tavro", "K" + std::to_string(i), "?"), values[i]) << i;
    ini.WriteChar("Tavro", "ThousandSeparator", ' ');
    EXPECT_EQ(ini.ReadChar("Tavro", "ThousandSeparator", ','), ' ');
    // Plain values are stored as they are; a hand-written quoted one is read
    // without its quotes, as profile strings are.
    EXPECT_NE(ReadFile(ini.Path()).find("K4=a \"b\" c\n"), std::string::npos);
    WriteFile(ini.Path(), "[Tavro]\nHeader2=\"  Offer 12  \"\n");
    EXPECT_EQ(ini.ReadString("Tavro", "Header2", ""), "  Offer 12  ");
}

TEST(IniFile, LineBreaksInStringsAreStoredAsBlanks) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    ini.WriteString("Tavro", "NotesData1", "first\r\nsecond\nthird\r[Evil]\nSI=0");
    ini.WriteString("Tavro", "NotesData2", "next");
    EXPECT_EQ(ini.ReadString("Tavro", "NotesData1", ""), "first  second third [Evil] SI=0");
    EXPECT_EQ(ini.ReadString("Tavro", "NotesData2", ""), "next");
    EXPECT_FALSE(ini.SectionExists("Evil"));
    EXPECT_EQ(ReadFile(ini.Path()),
              "[Tavro]\nNotesData1=first  second third [Evil] SI=0\nNotesData2=next\n");
    // A line break as a character is stored as a quoted blank.
    ini.WriteChar("Tavro", "DecimalSeparator", '\n');
    EXPECT_EQ(ini.ReadChar("Tavro", "DecimalSeparator", ','), ' ');
}

TEST(IniFile, NamesThatWouldBreakTheFileAreRefused) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    EXPECT_THROW(ini.WriteString("Tavro", "a=b", "x"), SettingsError);
    EXPECT_THROW(ini.WriteString("Tavro", "a\nb", "x"), SettingsError);
    EXPECT_THROW(ini.WriteString("Tavro", "", "x"), SettingsError);
    EXPECT_THROW(ini.WriteString("Ta]vro", "a", "x"), SettingsError);
    EXPECT_TRUE(FolderEntries(dir.path()).empty());
}

// Fails the last step of a write, as a full disk or a killed process would
// leave it: the new content complete in the temporary file, not yet renamed.
class FailingRename : public TIniDatei {
public:
    using TIniDatei::TIniDatei;
    int calls = 0;

protected:
    int RenameOver(const std::string& from, const std::string&) override {
        ++calls;
        tempSeen = fs::exists(from);
        return ENOSPC;
    }

public:
    bool tempSeen = false;
};

TEST(IniFile, FailedReplaceLeavesTheOldFileAndNoTemporaryFile) {
    const std::string old = "[GLOBAL]\nLanguage=1\n\n[Tavro]\nSI=0\nEdge=600\n";
    const std::vector<std::pair<const char*, std::function<void(TIniDatei&)>>> writes = {
        {"WriteString", [](TIniDatei& i) { i.WriteString("Tavro", "Header0", "x"); }},
        {"WriteInteger", [](TIniDatei& i) { i.WriteInteger("Tavro", "Edge", 700); }},
        {"WriteFloat", [](TIniDatei& i) { i.WriteFloat("Tavro", "pbar", 1013); }},
        {"EraseSection", [](TIniDatei& i) { i.EraseSection("Tavro"); }},
    };
    for (const auto& [name, write] : writes) {
        TempDir dir;
        FailingRename ini("Zelvanor.ini", dir.path());
        WriteFile(ini.Path(), old);
        try {
            write(ini);
            ADD_FAILURE() << name << " did not throw";
        } catch (const SettingsError& e) {
            EXPECT_NE(std::string(e.what()).find(ini.Path()), std::string::npos) << e.what();
        }
        EXPECT_EQ(ini.calls, 1) << name;
        EXPECT_TRUE(ini.tempSeen) << name;
        EXPECT_EQ(ReadFile(ini.Path()), old) << name;
        EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"Zelvanor.ini"}) << name;
    }
}

TEST(IniFile, WriteKeepsTheFileMode) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    WriteFile(ini.Path(), "[A]\nk=1\n");
    ASSERT_EQ(::chmod(ini.Path().c_str(), 0640), 0);
    ini.WriteInteger("A", "k", 2);
    struct stat st {};
    ASSERT_EQ(::stat(ini.Path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// Writes that cannot reach the file throw, change nothing, and leave the
// reads working with their defaults.
TEST(IniFile, UnwritableFolderThrowsFromEveryWriteAndChangesNothing) {
    TempDir dir;
    WriteFile(dir / "plain", "not a folder");
    std::vector<std::string> folders = {dir / "plain/sub", "/proc/tavro-settings-test"};
    for (const std::string& folder : folders) {
        TIniDatei ini("Zelvanor.ini", folder);
        EXPECT_THROW(ini.WriteString("Tavro", "Header0", "x"), SettingsError) << folder;
        EXPECT_THROW(ini.WriteInteger("GLOBAL", "Version", 201611), SettingsError) << folder;
        EXPECT_THROW(ini.WriteBool("Tavro", "SI", true), SettingsError) << folder;
        EXPECT_THROW(ini.WriteFloat("Tavro", "pbar", 1013), SettingsError) << folder;
        EXPECT_THROW(ini.WriteChar("Tavro", "DecimalSeparator", ','), SettingsError) << folder;
        EXPECT_EQ(ini.ReadInteger("GLOBAL", "Version", 5), 5);
        EXPECT_FALSE(fs::exists(ini.Path()));
    }
    EXPECT_EQ(ReadFile(dir / "plain"), "not a folder");

    // A folder in place of the file is neither read nor replaced.
    fs::create_directory(dir / "Zelvanor.ini");
    TIniDatei ini("Zelvanor.ini", dir.path());
    EXPECT_THROW(ini.WriteInteger("GLOBAL", "Version", 1), SettingsError);
    EXPECT_TRUE(fs::is_directory(ini.Path()));
}

TEST(IniFile, ReadOnlyFolderOrFileThrowsAndKeepsTheOldValues) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes whatever the mode bits say";
    const std::string old = "[Tavro]\nSI=0\n";
    {
        TempDir dir;
        TIniDatei ini("Zelvanor.ini", dir.path());
        WriteFile(ini.Path(), old);
        ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
        EXPECT_THROW(ini.WriteBool("Tavro", "SI", true), SettingsError);
        EXPECT_FALSE(ini.ReadBool("Tavro", "SI", true));
        EXPECT_EQ(ReadFile(ini.Path()), old);
        EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"Zelvanor.ini"});
    }
    {
        TempDir dir;
        TIniDatei ini("Zelvanor.ini", dir.path());
        WriteFile(ini.Path(), old);
        ASSERT_EQ(::chmod(ini.Path().c_str(), 0444), 0);
        EXPECT_THROW(ini.WriteBool("Tavro", "SI", true), SettingsError);
        EXPECT_EQ(ReadFile(ini.Path()), old);
        EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"Zelvanor.ini"});
    }
}

// A file that cannot be parsed to its end lost everything after the fault:
// the part before it was read, and the first write stored that part alone.
TEST(IniFile, UnparsableFileGivesDefaultsAndIsNeverOverwritten) {
    const std::string good = "[GLOBAL]\nLanguage=3\n[Tavro]\nSI=0\nEdge=600\n";
    std::string utf16;
    for (const char c : std::string("\xFF\xFE") + good) {
        utf16 += c;
        utf16 += '\0';
    }
    const std::vector<std::pair<const char*, std::string>> files = {
        {"NUL byte", "[GLOBAL]\nLanguage=3\n" + std::string(1, '\0') + "[Tavro]\nSI=0\n"},
        {"UTF-16", utf16},
        {"junk before the content", "\x89\x13\xC7garbage\n" + good},
        {"unclosed section", "[GLOBAL]\nLanguage=3\n[Tavro\nSI=0\n"},
        {"key without name", good + "=5\n"},
        {"text after a section", "[GLOBAL] x\nLanguage=3\n"},
    };
    for (const auto& [name, content] : files) {
        TempDir dir;
        TIniDatei ini("Zelvanor.ini", dir.path());
        WriteFile(ini.Path(), content);
        EXPECT_EQ(ini.ReadError(), EILSEQ) << name;
        EXPECT_EQ(ini.ReadInteger("GLOBAL", "Language", 0), 0) << name;
        EXPECT_TRUE(ini.ReadBool("Tavro", "SI", true)) << name;
        EXPECT_FALSE(ini.SectionExists("GLOBAL")) << name;
        EXPECT_THROW(ini.WriteInteger("GLOBAL", "Language", 2), SettingsError) << name;
        EXPECT_THROW(ini.EraseSection("Tavro"), SettingsError) << name;
        ini.BeginBatch();
        ini.WriteString("Tavro", "Header0", "x");
        EXPECT_THROW(ini.CommitBatch(), SettingsError) << name;
        EXPECT_EQ(ini.RemoveStaleTemporaryFiles(), 0);
        EXPECT_EQ(ReadFile(ini.Path()), content) << name;
        EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"Zelvanor.ini"}) << name;
    }
}

TEST(IniFile, ByteOrderMarkAndInvalidUtf8AreReadAndKeptByteExact) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    const std::string text = "\xEF\xBB\xBF[GLOBAL]\nLanguage=3\n\n\n[Tavro]\n\n; caf\xE9 \xFF\n"
                             "NotesData1=Stra\xDF"
                             "e \xC3\n";
    WriteFile(ini.Path(), text);
    EXPECT_EQ(ini.ReadError(), 0);
    EXPECT_EQ(ini.ReadInteger("GLOBAL", "Language", 0), 3);
    EXPECT_EQ(ini.ReadString("Tavro", "NotesData1", ""), "Stra\xDF"
                                                         "e \xC3");
    ini.WriteInteger("GLOBAL", "Language", 2);
    std::string want = text;
    want.replace(want.find("Language=3"), 10, "Language=2");
    EXPECT_EQ(ReadFile(ini.Path()), want);
}

TEST(IniFile, BatchReplacesTheFileOnceWithWhatSingleWritesGive) {
    const std::string old = "; settings\n\n[GLOBAL]\nLanguage=1\n\n[Tavro]\n; edge\nEdge=600\n"
                            "[Old]\nA=1\n; tail\n";
    const auto writes = [](TIniDatei& ini) {
        ini.WriteInteger("GLOBAL", "Version", 201611);
        ini.WriteInteger("Tavro", "Edge", 700);
        ini.EraseSection("Old");
        ini.WriteFloat("Tavro", "pbar", 980);
        ini.WriteString("New", "Header0", "Date");
        ini.WriteInteger("Tavro", "Edge", 800);
    };
    TempDir dir;
    TIniDatei single("single.ini", dir.path());
    WriteFile(single.Path(), old);
    writes(single);

    FailingRename batch("batch.ini", dir.path());
    WriteFile(batch.Path(), old);
    batch.BeginBatch();
    writes(batch);
    batch.BeginBatch(); // a nested batch joins the outer one
    batch.WriteBool("Tavro", "SI", false);
    batch.CommitBatch();
    EXPECT_EQ(batch.calls, 0);
    // Reads see the collected changes, the file does not have them yet.
    EXPECT_EQ(batch.ReadInteger("Tavro", "Edge", 0), 800);
    EXPECT_FALSE(batch.SectionExists("Old"));
    EXPECT_EQ(ReadFile(batch.Path()), old);
    EXPECT_THROW(batch.CommitBatch(), SettingsError);
    EXPECT_EQ(batch.calls, 1);
    EXPECT_EQ(ReadFile(batch.Path()), old);

    // The failed batch is dropped; a new one writes the file.
    TIniDatei again("batch.ini", dir.path());
    again.BeginBatch();
    writes(again);
    again.CommitBatch();
    single.WriteBool("Tavro", "SI", false);
    single.EraseSection("Tavro"); // removed, then written again below
    single.WriteInteger("Tavro", "Edge", 800);
    again.BeginBatch();
    again.WriteBool("Tavro", "SI", false);
    again.EraseSection("Tavro");
    again.WriteInteger("Tavro", "Edge", 800);
    again.CommitBatch();
    EXPECT_EQ(ReadFile(again.Path()), ReadFile(single.Path()));
}

// Counts the replacements of the file.
class CountingRename : public TIniDatei {
public:
    using TIniDatei::TIniDatei;
    int calls = 0;

protected:
    int RenameOver(const std::string& from, const std::string& to) override {
        ++calls;
        return TIniDatei::RenameOver(from, to);
    }
};

TEST(IniFile, WriteThatChangesNothingLeavesTheFileAlone) {
    TempDir dir;
    CountingRename ini("Zelvanor.ini", dir.path());
    ini.WriteInteger("Tavro", "Edge", 600);
    ini.WriteInteger("Tavro", "Edge", 600);
    ini.EraseSection("Other");
    EXPECT_EQ(ini.calls, 1);
    EXPECT_EQ(ReadFile(ini.Path()), "[Tavro]\nEdge=600\n");
}

// A link in place of the file became a regular file at the first write, and
// the file it led to was never updated again.
TEST(IniFile, SymlinkedFileStaysALinkAndItsTargetIsWritten) {
    TempDir dir;
    fs::create_directories(dir / "conf");
    fs::create_directories(dir / "synced/sub");
    WriteFile(dir / "synced/sub/real.ini", "[GLOBAL]\nLanguage=1\n");
    ASSERT_EQ(::chmod((dir / "synced/sub/real.ini").c_str(), 0604), 0);
    // A relative link to a link to the file.
    fs::create_symlink("sub/real.ini", dir / "synced/current.ini");
    fs::create_symlink("../synced/current.ini", dir / "conf/Zelvanor.ini");

    TIniDatei ini("Zelvanor.ini", dir / "conf");
    ini.WriteInteger("GLOBAL", "Language", 3);
    ini.BeginBatch();
    ini.WriteBool("Tavro", "SI", false);
    ini.CommitBatch();
    EXPECT_TRUE(fs::is_symlink(ini.Path()));
    EXPECT_TRUE(fs::is_symlink(dir / "synced/current.ini"));
    EXPECT_EQ(ReadFile(dir / "synced/sub/real.ini"), "[GLOBAL]\nLanguage=3\n\n\n[Tavro]\nSI=0\n");
    EXPECT_EQ(fs::status(dir / "synced/sub/real.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    EXPECT_EQ(FolderEntries(dir / "synced/sub"), std::vector<std::string>{"real.ini"});

    // A dangling link gets its file.
    fs::create_symlink(dir / "synced/sub/new.ini", dir / "conf/other.ini");
    TIniDatei other("other.ini", dir / "conf");
    other.WriteInteger("GLOBAL", "Language", 2);
    EXPECT_TRUE(fs::is_symlink(other.Path()));
    EXPECT_EQ(ReadFile(dir / "synced/sub/new.ini"), "[GLOBAL]\nLanguage=2\n");

    // A loop of links is refused.
    fs::create_symlink("loop.ini", dir / "conf/loop.ini");
    TIniDatei loop("loop.ini", dir / "conf");
    EXPECT_THROW(loop.WriteInteger("GLOBAL", "Language", 2), SettingsError);
    EXPECT_TRUE(fs::is_symlink(loop.Path()));
}

TEST(IniFile, ReadOnlyLinkTargetIsRefusedAndKept) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes whatever the mode bits say";
    TempDir dir;
    WriteFile(dir / "real.ini", "[Tavro]\nSI=0\n");
    ASSERT_EQ(::chmod((dir / "real.ini").c_str(), 0444), 0);
    fs::create_symlink("real.ini", dir / "Zelvanor.ini");
    TIniDatei ini("Zelvanor.ini", dir.path());
    EXPECT_THROW(ini.WriteBool("Tavro", "SI", true), SettingsError);
    EXPECT_TRUE(fs::is_symlink(ini.Path()));
    EXPECT_EQ(ReadFile(dir / "real.ini"), "[Tavro]\nSI=0\n");
    EXPECT_EQ(FolderEntries(dir.path()).size(), 2u);
}

// Temporary files of writes killed before their rename piled up in the
// settings folder.
TEST(IniFile, StaleTemporaryFilesOfInterruptedWritesAreRemoved) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    WriteFile(ini.Path(), "[GLOBAL]\nLanguage=2\n");
    const auto make = [&](const std::string& name, int ageSeconds) {
        WriteFile(dir / name, "[GLOBAL]\n");
        const timespec t[2] = {{::time(nullptr) - ageSeconds, 0},
                               {::time(nullptr) - ageSeconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, (dir / name).c_str(), t, AT_SYMLINK_NOFOLLOW), 0) << name;
    };
    make("Zelvanor.ini.tmp-aB3xY9", 3600);  // killed an hour ago: removed
    make("Zelvanor.ini.tmp-Qw12Er", 360);   // six minutes: removed
    make("Zelvanor.ini.tmp-NOW123", 10);    // may be another instance's write
    make("Zelvanor.ini.tmp-abc", 3600);     // not a name of ours
    make("Zelvanor.ini.tmp-abc1234", 3600); // not a name of ours
    make("Zelvanor.ini.tmp-ab.123", 3600);  // not a name of ours
    make("Other.ini.tmp-aB3xY9", 3600);     // another file's
    fs::create_directory(dir / "Zelvanor.ini.tmp-Dir123");
    fs::create_symlink("Other.ini.tmp-aB3xY9", dir / "Zelvanor.ini.tmp-Lnk123");
    make("Zelvanor.ini.tmp-Lnk123", 3600);

    EXPECT_EQ(ini.RemoveStaleTemporaryFiles(), 2);
    std::vector<std::string> left = FolderEntries(dir.path());
    std::sort(left.begin(), left.end());
    const std::vector<std::string> want = {"Other.ini.tmp-aB3xY9",    "Zelvanor.ini",
                                           "Zelvanor.ini.tmp-Dir123", "Zelvanor.ini.tmp-Lnk123",
                                           "Zelvanor.ini.tmp-NOW123", "Zelvanor.ini.tmp-ab.123",
                                           "Zelvanor.ini.tmp-abc",    "Zelvanor.ini.tmp-abc1234"};
    EXPECT_EQ(left, want);
    EXPECT_EQ(ReadFile(ini.Path()), "[GLOBAL]\nLanguage=2\n");

    // Without a settings file the temporary files still go, and no file is
    // left behind.
    fs::remove(ini.Path());
    make("Zelvanor.ini.tmp-zzzzzz", 3600);
    EXPECT_EQ(ini.RemoveStaleTemporaryFiles(), 1);
    EXPECT_FALSE(fs::exists(ini.Path()));
}

} // namespace
} // namespace tavro
