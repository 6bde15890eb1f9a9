#include "shell/texts/code_pages.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace tavro {

namespace {

const char* IconvName(int codePage) {
    switch (codePage) {
    case 1250:
        return "CP1250";
    case 1251:
        return "CP1251";
    case 1254:
        return "CP1254";
    case 936:
        return "CP936";
    default:
        return nullptr;
    }
}

// One iconv conversion descriptor for the life of a call.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible of [in, in + inLeft) into out; returns
    // the errno of the stop (0 when all input was taken).
    int Convert(const char*& in, size_t& inLeft, std::string& out) {
        char buffer[256];
        while (inLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            char* src = const_cast<char*>(in);
            const size_t r = iconv(cd_, &src, &inLeft, &dst, &dstLeft);
            in = src;
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG) continue;
                return errno;
            }
        }
        // Flush a stateful encoder.
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        return 0;
    }

private:
    iconv_t cd_;
};

} // namespace

std::string WideToCodePage(std::u16string_view text, int codePage) {
    const char* name = IconvName(codePage);
    if (name == nullptr) return {};
    Converter conv(name, "UTF-16LE");
    if (!conv.ok()) return {};
    std::string out;
    // iconv takes UTF-16LE bytes; build them explicitly, whatever the host order.
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    const char* in = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const int err = conv.Convert(in, left, out);
        if (err == 0) break;
        // A character the code page lacks (EILSEQ) or a cut surrogate
        // (EINVAL): write the default character and skip one code unit,
        // two for a surrogate pair.
        out.push_back('?');
        size_t skip = 2;
        if (left >= 4) {
            const unsigned hi =
                static_cast<unsigned char>(in[0]) | static_cast<unsigned char>(in[1]) << 8;
            const unsigned lo =
                static_cast<unsigned char>(in[2]) | static_cast<unsigned char>(in[3]) << 8;
            if (hi >= 0xD800 && hi < 0xDC00 && lo >= 0xDC00 && lo < 0xE000) skip = 4;
        }
        skip = std::min(skip, left);
        in += skip;
        left -= skip;
    }
    return out;
}

std::string CodePageToUtf8(std::string_view text, int codePage) {
    const char* name = IconvName(codePage);
    if (name == nullptr) return {};
    Converter conv("UTF-8", name);
    if (!conv.ok()) return {};
    std::string out;
    const char* in = text.data();
    size_t left = text.size();
    while (left > 0) {
        if (conv.Convert(in, left, out) == 0) break;
        out += "\xEF\xBF\xBD";
        ++in;
        --left;
    }
    return out;
}

std::u16string Utf8ToWide(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        char32_t cp = 0xFFFD;
        size_t len = 1;
        auto cont = [&](size_t k) {
            return i + k < text.size() && (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        };
        auto bits = [&](size_t k) { return static_cast<char32_t>(text[i + k] & 0x3F); };
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2 && cont(1)) {
            cp = (static_cast<char32_t>(b0 & 0x1F) << 6) | bits(1);
            len = 2;
        } else if ((b0 & 0xF0) == 0xE0 && cont(1) && cont(2)) {
            cp = (static_cast<char32_t>(b0 & 0x0F) << 12) | (bits(1) << 6) | bits(2);
            len = 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000)) cp = 0xFFFD;
        } else if ((b0 & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
            cp = (static_cast<char32_t>(b0 & 0x07) << 18) | (bits(1) << 12) | (bits(2) << 6) |
                 bits(3);
            len = 4;
            if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::string CutToBytes(std::string text, size_t maxBytes, int codePage) {
    if (text.size() <= maxBytes) return text;
    if (codePage != 936) {
        text.resize(maxBytes);
        return text;
    }
    // GBK: a byte from 0x81 on leads a two-byte character.
    size_t end = 0;
    while (end < text.size()) {
        const size_t len = static_cast<unsigned char>(text[end]) >= 0x81 ? 2 : 1;
        if (end + len > maxBytes) break;
        end += len;
    }
    text.resize(end);
    return text;
}

} // namespace tavro
