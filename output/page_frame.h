#pragma once

// The frame every page carries: the rules, the letterhead, the offer header
// and notes when asked for, the footer with the version, and the title;
// the certification marks of the data sheet; and the blocks of the offer
// header, the notes and the letterhead.

#include "output/page_canvas.h"

#include <string>
#include <vector>

namespace tavro {

class PageOwner;

/// The letterhead entry this program prints (0 is the maker's own).
inline constexpr int LetterheadVariant = 0;

/// The left edge of the certification marks of the data sheet (page units).
inline constexpr int kCertificationMarksLeft = 1950 - 600;

/// Starts a page: white transparent background, the drawing font at the
/// base height, the page metrics 34/42/21, then the frame rules, the
/// letterhead, the offer header when withHeader, the notes block when
/// withNotes (notes may be null), the footer and the right rule. The first
/// note line ends at notesFirstRight (see DrawNotes).
void DrawPageFrame(const PageOwner& owner, TVkCanvas& canvas, bool withHeader, bool withNotes,
                   const std::vector<std::string>* notes, int notesFirstRight = 1950);

/// The frame and the title line "Zelvanor Crossflow Plate Heat Exchanger"
/// (text 66 for the counter-flow line), bold, large, centred at (1100, 268).
void DrawTitle(const PageOwner& owner, TVkCanvas& canvas, bool withHeader, bool withNotes,
               const std::vector<std::string>* notes, int notesFirstRight = 1950);

/// The three certification marks of the data sheet (pictures 203, 195 and
/// 201 in the band below the rule at 541). A missing picture is left out.
void DrawCertificationMarks(TVkCanvas& canvas);

/// The offer-header fields, each clipped to its rectangle.
void DrawOfferHeader(TVkCanvas& canvas, const PageOwner& owner);

/// The caption "Notes:" and up to three note lines (UTF-8), each clipped at
/// x 1950. The first line's row ends at firstRight (less than 1950 where
/// the certification marks stand beside it): a first line too long for it
/// is wrapped after its last word that fits, its rest taking the next row
/// and the other lines moving down, when all lines that are not empty
/// still fit into the three rows; otherwise it is cut at firstRight.
void DrawNotes(TVkCanvas& canvas, const std::vector<std::string>* notes, int firstRight = 1950);

/// The maker's letterhead (entry 0): logo, company, address, contact rows.
/// Leaves the font regular at the base height and the alignment left.
void DrawLetterhead(TVkCanvas& canvas);

/// The font of the pages: the shared drawing font (its face and the
/// language's charset) at `height`.
FontSpec DrawingFontSpec(int height, bool bold = false, bool italic = false);

} // namespace tavro
