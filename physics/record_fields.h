#pragma once

// The named fields of a TDatenREK in declared order, for setting and
// printing a record by field name (the command line, tests, diagnostics).

#include "physics/numeric/number_text.h"
#include "physics/records.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace tavro {

struct RecordField {
    using Member = std::variant<int32_t TDatenREK::*, uint8_t TDatenREK::*, double TDatenREK::*,
                                std::string TDatenREK::*>;
    std::string_view name;
    Member member;
};

/// Every named field of TDatenREK, in declared order.
std::span<const RecordField> RecordFields();

/// The field with exactly this name (case-sensitive), or nullptr.
const RecordField* FindRecordField(std::string_view name);

/// Sets a field from text: integers in decimal within the field's range,
/// doubles in C notation (always a decimal point, whatever the locale),
/// strings as they are. Throws tavro::Error with a message naming the field
/// when the text is not a valid value; the record is then unchanged.
void SetRecordField(TDatenREK& record, const RecordField& field, std::string_view text);

/// The field's value as text: integers in decimal, doubles with 17
/// significant digits in C notation, strings as they are.
std::string FormatRecordField(const TDatenREK& record, const RecordField& field);

} // namespace tavro
