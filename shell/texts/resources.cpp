#include "shell/texts/resources.h"

#include <string>

namespace tavro {

namespace {

std::span<const uint8_t> Bytes(const ResourceEntry& e) {
    return {reinterpret_cast<const uint8_t*>(e.data), static_cast<size_t>(*e.size)};
}

} // namespace

std::optional<std::span<const uint8_t>> FindResource(int number) {
    if (number <= 0) return std::nullopt;
    for (const ResourceEntry& e : ProgramResourceTable()) {
        if (e.number == number) return Bytes(e);
    }
    return std::nullopt;
}

std::optional<std::span<const uint8_t>> FindResource(std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (const ResourceEntry& e : ProgramResourceTable()) {
        if (e.number == 0 && name == e.name) return Bytes(e);
    }
    return std::nullopt;
}

std::span<const uint8_t> ResourceBytes(int number) {
    if (auto bytes = FindResource(number)) return *bytes;
    throw ResourceError("resource " + std::to_string(number) + " does not exist");
}

std::span<const uint8_t> ResourceBytes(std::string_view name) {
    if (auto bytes = FindResource(name)) return *bytes;
    throw ResourceError("resource \"" + std::string(name) + "\" does not exist");
}

} // namespace tavro
