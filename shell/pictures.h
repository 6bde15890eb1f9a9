#pragma once

// Decoding the program's pictures: JPEG with libjpeg, PNG with libpng, BMP
// by hand. A broken picture raises ResourceError; it never ends the program.

#include "shell/resources.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tavro {

/// A decoded picture: 8-bit RGBA pixels, rows top to bottom, no padding.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba; ///< width × height × 4 bytes
};

/// Decodes a JPEG file; throws ResourceError with libjpeg's message when
/// the data is not a readable JPEG.
Picture DecodeJpeg(std::span<const uint8_t> data);

/// Decodes a PNG file; throws ResourceError with libpng's message when the
/// data is not a readable PNG.
Picture DecodePng(std::span<const uint8_t> data);

/// Decodes an uncompressed Windows bitmap file (1, 4, 8, 24 or 32 bits per
/// pixel); throws ResourceError for anything else or truncated data.
Picture DecodeBmp(std::span<const uint8_t> data);

/// The JPEG, PNG or BMP resource `number`, decoded; throws ResourceError
/// when it is missing or broken.
Picture LoadJpegResource(int number);
Picture LoadPngResource(int number);
Picture LoadBitmapResource(int number);

/// The PNG resource named `name` (the button glyphs), decoded.
Picture LoadPngResource(std::string_view name);

/// The lines of a UTF-16 little-endian text resource with byte-order mark,
/// each converted to UiCodePage. A missing resource gives no lines; a
/// resource without the byte-order mark gives the lines read so far (none).
std::vector<std::string> LoadWideLineListResource(int number);

} // namespace tavro
