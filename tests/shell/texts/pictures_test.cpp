#include "shell/texts/pictures.h"

#include "shell/texts/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {
namespace {

struct Expected {
    int number;
    bool jpeg;
    int width;  // 0: any
    int height; // 0: any
};

TEST(Pictures, EveryPictureResourceDecodes) {
    const Expected pictures[] = {
        {195, true, 0, 0},     {196, false, 0, 0},    {198, true, 0, 0},     {200, true, 0, 0},
        {1900, true, 220, 14}, {2900, true, 220, 14}, {3900, true, 220, 14}, {7900, true, 220, 14},
        {8900, true, 220, 14}, {9900, true, 220, 14}, {3101, true, 0, 0},    {3202, true, 0, 42},
        {3203, true, 0, 42},   {3401, true, 0, 0},    {9990, false, 32, 32},
    };
    for (const Expected& e : pictures) {
        SCOPED_TRACE("picture " + std::to_string(e.number));
        const Picture p = e.jpeg ? LoadJpegResource(e.number) : LoadPngResource(e.number);
        EXPECT_GT(p.width, 0);
        EXPECT_GT(p.height, 0);
        if (e.width) {
            EXPECT_EQ(p.width, e.width);
        }
        if (e.height) {
            EXPECT_EQ(p.height, e.height);
        }
        EXPECT_EQ(p.rgba.size(), static_cast<size_t>(p.width) * p.height * 4);
    }
    for (const char* name :
         {"BUTTON_CLOSE", "BUTTON_PAGE", "BUTTON_PRINT", "BUTTON_NOTES", "BUTTON_PREVIOUS",
          "BUTTON_NEXT", "BUTTON_FIRST", "BUTTON_LAST", "BUTTON_SHOW", "BUTTON_HIDE"}) {
        const Picture p = LoadPngResource(name);
        EXPECT_EQ(p.width, 16) << name;
        EXPECT_EQ(p.height, 16) << name;
    }
}

// Every double drawing has its picture and is exactly twice its size, so
// that a window lays it out at the picture's size; the windows' pictures
// all have one.
TEST(Pictures, DoubleDrawingsAreTwiceTheirPictures) {
    constexpr std::string_view kSuffix = "@2x";
    std::vector<std::string> keys;
    for (const ResourceEntry& e : ProgramResourceTable()) {
        const std::string_view name = e.name;
        if (name.ends_with(kSuffix))
            keys.emplace_back(name.substr(0, name.size() - kSuffix.size()));
    }
    for (const char* shown : {"196",
                              "198",
                              "200",
                              "1900",
                              "2900",
                              "3900",
                              "7900",
                              "8900",
                              "9900",
                              "3101",
                              "3202",
                              "3203",
                              "3401",
                              "9990",
                              "BUTTON_CLOSE",
                              "BUTTON_PAGE",
                              "BUTTON_PRINT",
                              "BUTTON_NOTES",
                              "BUTTON_PREVIOUS",
                              "BUTTON_NEXT",
                              "BUTTON_FIRST",
                              "BUTTON_LAST",
                              "BUTTON_SHOW",
                              "BUTTON_HIDE"}) {
        EXPECT_NE(std::find(keys.begin(), keys.end(), shown), keys.end()) << shown;
    }
    for (const std::string& key : keys) {
        SCOPED_TRACE(key);
        const bool numbered =
            std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
        const auto load = [&](double ratio) {
            return numbered ? LoadScreenPicture(std::stoi(key), ratio)
                            : LoadScreenPicture(key, ratio);
        };
        const Picture single = load(1.0);
        const Picture doubled = load(2.0);
        EXPECT_EQ(single.scale, 1);
        EXPECT_EQ(doubled.scale, 2);
        EXPECT_EQ(doubled.width, 2 * single.width);
        EXPECT_EQ(doubled.height, 2 * single.height);
    }
}

TEST(Pictures, ScreenPictureChoosesByRatio) {
    EXPECT_EQ(LoadScreenPicture(3202, 1.49).scale, 1);
    EXPECT_EQ(LoadScreenPicture(3202, kDoubleDrawingRatio).scale, 2);
    EXPECT_EQ(LoadScreenPicture("BUTTON_NEXT", 3.0).width, 32);
    // The data sheet's test mark has no double drawing: the picture itself.
    const Picture mark = LoadScreenPicture(195, 2.0);
    EXPECT_EQ(mark.scale, 1);
    EXPECT_EQ(mark.width, 160);
    EXPECT_THROW(LoadScreenPicture(4711, 2.0), ResourceError);
    EXPECT_THROW(LoadScreenPicture("BUTTON_NONE", 1.0), ResourceError);
    EXPECT_EQ(DoubleDrawingName("3202"), "3202@2x");
}

TEST(Pictures, DecodePictureTellsJpegFromPng) {
    EXPECT_EQ(DecodePicture(ResourceBytes(3101)).width, 500);
    EXPECT_EQ(DecodePicture(ResourceBytes(9990)).width, 32);
    const std::vector<uint8_t> bmp(100, 'B');
    EXPECT_THROW(DecodePicture(bmp), ResourceError);
    EXPECT_THROW(DecodePicture({}), ResourceError);
    // A JPEG signature over garbage is still a broken JPEG.
    std::vector<uint8_t> fake(200, 0x11);
    fake[0] = 0xFF;
    fake[1] = 0xD8;
    fake[2] = 0xFF;
    EXPECT_THROW(DecodePicture(fake), ResourceError);
}

TEST(Pictures, ProgramIconInEveryThemeSize) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const Picture icon = LoadPngResource("TAVRO_ICON_" + std::to_string(size));
        EXPECT_EQ(icon.width, size);
        EXPECT_EQ(icon.height, size);
    }
}

