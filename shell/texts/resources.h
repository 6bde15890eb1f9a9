#pragma once

// The program's own resources: pictures, the text table and other data
// compiled into the executable, found by number or by name.

#include "physics/numeric/errors.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tavro {

/// One compiled-in resource; number is 0 for a resource found by name.
struct ResourceEntry {
    int number;
    const char* name;
    const unsigned char* data;
    const unsigned long* size;
};

/// A missing or unreadable resource, or one whose content cannot be decoded.
class ResourceError : public Error {
public:
    using Error::Error;
};

/// The program's resource table, generated at build time from resources/.
std::span<const ResourceEntry> ProgramResourceTable();

/// The bytes of resource `number` (> 0), or nothing when there is none.
std::optional<std::span<const uint8_t>> FindResource(int number);

/// The bytes of the resource named `name` (exact match), or nothing.
std::optional<std::span<const uint8_t>> FindResource(std::string_view name);

/// The bytes of resource `number`; throws ResourceError naming it when it
/// does not exist.
std::span<const uint8_t> ResourceBytes(int number);

/// The bytes of the named resource; throws ResourceError when it does not exist.
std::span<const uint8_t> ResourceBytes(std::string_view name);

} // namespace tavro
