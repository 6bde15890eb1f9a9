#pragma once

// The main window shell's keys in the settings file: the preferences and the
// offer header and notes, stored in the product section, and the file format
// version in the global section.

#include "shell/settings/ini_file.h"

#include <array>
#include <string>
#include <string_view>

namespace tavro {

/// The settings file's name and the folder argument for the per-user folder.
inline constexpr std::string_view kSettingsFileName = "Zelvanor.ini";
inline constexpr std::string_view kSettingsFolder = "#";

/// The section of the language and the format version. Names are matched
/// without regard to case, so "Global" is the same section.
inline constexpr std::string_view kGlobalSection = "GLOBAL";
inline constexpr std::string_view kLanguageKey = "Language";
inline constexpr std::string_view kVersionKey = "Version";

/// The format version written into every file.
inline constexpr int kSettingsVersion = 201611;
/// Files of this version or older (or without a version) lose their product
/// section when read, so that every product key takes its default.
inline constexpr int kLastDiscardedVersion = 200409;

/// The section of the shell's and the product's keys. The product window sets
/// it to its product name ("Tavro") before anything is read.
inline std::string ProductSection = "Tavro";

/// The shell's preferences as stored, with the values a missing key gives.
struct ShellSettings {
    bool SI = true;        ///< SI units (false: inch-pound units)
    bool EU = false;       ///< effectiveness (ASHRAE 84 / AHRI 1060) instead of EN 308 efficiency
    bool TotalEff = false; ///< total effectiveness (only with EU)
    bool HCLASS = true;    ///< show the EN 13053 energy-efficiency class
    bool WB_DB = false;    ///< wet-bulb temperature on the data sheet
    bool Mollier = true;   ///< Mollier h-x chart (false: psychrometric chart)
    char DecimalSeparator = '.';  ///< read with the process's current one as default
    char ThousandSeparator = ','; ///< likewise
    double pbar = 1013.0;         ///< air pressure in hPa, 600 ... 1100
    int AirQuant = 0;             ///< air-quantity input mode of the calculation records
    int AirState = 0;             ///< humidity input mode of the calculation records
    bool Seasons = false;         ///< heating and cooling case side by side
    bool PrintHeader = false;
    /// Offer header: caption/value pairs of date, offer number, project and
    /// position; [1] is the date.
    std::array<std::string, 8> Header;
    std::array<std::string, 3> NotesData;  ///< note lines of the data sheet
    std::array<std::string, 3> NotesChart; ///< note lines of the chart
    bool FrostCheck = true; ///< frost limit and frost warning after every calculation

    bool operator==(const ShellSettings&) const = default;
};

/// What the reader takes from the running program.
struct ShellReadContext {
    char decimalSeparator = '.';  ///< the process's current one: default of its key
    char thousandSeparator = ','; ///< likewise
    bool haveRecord = true;       ///< the first calculation record exists
    std::string today;            ///< today's date in the user's short date format
};

/// Reads the shell's keys from `ini`, section `productSection`, in this
/// order: the version from the global section (a version of 200409 or lower,
/// or none, first erases the whole product section, so that every product key
/// takes its default; an error of that erase is discarded); SI, EU,
/// TotalEff, HCLASS, WB_DB, Mollier; the separators (a missing or empty
/// value, or one IsDecimalSeparatorAllowed / IsThousandSeparatorAllowed
/// refuses, takes the context's; two equal ones both take the context's, or
/// '.' and ',' when the context's are no pair either); only when
/// ctx.haveRecord: pbar (clamped to
/// 600 ... 1100 hPa, 1013 when missing or not a number), AirQuant (a stored 3
/// becomes 0, other values are taken as they are), AirState and Seasons,
/// which otherwise keep their defaults; PrintHeader; Header0 ... Header7,
/// after which Header[1] is replaced by ctx.today; NotesData1 ... 3 and
/// NotesChart1 ... 3; FrostCheck. Never throws: missing or unparsable values give the
/// defaults of ShellSettings.
ShellSettings ReadShellSettings(TIniDatei& ini, std::string_view productSection,
                                const ShellReadContext& ctx);

/// Writes Version = 201611 into the global section, then into
/// `productSection`: EU, TotalEff, WB_DB, HCLASS, Seasons, SI, Mollier,
/// DecimalSeparator, ThousandSeparator; when haveRecord pbar (10 decimals,
/// a decimal point), AirQuant, AirState; then PrintHeader, Header0 ... Header7,
/// NotesData1 ... 3, NotesChart1 ... 3 and FrostCheck. All keys go into the file in one
/// replacement (a batch of `ini`), or join the batch the caller has begun,
/// which then writes them. Returns true when the keys were written (or taken
/// into the caller's batch); false when the file could not be written, which
/// then keeps its old values. Never throws.
bool WriteShellSettings(TIniDatei& ini, std::string_view productSection, const ShellSettings& s,
                        bool haveRecord);

} // namespace tavro
