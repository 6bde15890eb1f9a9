#pragma once

// The installed TrueType faces the PDF engine embeds, found with
// fontconfig's library: a named family in a style, and the face that has a
// glyph for a character no face of the page has.

#include <compare>
#include <optional>
#include <string>

namespace tavro {

/// An installed TrueType face: its file, the face's index in a collection
/// (.ttc, 0 for a plain file), and whether the style asked for must be
/// synthesised because the family has no bold or italic face of its own.
struct FontFace {
    std::string file;
    int index = 0;
    bool syntheticBold = false;
    bool syntheticItalic = false;
    auto operator<=>(const FontFace&) const = default;
};

/// The face of `family` (compared without regard to case) in the style,
/// bold or not, italic or not; nullopt when no installed TrueType face
/// belongs to exactly that family (fontconfig's nearest substitute would
/// draw the text in a face nobody chose). Answers are kept for the process.
std::optional<FontFace> FindFace(const std::string& family, bool bold, bool italic);

/// Whether the face has a glyph for the Unicode code point c. False for a
/// face that FindFace or FaceForChar did not return.
bool FaceHasChar(const FontFace& face, char32_t c);

/// The installed TrueType face fontconfig prefers for c in the style, for
/// characters no face of the page has; nullopt when no installed face has
/// a glyph for c.
std::optional<FontFace> FaceForChar(char32_t c, bool bold, bool italic);

} // namespace tavro
