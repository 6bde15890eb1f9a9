#pragma once

// The operating points pinned in records.json, shared by the tests that pin
// what is computed and what is shown of them.

#include <string>
#include <vector>

namespace tavro::golden {

using Args = std::vector<std::string>;

struct Case {
    std::string name;
    std::vector<Args> calls; // one command line each, without --json
};

/// The record cases: one `record KEY=VALUE...` call each (dry and wet,
/// swapped streams, 1 to 4 units in series, every plate type of the edge
/// 700, several edges, 1500 m altitude, every input mode, faults).
std::vector<Case> RecordCases();

} // namespace tavro::golden
