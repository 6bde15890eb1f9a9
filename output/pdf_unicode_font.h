#pragma once

// An embedded TrueType face that draws any text of the Basic Multilingual
// Plane: libharu's UTF-8 fonts (a Type0 font, Identity-H, the character
// codes being the code points), with two repairs that libharu 2.3 needs
// before such a font reads and draws right everywhere.

#include "output/pdf_fonts.h"

#include <hpdf.h>

#include <set>
#include <string>

namespace tavro {

/// Loads the face into the document as a UTF-8 font whose TrueType
/// program is embedded as a subset of the glyphs drawn. Returns nullptr
/// when libharu cannot read the file; the document's error handler has
/// then been told.
HPDF_Font LoadUnicodeFont(HPDF_Doc doc, const FontFace& face);

/// Completes a UTF-8 font before the document is saved:
/// - its ToUnicode map, which libharu fills with its encoding CMap (a form
///   text extraction rejects), becomes a map of the code points in `used`;
/// - its glyph map keeps only the codes in `used` (libharu maps every code
///   of the face, 128 KB that compress poorly for a CJK face);
/// - the components of every composite glyph drawn are added to the
///   subset: libharu reads component numbers as signed 16-bit values,
///   dropping every component above glyph 32767 (most ideographs of large
///   CJK faces), and does not follow composites nested in composites.
/// Throws tavro::Error when the font file cannot be read again.
void CompleteUnicodeFont(HPDF_Doc doc, HPDF_Font font, const FontFace& face,
                         const std::set<char16_t>& used);

} // namespace tavro
