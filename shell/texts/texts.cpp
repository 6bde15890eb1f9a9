#include "shell/texts/texts.h"

#include "shell/texts/code_pages.h"
#include "shell/texts/languages.h"
#include "shell/texts/resources.h"

#include <charconv>
#include <unordered_map>

namespace tavro {

namespace {

constexpr size_t kMaxTextBytes = 255;

// The string table: the text files of every language among the resources,
// parsed once. Each file holds lines "n<TAB>text" in UTF-8; '#' starts a
// comment line.
const std::unordered_map<int, std::u16string>& StringTable() {
    static const std::unordered_map<int, std::u16string> table = [] {
        std::unordered_map<int, std::u16string> t;
        for (int language : AvailableLanguages) {
            const auto bytes = FindResource("TEXTS_" + std::to_string(language));
            if (!bytes) continue;
            const std::string_view file(reinterpret_cast<const char*>(bytes->data()),
                                        bytes->size());
            size_t pos = 0;
            while (pos < file.size()) {
                size_t end = file.find('\n', pos);
                if (end == std::string_view::npos) end = file.size();
                std::string_view line = file.substr(pos, end - pos);
                pos = end + 1;
                if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
                if (line.empty() || line.front() == '#') continue;
                const size_t tab = line.find('\t');
                if (tab == std::string_view::npos) continue;
                int n = 0;
                const auto [ptr, ec] = std::from_chars(line.data(), line.data() + tab, n);
                if (ec != std::errc() || ptr != line.data() + tab || n < 1 || n > 999) continue;
                t[10000 + 1000 * language + n] = Utf8ToWide(line.substr(tab + 1));
            }
        }
        return t;
    }();
    return table;
}

} // namespace

std::u16string TableText(int r) {
    const auto& table = StringTable();
    const auto it = table.find(r);
    return it == table.end() ? std::u16string() : it->second;
}

std::string WideToUi(std::u16string_view text) {
    return WideToCodePage(text, UiCodePage);
}

std::string UiToUtf8(std::string_view text) {
    return CodePageToUtf8(text, UiCodePage);
}

std::string GetText(int n) {
    try {
        std::u16string text = TableText(10000 + 1000 * CurrentLanguage + n);
        // The platform's string buffer holds 255 code units and a terminator.
        if (text.size() > kMaxTextBytes) text.resize(kMaxTextBytes);
        return CutToBytes(WideToUi(text), kMaxTextBytes, UiCodePage);
    } catch (...) {
        return {};
    }
}

std::string TextIn(int n, int language) {
    try {
        if (!IsAvailableLanguage(language)) return {};
        std::u16string text = TableText(10000 + 1000 * language + n);
        if (text.size() > kMaxTextBytes) text.resize(kMaxTextBytes);
        const int codePage = LanguageInfoFor(language).codePage;
        return CodePageToUtf8(CutToBytes(WideToCodePage(text, codePage), kMaxTextBytes, codePage),
                              codePage);
    } catch (...) {
        return {};
    }
}

} // namespace tavro
