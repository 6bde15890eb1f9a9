#pragma once

// Decoding the program's pictures: JPEG with libjpeg, PNG with libpng, BMP
// by hand. A broken picture raises ResourceError; it never ends the program.

#include "shell/texts/resources.h"

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
    /// Pixels per layout pixel: 2 for the double drawing of a picture
    /// (LoadScreenPicture), 1 otherwise.
    int scale = 1;
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

/// A JPEG or PNG file, told apart by its signature; throws ResourceError
/// for anything else or when the data cannot be decoded.
Picture DecodePicture(std::span<const uint8_t> data);

/// The screen ratio from which the double drawings are taken: 1.5 device
/// pixels per layout pixel (below it, the picture scaled down from its double
/// would lose more than the picture scaled up).
inline constexpr double kDoubleDrawingRatio = 1.5;

/// The resource name of the double drawing of picture `key`: "<key>@2x",
/// for example "3202@2x" or "BUTTON_CLOSE@2x".
std::string DoubleDrawingName(std::string_view key);

/// A picture the windows show, drawn for a screen with `ratio` device pixels
/// per layout pixel: from kDoubleDrawingRatio on, its double drawing (twice
/// the width and height, scale 2) when the program has one; otherwise the
/// picture itself (scale 1). JPEG or PNG. `number` is a numbered resource,
/// `name` a named one. Throws ResourceError when the chosen picture is
/// missing or broken; a broken double drawing is an error, not a reason to
/// show the coarse picture.
Picture LoadScreenPicture(int number, double ratio);
Picture LoadScreenPicture(std::string_view name, double ratio);

/// The lines of a UTF-16 little-endian text resource with byte-order mark,
/// each converted to UiCodePage. A missing resource gives no lines; a
/// resource without the byte-order mark gives the lines read so far (none).
std::vector<std::string> LoadWideLineListResource(int number);

} // namespace tavro