TEST(Pictures, MissingResourcesRaise) {
    EXPECT_THROW(LoadJpegResource(4711), ResourceError);
    EXPECT_THROW(LoadPngResource("BUTTON_NONE"), ResourceError);
    EXPECT_THROW(ResourceBytes(0), ResourceError);
    EXPECT_TRUE(LoadWideLineListResource(4711).empty());
}

std::vector<uint8_t> Copy(std::span<const uint8_t> s) {
    return {s.begin(), s.end()};
}

TEST(Pictures, BrokenJpegRaisesInsteadOfEndingTheProgram) {
    const std::vector<uint8_t> good = Copy(ResourceBytes(3101));
    std::vector<uint8_t> truncated(good.begin(), good.begin() + 200);
    EXPECT_THROW(DecodeJpeg(truncated), ResourceError);
    std::vector<uint8_t> garbage(1000, 0x5A);
    EXPECT_THROW(DecodeJpeg(garbage), ResourceError);
    EXPECT_THROW(DecodeJpeg({}), ResourceError);
    // A PNG is not a JPEG.
    EXPECT_THROW(DecodeJpeg(ResourceBytes(9990)), ResourceError);
    try {
        DecodeJpeg(garbage);
    } catch (const ResourceError& e) {
        EXPECT_NE(std::string(e.what()).find("JPEG"), std::string::npos);
    }
}

TEST(Pictures, BrokenPngRaises) {
    std::vector<uint8_t> png = Copy(ResourceBytes(9990));
    std::vector<uint8_t> truncated(png.begin(), png.begin() + png.size() / 2);
    EXPECT_THROW(DecodePng(truncated), ResourceError);
    std::vector<uint8_t> corrupt = png;
    for (size_t i = 40; i < corrupt.size() - 20; i += 7)
        corrupt[i] ^= 0xFF;
    EXPECT_THROW(DecodePng(corrupt), ResourceError);
    EXPECT_THROW(DecodePng({}), ResourceError);
    EXPECT_THROW(DecodePng(ResourceBytes(3101)), ResourceError);
}

// A bitmap file: header, optional palette, rows bottom-up padded to 4 bytes.
std::vector<uint8_t> Bmp(int width, int height, int bpp, const std::vector<uint8_t>& palette,
                         const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> d(54 + palette.size() + pixels.size(), 0);
    auto put = [&](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            d[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    const uint32_t offset = 54 + static_cast<uint32_t>(palette.size());
    d[0] = 'B';
    d[1] = 'M';
    put(2, offset + static_cast<uint32_t>(pixels.size()), 4);
    put(10, offset, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, static_cast<uint32_t>(bpp), 2);
    put(46, static_cast<uint32_t>(palette.size() / 4), 4);
    std::copy(palette.begin(), palette.end(), d.begin() + 54);
    std::copy(pixels.begin(), pixels.end(), d.begin() + 54 + static_cast<long>(palette.size()));
    return d;
}

TEST(Pictures, BitmapsOfEachDepth) {
    // 2 × 2, 24 bits: bottom row blue, red; top row green, white.
    const Picture p =
        DecodeBmp(Bmp(2, 2, 24, {}, {255, 0, 0, 0, 0, 255, 0, 0, 0, 255, 0, 255, 255, 255, 0, 0}));
    ASSERT_EQ(p.width, 2);
    ASSERT_EQ(p.height, 2);
    const std::vector<uint8_t> expected = {0, 255, 0,   255, 255, 255, 255, 255,
                                           0, 0,   255, 255, 255, 0,   0,   255};
    EXPECT_EQ(p.rgba, expected);
    // 8 bits with a palette of two colours, one row of three pixels.
    const Picture q = DecodeBmp(Bmp(3, 1, 8, {0, 0, 0, 0, 0, 0, 255, 0}, {1, 0, 1, 0}));
    EXPECT_EQ(q.rgba[0], 255);
    EXPECT_EQ(q.rgba[4], 0);
    // 1 bit, one row of eight pixels 10110000.
    const Picture r = DecodeBmp(Bmp(8, 1, 1, {0, 0, 0, 0, 255, 255, 255, 0}, {0xB0, 0, 0, 0}));
    EXPECT_EQ(r.rgba[0], 255);
    EXPECT_EQ(r.rgba[4], 0);
    EXPECT_EQ(r.rgba[8], 255);
    EXPECT_EQ(r.rgba[12], 255);
    EXPECT_EQ(r.rgba[16], 0);
}

TEST(Pictures, BrokenBitmapsRaise) {
    std::vector<uint8_t> good = Bmp(2, 2, 24, {}, std::vector<uint8_t>(16, 7));
    std::vector<uint8_t> truncated(good.begin(), good.end() - 5);
    EXPECT_THROW(DecodeBmp(truncated), ResourceError);
    EXPECT_THROW(DecodeBmp(Bmp(2, 2, 16, {}, std::vector<uint8_t>(8, 0))), ResourceError);
    EXPECT_THROW(DecodeBmp(Bmp(0, 2, 24, {}, {})), ResourceError);
    EXPECT_THROW(DecodeBmp(Bmp(1, 1, 8, {0, 0, 0, 0}, {3, 0, 0, 0})),
                 ResourceError); // index 3 of 1
    std::vector<uint8_t> notBmp = good;
    notBmp[0] = 'X';
    EXPECT_THROW(DecodeBmp(notBmp), ResourceError);
    EXPECT_THROW(DecodeBmp({}), ResourceError);
}

} // namespace
} // namespace tavro
