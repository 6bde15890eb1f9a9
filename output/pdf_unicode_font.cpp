// libharu's UTF-8 TrueType fonts and the repairs they need. The repairs
// reach into libharu's object and font records (installed with its public
// headers, fixed for the packaged 2.3 release).

#include "output/pdf_unicode_font.h"

#include "physics/numeric/errors.h"

#include <hpdf_doc.h>
#include <hpdf_font.h>
#include <hpdf_fontdef.h>
#include <hpdf_objects.h>
#include <hpdf_streams.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace tavro {

namespace {

bool IsCollection(const std::string& file) {
    return file.size() > 4 && (file.ends_with(".ttc") || file.ends_with(".TTC"));
}

// The ToUnicode map of a font whose codes are the code points themselves:
// one bfchar entry per code drawn, at most 100 to a block.
std::string ToUnicodeMap(const std::set<char16_t>& used) {
    std::string map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<char16_t> codes(used.begin(), used.end());
    for (size_t first = 0; first < codes.size(); first += 100) {
        const size_t n = std::min<size_t>(100, codes.size() - first);
        map += std::to_string(n) + " beginbfchar\n";
        for (size_t i = first; i < first + n; ++i) {
            std::array<char, 24> line{};
            std::snprintf(line.data(), line.size(), "<%04X> <%04X>\n", unsigned(codes[i]),
                          unsigned(codes[i]));
            map += line.data();
        }
        map += "endbfchar\n";
    }
    map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return map;
}

void ReplaceToUnicode(HPDF_Doc doc, HPDF_Font font, const std::set<char16_t>& used) {
    const auto* attr = static_cast<HPDF_FontAttr>(font->attr);
    HPDF_Dict stream = HPDF_DictStream_New(font->mmgr, attr->xref);
    if (stream == nullptr) throw Error("PDF: cannot create a text map");
    if (doc->compression_mode) stream->filter = HPDF_STREAM_FILTER_FLATE_DECODE;
    const std::string map = ToUnicodeMap(used);
    if (HPDF_Stream_Write(stream->stream, reinterpret_cast<const HPDF_BYTE*>(map.data()),
                          static_cast<HPDF_UINT>(map.size())) != HPDF_OK ||
        HPDF_Dict_Add(font, "ToUnicode", stream) != HPDF_OK) {
        throw Error("PDF: cannot write a text map");
    }
}

// libharu maps every code of the face's character map to its glyph: 128 KB
// that compress poorly for a large CJK face. The map of the codes drawn,
// zero elsewhere, draws the same.
void ShrinkGlyphMap(HPDF_Font font, const std::set<char16_t>& used) {
    const auto* attr = static_cast<HPDF_FontAttr>(font->attr);
    if (attr->map_stream == nullptr || used.empty()) return;
    std::vector<HPDF_BYTE> map(2 * (size_t(*used.rbegin()) + 1), 0);
    for (const char16_t c : used) {
        const HPDF_UINT16 gid = HPDF_TTFontDef_GetGlyphid(attr->fontdef, c);
        map[2 * size_t(c)] = HPDF_BYTE(gid >> 8);
        map[2 * size_t(c) + 1] = HPDF_BYTE(gid & 0xFF);
    }
    HPDF_MemStream_FreeData(attr->map_stream->stream);
    if (HPDF_Stream_Write(attr->map_stream->stream, map.data(), HPDF_UINT(map.size())) != HPDF_OK) {
        throw Error("PDF: cannot write a glyph map");
    }
}

// Reads the font file with pread; the file stays open for one completion.
class FontFile {
public:
    explicit FontFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd_ < 0) {
            throw Error("PDF: cannot read the font file \"" + path + "\": " + std::strerror(errno));
        }
    }
    ~FontFile() { ::close(fd_); }
    FontFile(const FontFile&) = delete;
    FontFile& operator=(const FontFile&) = delete;

    // `n` bytes at `offset`; fewer at the end of the file.
    std::vector<unsigned char> Read(uint64_t offset, size_t n) const {
        std::vector<unsigned char> bytes(n);
        size_t got = 0;
        while (got < n) {
            const ssize_t r = ::pread(fd_, bytes.data() + got, n - got, off_t(offset + got));
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) break;
            got += size_t(r);
        }
        bytes.resize(got);
        return bytes;
    }

