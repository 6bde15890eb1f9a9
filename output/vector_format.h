#pragma once

// The text format of the program's vector pictures (resources/vectors/, see
// the README there): one drawing command a line, read into a recorded
// picture by drawing through a recording canvas.

#include "output/recording.h"

#include <functional>
#include <string_view>

namespace tavro {

/// Returns the picture that a `picture` command nests, by resource number.
using NestedPictureLoader = std::function<Recording(int number)>;

/// Reads the text of vector picture `number` into a recorded picture of
/// the size its `size` line gives. Throws ResourceError naming the picture
/// and the line for anything it cannot read: an unknown command, a wrong
/// number of arguments, a bad number or colour, an unterminated string, a
/// point outside the picture, a missing or repeated size line, an absurd
/// size. Errors of a nested picture are reported with the line that nests
/// it. Without a loader a `picture` command is an error.
Recording ParseVectorPicture(std::string_view text, int number,
                             const NestedPictureLoader& nested = {});

/// The largest width or height a vector picture may declare.
inline constexpr int kMaxVectorPictureSide = 100000;

} // namespace tavro
