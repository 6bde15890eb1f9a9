#pragma once

// The program's version text. The same sources build the sibling product
// lines; the first letter of the program file's name tells them apart.

#include <string>
#include <string_view>

namespace tavro {

/// Both forms of a version text.
struct VersionTexts {
    std::string longForm;  ///< "4.2, 11/2016": information window and e-mail subject
    std::string shortForm; ///< "4.2, 11/16": page frame of the printed pages
};

/// The version texts for a program file name (a bare name or a path; only
/// the part after the last '/' or '\' counts). Its first letter, in either
/// case, picks the number: 'T' (this program, "tavro") 4.2, 'C' (the Corra
/// line) 4.4, anything else, an empty name included, 4.6.
VersionTexts VersionTextsFor(std::string_view programFileName);

/// Builds the process's version texts from the program file's name: from
/// QCoreApplication::applicationFilePath() when an application object
/// exists and knows it, otherwise from "tavro". Call once at start; a later
/// call builds them again.
void InitVersionText();

/// The same from the given program file name (argv[0], or a test's name).
void InitVersionText(std::string_view programFileName);

/// The long and the short form built at start ("4.2, 11/2016" and "4.2,
/// 11/16" for this program). Used before InitVersionText, they are built
/// as InitVersionText() builds them.
const std::string& VersionLong();
const std::string& VersionShort();

} // namespace tavro