private:
    int fd_;
};

unsigned Word(const std::vector<unsigned char>& b, size_t at) {
    return at + 1 < b.size() ? (unsigned(b[at]) << 8) | b[at + 1] : 0;
}

// The component glyphs of a composite glyph (its description in the
// TrueType 'glyf' table); none for a simple glyph.
std::vector<unsigned> Components(const std::vector<unsigned char>& glyph) {
    constexpr unsigned kWords = 0x0001, kScale = 0x0008, kMore = 0x0020, kXYScale = 0x0040,
                       kTwoByTwo = 0x0080;
    std::vector<unsigned> components;
    if (glyph.size() < 10 || Word(glyph, 0) != 0xFFFF) return components;
    size_t at = 10; // past the contour count and the bounding box
    // A composite has at most as many components as its bytes allow.
    for (size_t guard = 0; guard < glyph.size() / 4 && at + 4 <= glyph.size(); ++guard) {
        const unsigned flags = Word(glyph, at);
        components.push_back(Word(glyph, at + 2));
        at += 4 + ((flags & kWords) ? 4 : 2);
        if (flags & kScale)
            at += 2;
        else if (flags & kXYScale)
            at += 4;
        else if (flags & kTwoByTwo)
            at += 8;
        if (!(flags & kMore)) break;
    }
    return components;
}

void CompleteGlyphs(HPDF_Font font, const std::string& file) {
    const auto* attr = static_cast<HPDF_FontAttr>(font->attr);
    auto* tt = static_cast<HPDF_TTFontDefAttr>(attr->fontdef->attr);
    const unsigned count = tt->num_glyphs;
    const HPDF_TTF_GryphOffsets& table = tt->glyph_tbl;
    const uint64_t unit = tt->header.index_to_loc_format == 0 ? 2 : 1;
    const FontFile font_file(file);
    std::vector<unsigned> pending;
    for (unsigned gid = 0; gid < count; ++gid) {
        if (table.flgs[gid]) pending.push_back(gid);
    }
    // Each glyph enters the list once, so the walk ends after at most
    // `count` glyphs whatever the file says.
    while (!pending.empty()) {
        const unsigned gid = pending.back();
        pending.pop_back();
        const uint64_t start = table.offsets[gid] * unit;
        const uint64_t end = table.offsets[gid + 1] * unit;
        if (end <= start || end - start > 65536) continue;
        const auto glyph = font_file.Read(table.base_offset + start, size_t(end - start));
        for (const unsigned component : Components(glyph)) {
            if (component < count && !table.flgs[component]) {
                table.flgs[component] = 1;
                pending.push_back(component);
            }
        }
    }
}

} // namespace

HPDF_Font LoadUnicodeFont(HPDF_Doc doc, const FontFace& face) {
    const char* name =
        IsCollection(face.file)
            ? HPDF_LoadTTFontFromFile2(doc, face.file.c_str(), HPDF_UINT(face.index), HPDF_TRUE)
            : HPDF_LoadTTFontFromFile(doc, face.file.c_str(), HPDF_TRUE);
    if (name == nullptr) return nullptr;
    return HPDF_GetFont(doc, name, "UTF-8");
}

void CompleteUnicodeFont(HPDF_Doc doc, HPDF_Font font, const FontFace& face,
                         const std::set<char16_t>& used) {
    ReplaceToUnicode(doc, font, used);
    ShrinkGlyphMap(font, used);
    CompleteGlyphs(font, face.file);
}

} // namespace tavro
