#include "shell/settings/shell_settings.h"

#include "physics/numeric/separator_rules.h"

#include <algorithm>

namespace tavro {

namespace {

// The section name the language writer uses; the same section as "GLOBAL".
constexpr std::string_view kGlobalSectionRead = "Global";

constexpr double kDefaultPressure = 1013.0;
constexpr char kDefaultDecimalSeparator = '.';
constexpr char kDefaultThousandSeparator = ',';
constexpr double kMinPressure = 600.0;
constexpr double kMaxPressure = 1100.0;

// The mass-flow mode is not restored at start: a stored 3 starts in the
// standard-volume mode.
constexpr int kAirQuantMassFlow = 3;
constexpr int kAirQuantStdVolume = 0;

std::string NumberedKey(std::string_view stem, int n) {
    return std::string(stem) + std::to_string(n);
}

// The separators of the file, each replaced by the process's one when it
// is a character that would garble numbers (a digit, a letter, a sign, a
// blank as decimal separator, a control or non-ASCII byte), and both
// replaced when they are the same.
void ReadSeparators(TIniDatei& ini, std::string_view sec, const ShellReadContext& ctx,
                    ShellSettings& s) {
    char decimal = ini.ReadChar(sec, "DecimalSeparator", ctx.decimalSeparator);
    char thousands = ini.ReadChar(sec, "ThousandSeparator", ctx.thousandSeparator);
    if (!IsDecimalSeparatorAllowed(decimal)) decimal = ctx.decimalSeparator;
    if (!IsThousandSeparatorAllowed(thousands)) thousands = ctx.thousandSeparator;
    if (!AreSeparatorsAllowed(decimal, thousands)) {
        decimal = ctx.decimalSeparator;
        thousands = ctx.thousandSeparator;
    }
    if (!AreSeparatorsAllowed(decimal, thousands)) {
        decimal = kDefaultDecimalSeparator;
        thousands = kDefaultThousandSeparator;
    }
    s.DecimalSeparator = decimal;
    s.ThousandSeparator = thousands;
}

} // namespace

ShellSettings ReadShellSettings(TIniDatei& ini, std::string_view productSection,
                                const ShellReadContext& ctx) {
    const std::string_view sec = productSection;
    ShellSettings s;

    if (ini.ReadInteger(kGlobalSectionRead, kVersionKey, 0) <= kLastDiscardedVersion) {
        try {
            ini.EraseSection(sec);
        } catch (const SettingsError&) {
            // The old keys stay in the file; they are read as they are.
        }
    }

    s.SI = ini.ReadBool(sec, "SI", s.SI);
    s.EU = ini.ReadBool(sec, "EU", s.EU);
    s.TotalEff = ini.ReadBool(sec, "TotalEff", s.TotalEff);
    s.HCLASS = ini.ReadBool(sec, "HCLASS", s.HCLASS);
    s.WB_DB = ini.ReadBool(sec, "WB_DB", s.WB_DB);
    s.Mollier = ini.ReadBool(sec, "Mollier", s.Mollier);

    ReadSeparators(ini, sec, ctx, s);

    if (ctx.haveRecord) {
        s.pbar =
            std::clamp(ini.ReadFloat(sec, "pbar", kDefaultPressure), kMinPressure, kMaxPressure);
        s.AirQuant = ini.ReadInteger(sec, "AirQuant", s.AirQuant);
        if (s.AirQuant == kAirQuantMassFlow) s.AirQuant = kAirQuantStdVolume;
        s.AirState = ini.ReadInteger(sec, "AirState", s.AirState);
        s.Seasons = ini.ReadBool(sec, "Seasons", s.Seasons);
    }

    s.PrintHeader = ini.ReadBool(sec, "PrintHeader", s.PrintHeader);

    for (int i = 0; i < 8; ++i)
        s.Header[i] = ini.ReadString(sec, NumberedKey("Header", i), "");
    // The date line is fresh at every start; the stored one is never shown.
    s.Header[1] = ctx.today;

    for (int i = 0; i < 3; ++i)
        s.NotesData[i] = ini.ReadString(sec, NumberedKey("NotesData", i + 1), "");
    for (int i = 0; i < 3; ++i)
        s.NotesChart[i] = ini.ReadString(sec, NumberedKey("NotesChart", i + 1), "");
    s.FrostCheck = ini.ReadBool(sec, "FrostCheck", s.FrostCheck);
    return s;
}

bool WriteShellSettings(TIniDatei& ini, std::string_view productSection, const ShellSettings& s,
                        bool haveRecord) {
    const std::string_view sec = productSection;
    bool ok = true;
    // One replacement of the file for all keys: another instance closing at
    // the same time stores its set before or after this one, never mixed
    // with it key by key.
    ini.BeginBatch();
    try {
        ini.WriteInteger(kGlobalSection, kVersionKey, kSettingsVersion);

        ini.WriteBool(sec, "EU", s.EU);
        ini.WriteBool(sec, "TotalEff", s.TotalEff);
        ini.WriteBool(sec, "WB_DB", s.WB_DB);
        ini.WriteBool(sec, "HCLASS", s.HCLASS);
        ini.WriteBool(sec, "Seasons", s.Seasons);
        ini.WriteBool(sec, "SI", s.SI);
        ini.WriteBool(sec, "Mollier", s.Mollier);
        ini.WriteChar(sec, "DecimalSeparator", s.DecimalSeparator);
        ini.WriteChar(sec, "ThousandSeparator", s.ThousandSeparator);

        if (haveRecord) {
            ini.WriteFloat(sec, "pbar", s.pbar);
            ini.WriteInteger(sec, "AirQuant", s.AirQuant);
            ini.WriteInteger(sec, "AirState", s.AirState);
        }

        ini.WriteBool(sec, "PrintHeader", s.PrintHeader);
        for (int i = 0; i < 8; ++i)
            ini.WriteString(sec, NumberedKey("Header", i), s.Header[i]);
        for (int i = 0; i < 3; ++i)
            ini.WriteString(sec, NumberedKey("NotesData", i + 1), s.NotesData[i]);
        for (int i = 0; i < 3; ++i)
            ini.WriteString(sec, NumberedKey("NotesChart", i + 1), s.NotesChart[i]);
        ini.WriteBool(sec, "FrostCheck", s.FrostCheck);
    } catch (...) {
        // The keys taken before the failure are still written.
        ok = false;
    }
    try {
        ini.CommitBatch();
    } catch (...) {
        // Settings that cannot be stored must not keep the program from
        // closing; the file keeps its old values.
        ok = false;
    }
    return ok;
}

} // namespace tavro
