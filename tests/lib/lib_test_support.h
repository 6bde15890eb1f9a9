#pragma once

// Helpers of the library's tests: a record filled through the C interface
// and strings that free themselves.

#include "tavro/tavro.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tavro::lib_test {

struct RecordDeleter {
    void operator()(tavro_record* r) const { tavro_record_free(r); }
};
using RecordPtr = std::unique_ptr<tavro_record, RecordDeleter>;

inline RecordPtr NewRecord() {
    tavro_record* r = nullptr;
    if (tavro_record_create(&r) != TAVRO_OK) return nullptr;
    return RecordPtr(r);
}

/// A string the library handed out, as std::string; frees it.
inline std::string Take(char* text) {
    std::string s = text != nullptr ? text : "";
    tavro_free(text);
    return s;
}

/// The inputs of a winter case on the 600 mm edge.
inline std::vector<std::pair<std::string, std::string>> WinterInputs() {
    return {{"AirState", "0"}, {"AirQuant", "0"}, {"pbar", "1013"},    {"SVol11", "10000"},
            {"Temp11", "-12"}, {"Phi11", "90"},   {"SVol21", "10000"}, {"Temp21", "22"},
            {"Phi21", "40"},   {"Edge", "600"},   {"Width", "600"},    {"PType", "2"}};
}

} // namespace tavro::lib_test
