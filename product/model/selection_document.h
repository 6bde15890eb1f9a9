#pragma once

// The selection document (.tavro, media type application/x-tavro+json): one
// selection as a versioned JSON text, written whole through a temporary file
// and a rename, and read back with every value checked. The format is
// described key by key in docs/selection-format.md.

#include "physics/numeric/errors.h"
#include "product/model/selection_state.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

/// The media type and the file name extension of a selection document.
inline constexpr std::string_view kSelectionMediaType = "application/x-tavro+json";
inline constexpr std::string_view kSelectionExtension = ".tavro";

/// The format version this program writes and the only one it reads.
inline constexpr int kSelectionFormatVersion = 1;

/// The largest document read, bytes: far above any selection (a few kB),
/// far below what would strain the memory.
inline constexpr size_t kMaxSelectionDocumentSize = 1 << 20;

/// A document that cannot be read or written. field() names the key of the
/// document at fault ("cases[0].inputs.Edge"), or is empty when the
/// document as a whole is at fault (not JSON, too large, not readable); the
/// message names the field and the problem.
class DocumentError : public Error {
public:
    DocumentError(std::string field, const std::string& problem);
    /// An error of `field` with its whole message given (the third
    /// argument tells this form apart).
    DocumentError(std::string field, const std::string& message, bool);
    const std::string& field() const { return field_; }

private:
    std::string field_;
};

/// A document as read: the version that wrote it and the selection. The
/// state's records hold the stored values of every field, the results as
/// they were calculated when the document was saved.
struct SelectionDocument {
    int formatVersion = kSelectionFormatVersion;
    std::string programVersion; ///< the program and version that wrote it, as written
    SelectionState state;
};

/// The document of `state` as JSON text (UTF-8, ending in a line break),
/// naming `programVersion` as its writer. Throws DocumentError naming the
/// field when a text of the state is not valid UTF-8.
std::string SelectionDocumentText(const SelectionState& state, std::string_view programVersion);

/// Reads a document from its text. Throws DocumentError naming the field
/// and its problem for binary data, text that is not JSON, an unknown
/// format version, a missing value, a value of the wrong type or out of its
/// range (an edge, design or plate type the catalogue lacks, a language
/// without texts, a flow beyond 1e7); nothing else is thrown for any text.
SelectionDocument ReadSelectionDocument(std::string_view text);

/// Writes the document of `state` to `path` (following a symbolic link
/// there) through a temporary file beside it and a rename, so that the
/// file holds either its old content or the whole new document whatever
/// happens meanwhile. Throws DocumentError (empty field) naming the path
/// and the failed step; the old file is then unchanged.
void SaveSelectionDocument(const std::string& path, const SelectionState& state,
                           std::string_view programVersion);

/// Reads the document at `path`. A file larger than
/// kMaxSelectionDocumentSize is refused without being read. Throws
/// DocumentError for a file that cannot be read and as
/// ReadSelectionDocument does; its messages begin with the path.
SelectionDocument LoadSelectionDocument(const std::string& path);

/// The input fields of `record` on a default record: what a calculation
/// reads (the inlet blocks, modes, pressure and product parameters), none
/// of its results.
TDatenREK RecordInputs(const TDatenREK& record);

/// One figure that a recalculation gives differently from the stored one.
struct ResultDifference {
    int operatingCase = 0; ///< 0 the heating (or only) case, 1 the cooling case
    std::string field;     ///< the record field's name
    std::string stored;    ///< the stored value as text (FormatRecordField)
    std::string recalculated;
    double difference = 0; ///< recalculated minus stored for numbers; NaN for texts
                           ///< and when either is not finite
};

/// Recalculates the inputs of the document's cases as the window's
/// Calculate command does and lists every record field whose recalculated
/// value differs from the stored one, case by case in declared field order.
/// Numbers count as equal when they differ by at most `relTolerance` of
/// the larger magnitude (0: exactly equal); two NaNs are equal. Empty when
/// the document reproduces.
std::vector<ResultDifference> RecalculationDifferences(const SelectionState& stored,
                                                       double relTolerance = 0);

/// Calculates a record as the window's Calculate command leaves it:
/// CalculateAll, Calculate and the energy classification.
void CalculateAsShown(TDatenREK& record);

} // namespace tavro
