#pragma once

// The program's vector pictures: the maker's logo of the letterhead (101),
// the certification marks (201, 203), the plate-package drawing of the
// product description (3300) and the front views of the exchanger sketch
// (3310, 3320, 3325, 3330, 3340, 3360, 3361), stored among the resources
// and returned as recorded pictures.

#include "output/recording.h"

namespace tavro {

/// The vector picture `number` as a recorded picture of its own logical
/// size. Throws ResourceError with a clear message when it is missing or
/// cannot be read.
Recording LoadMetafileResource(int number);

} // namespace tavro
