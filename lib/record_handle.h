#pragma once

// What a tavro_record handle holds: the calculation record and the message
// of its last failed call.

#include "physics/records.h"

#include <string>

struct tavro_record {
    tavro::TDatenREK record;
    std::string error;
};
