#include "shell/texts/pictures.h"

#include "shell/texts/texts.h"

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

namespace tavro {

namespace {

// libjpeg's default error handler ends the process. This one jumps back to
// the decoder, which cleans up and reports the message.
struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr info) {
    auto* err = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

void JpegSilent(j_common_ptr) {}

// Kept free of C++ objects with destructors between setjmp and longjmp;
// the picture lives in the caller's frame.
bool DecodeJpegInto(const uint8_t* data, size_t size, Picture& out, char* message) {
    jpeg_decompress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    err.mgr.output_message = JpegSilent;
    err.message[0] = '\0';
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        std::strncpy(message, err.message, JMSG_LENGTH_MAX);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.rgba.resize(static_cast<size_t>(out.width) * out.height * 4);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.rgba.data() + static_cast<size_t>(info.output_scanline) * out.width * 4;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

uint32_t Le(std::span<const uint8_t> d, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | d[at + static_cast<size_t>(i)];
    return v;
}

} // namespace

Picture DecodeJpeg(std::span<const uint8_t> data) {
    Picture picture;
    char message[JMSG_LENGTH_MAX] = {};
    if (data.empty() || !DecodeJpegInto(data.data(), data.size(), picture, message)) {
        throw ResourceError(std::string("broken JPEG picture: ") +
                            (message[0] ? message : "no data"));
    }
    return picture;
}

Picture DecodePng(std::span<const uint8_t> data) {
    // The simplified libpng interface keeps its error jumps inside libpng
    // and reports failure through the image's message.
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (data.empty() || !png_image_begin_read_from_memory(&image, data.data(), data.size())) {
        const std::string message = data.empty() ? "no data" : image.message;
        png_image_free(&image);
        throw ResourceError("broken PNG picture: " + message);
    }
    image.format = PNG_FORMAT_RGBA;
    Picture picture;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr)) {
        const std::string message = image.message;
        png_image_free(&image);
        throw ResourceError("broken PNG picture: " + message);
    }
    return picture;
}

Picture DecodeBmp(std::span<const uint8_t> d) {
    auto fail = [](const char* why) {
        return ResourceError(std::string("broken BMP picture: ") + why);
    };
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') throw fail("no bitmap file header");
    const uint32_t offset = Le(d, 10, 4);
    const uint32_t header = Le(d, 14, 4);
    if (header < 40 || 14 + static_cast<size_t>(header) > d.size())
        throw fail("unsupported header");
    const auto width = static_cast<int32_t>(Le(d, 18, 4));
    const auto rawHeight = static_cast<int32_t>(Le(d, 22, 4));
    const uint32_t bpp = Le(d, 28, 2);
    const uint32_t compression = Le(d, 30, 4);
    uint32_t colours = Le(d, 46, 4);
    if (compression != 0 && !(compression == 3 && bpp == 32))
        throw fail("compressed bitmaps are not supported");
    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || width > 20000 ||
        std::abs(rawHeight) > 20000) {
        throw fail("bad size");
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) throw fail("unsupported depth");
    const bool bottomUp = rawHeight > 0;
    const int height = std::abs(rawHeight);
    const size_t stride = (static_cast<size_t>(width) * bpp + 31) / 32 * 4;
    if (offset > d.size() || stride * height > d.size() - offset)
        throw fail("truncated pixel data");
    if (bpp <= 8 && colours == 0) colours = 1u << bpp;
    const size_t palette = 14 + static_cast<size_t>(header);
    if (bpp <= 8 && (colours > 256 || palette + colours * 4 > offset)) throw fail("bad palette");

    Picture p;
    p.width = width;
    p.height = height;
    p.rgba.resize(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + stride * static_cast<size_t>(bottomUp ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            uint8_t* px = &p.rgba[(static_cast<size_t>(y) * width + x) * 4];
            size_t at;
            if (bpp <= 8) {
                const size_t bit = static_cast<size_t>(x) * bpp;
                const unsigned index =
                    (d[row + bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                if (index >= colours) throw fail("palette index out of range");
                at = palette + index * 4;
            } else {
                at = row + static_cast<size_t>(x) * (bpp / 8);
            }
            px[0] = d[at + 2];
            px[1] = d[at + 1];
            px[2] = d[at];
            px[3] = bpp == 32 ? d[at + 3] : 255;
        }
    }
    return p;
}

Picture LoadJpegResource(int number) {
    return DecodeJpeg(ResourceBytes(number));
}

Picture LoadPngResource(int number) {
    return DecodePng(ResourceBytes(number));
}

Picture LoadPngResource(std::string_view name) {
    return DecodePng(ResourceBytes(name));
}

Picture DecodePicture(std::span<const uint8_t> data) {
    static constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return DecodeJpeg(data);
    if (data.size() >= sizeof kPngSignature &&
        std::memcmp(data.data(), kPngSignature, sizeof kPngSignature) == 0) {
        return DecodePng(data);
    }
    throw ResourceError("broken picture: neither JPEG nor PNG");
}

std::string DoubleDrawingName(std::string_view key) {
    return std::string(key) + "@2x";
}

namespace {

Picture LoadScreenPicture(std::string_view key, std::span<const uint8_t> single, double ratio) {
    if (ratio >= kDoubleDrawingRatio) {
        if (const auto doubled = FindResource(DoubleDrawingName(key))) {
            Picture picture = DecodePicture(*doubled);
            picture.scale = 2;
            return picture;
        }
    }
    return DecodePicture(single);
}

} // namespace

Picture LoadScreenPicture(int number, double ratio) {
    return LoadScreenPicture(std::to_string(number), ResourceBytes(number), ratio);
}

Picture LoadScreenPicture(std::string_view name, double ratio) {
    return LoadScreenPicture(name, ResourceBytes(name), ratio);
}

Picture LoadBitmapResource(int number) {
    return DecodeBmp(ResourceBytes(number));
}

std::vector<std::string> LoadWideLineListResource(int number) {
    std::vector<std::string> lines;
    const auto bytes = FindResource(number);
    if (!bytes || bytes->size() < 2 || (*bytes)[0] != 0xFF || (*bytes)[1] != 0xFE) return lines;
    std::u16string line;
    for (size_t i = 2; i + 1 < bytes->size(); i += 2) {
        const auto c = static_cast<char16_t>((*bytes)[i] | (*bytes)[i + 1] << 8);
        if (c == u'\n') {
            if (!line.empty() && line.back() == u'\r') line.pop_back();
            lines.push_back(WideToUi(line));
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty()) {
        if (line.back() == u'\r') line.pop_back();
        lines.push_back(WideToUi(line));
    }
    return lines;
}

} // namespace tavro
