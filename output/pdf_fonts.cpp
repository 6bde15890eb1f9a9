// Face look-up through fontconfig's library. Qt draws the preview with the
// same configuration, so both find the same files.

#include "output/pdf_fonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace tavro {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

struct CharSetDeleter {
    void operator()(FcCharSet* c) const { FcCharSetDestroy(c); }
};
using CharSet = std::unique_ptr<FcCharSet, CharSetDeleter>;

// Everything found so far; fontconfig's own calls are not thread-safe on
// a shared configuration either, so one lock covers them.
struct Cache {
    std::mutex mutex;
    bool initialised = false;
    std::map<std::tuple<std::string, bool, bool>, std::optional<FontFace>> families;
    std::map<std::tuple<char32_t, bool, bool>, std::optional<FontFace>> chars;
    std::map<std::pair<std::string, int>, CharSet> charsets;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

bool SameFamily(const char* a, const std::string& b) {
    const std::string s(a);
    return std::equal(s.begin(), s.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

Pattern StylePattern(bool bold, bool italic) {
    Pattern p(FcPatternCreate());
    if (!p) return p;
    FcPatternAddInteger(p.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(p.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(p.get(), FC_SCALABLE, FcTrue);
    return p;
}

// The best match of a pattern, as a TrueType face; keeps its character
// set. `family`, when not empty, must be among the match's families.
std::optional<FontFace> Match(Cache& cache, FcPattern* pattern, const std::string& family,
                              bool bold, bool italic) {
    if (FcConfigSubstitute(nullptr, pattern, FcMatchPattern) == FcFalse) return std::nullopt;
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(nullptr, pattern, &result));
    if (!match || result != FcResultMatch) return std::nullopt;
    if (!family.empty()) {
        bool found = false;
        FcChar8* name = nullptr;
        for (int i = 0;
             !found && FcPatternGetString(match.get(), FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            found = SameFamily(reinterpret_cast<const char*>(name), family);
        }
        if (!found) return std::nullopt;
    }
    // libharu reads TrueType outlines only (no CFF, no bitmaps).
    FcChar8* format = nullptr;
    FcChar8* file = nullptr;
    FcCharSet* charset = nullptr;
    if (FcPatternGetString(match.get(), FC_FONTFORMAT, 0, &format) != FcResultMatch ||
        std::string(reinterpret_cast<const char*>(format)) != "TrueType" ||
        FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch ||
        FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &charset) != FcResultMatch) {
        return std::nullopt;
    }
    FontFace face;
    face.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &face.index);
    // Where the family lacks the style, fontconfig's rules ask the
    // renderer to embolden the face or to slant it by a matrix (and then
    // report the style asked for); the screen and the PDF do so.
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcBool embolden = FcFalse;
    FcMatrix* shear = nullptr;
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
    FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &embolden);
    const bool slanted = FcPatternGetMatrix(match.get(), FC_MATRIX, 0, &shear) == FcResultMatch &&
                         shear != nullptr && shear->xy != 0;
    face.syntheticBold = bold && (embolden == FcTrue || weight < FC_WEIGHT_DEMIBOLD);
    face.syntheticItalic = italic && (slanted || slant == FC_SLANT_ROMAN);
    auto& kept = cache.charsets[{face.file, face.index}];
    if (!kept) kept.reset(FcCharSetCopy(charset));
    return face;
}

bool Initialise(Cache& cache) {
    if (!cache.initialised) cache.initialised = FcInit() == FcTrue;
    return cache.initialised;
}

} // namespace

std::optional<FontFace> FindFace(const std::string& family, bool bold, bool italic) {
    Cache& cache = TheCache();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    const auto key = std::make_tuple(family, bold, italic);
    const auto it = cache.families.find(key);
    if (it != cache.families.end()) return it->second;
    std::optional<FontFace> face;
    if (!family.empty() && Initialise(cache)) {
        Pattern p = StylePattern(bold, italic);
        if (p) {
            FcPatternAddString(p.get(), FC_FAMILY,
                               reinterpret_cast<const FcChar8*>(family.c_str()));
            face = Match(cache, p.get(), family, bold, italic);
        }
    }
    return cache.families.emplace(key, face).first->second;
}

bool FaceHasChar(const FontFace& face, char32_t c) {
    Cache& cache = TheCache();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    const auto it = cache.charsets.find({face.file, face.index});
    return it != cache.charsets.end() && FcCharSetHasChar(it->second.get(), c) == FcTrue;
}

std::optional<FontFace> FaceForChar(char32_t c, bool bold, bool italic) {
    Cache& cache = TheCache();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    const auto key = std::make_tuple(c, bold, italic);
    const auto it = cache.chars.find(key);
    if (it != cache.chars.end()) return it->second;
    std::optional<FontFace> face;
    if (Initialise(cache)) {
        Pattern p = StylePattern(bold, italic);
        const CharSet wanted(FcCharSetCreate());
        if (p && wanted && FcCharSetAddChar(wanted.get(), c) == FcTrue) {
            // Coverage outranks the family in fontconfig's matching; the
            // family only breaks ties towards a sans-serif face.
            FcPatternAddCharSet(p.get(), FC_CHARSET, wanted.get());
            FcPatternAddString(p.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
            FcPatternAddString(p.get(), FC_FONTFORMAT,
                               reinterpret_cast<const FcChar8*>("TrueType"));
            face = Match(cache, p.get(), {}, bold, italic);
            if (face) {
                const auto& charset = cache.charsets[{face->file, face->index}];
                if (!charset || FcCharSetHasChar(charset.get(), c) != FcTrue) face.reset();
            }
        }
    }
    return cache.chars.emplace(key, face).first->second;
}

} // namespace tavro
