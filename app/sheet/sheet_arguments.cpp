#include "app/sheet/sheet_arguments.h"

#include "shell/texts/languages.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace tavro::sheet {

namespace {

struct NamedLanguage {
    std::string_view code;
    int language;
};
constexpr NamedLanguage kCodes[] = {{"de", kGerman}, {"en", kEnglish}, {"fr", kFrench},
                                    {"pl", kPolish}, {"zh", kChinese}, {"ru", kRussian}};

constexpr SheetPage kPages[] = {SheetPage::DataSheet, SheetPage::Chart, SheetPage::Description};

std::vector<SheetPage> ReadPages(std::string_view list) {
    std::vector<SheetPage> pages;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view name = list.substr(start, comma - start);
        const auto page = std::find_if(std::begin(kPages), std::end(kPages),
                                       [&](SheetPage p) { return name == PageName(p); });
        if (page == std::end(kPages)) {
            throw ArgumentError("--pages: unknown page '" + std::string(name) +
                                "' (sheet, chart, description)");
        }
        if (std::find(pages.begin(), pages.end(), *page) != pages.end())
            throw ArgumentError("--pages: the page '" + std::string(name) + "' is named twice");
        pages.push_back(*page);
        start = comma + 1;
    }
    return pages;
}

int ReadDpi(std::string_view text) {
    int dpi = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), dpi);
    if (ec != std::errc() || end != text.data() + text.size() || dpi < kMinDpi || dpi > kMaxDpi) {
        throw ArgumentError("--dpi: '" + std::string(text) + "' is not a whole number from " +
                            std::to_string(kMinDpi) + " to " + std::to_string(kMaxDpi));
    }
    return dpi;
}

} // namespace

const char* PageName(SheetPage page) {
    switch (page) {
    case SheetPage::DataSheet:
        return "sheet";
    case SheetPage::Chart:
        return "chart";
    case SheetPage::Description:
        return "description";
    }
    return "";
}

SheetArguments ParseSheetArguments(const std::vector<std::string>& args) {
    SheetArguments a;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            a.help = true;
            return a;
        }
        if (arg == "--version") {
            a.version = true;
            return a;
        }
        const bool takesValue = arg == "--pdf" || arg == "--png" || arg == "--dpi" ||
                                arg == "--pages" || arg == "--lang" || arg == "--units";
        if (takesValue) {
            if (i + 1 == args.size() || args[i + 1].empty())
                throw ArgumentError(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--pdf") {
                a.pdf = value;
            } else if (arg == "--png") {
                a.pngPrefix = value;
            } else if (arg == "--dpi") {
                a.dpi = ReadDpi(value);
            } else if (arg == "--pages") {
                a.pages = ReadPages(value);
            } else if (arg == "--lang") {
                const auto l =
                    std::find_if(std::begin(kCodes), std::end(kCodes),
                                 [&](const NamedLanguage& c) { return c.code == value; });
                if (l == std::end(kCodes)) {
                    throw ArgumentError("--lang: unknown language '" + value +
                                        "' (de, en, fr, pl, zh, ru)");
                }
                a.language = l->language;
            } else if (value == "si" || value == "ip") {
                a.si = value == "si";
            } else {
                throw ArgumentError("--units: unknown unit system '" + value + "' (si, ip)");
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw ArgumentError("unknown option '" + arg + "' (tavro-sheet --help describes them)");
        } else if (!a.document.empty()) {
            throw ArgumentError("a second document '" + arg + "': one document at a time");
        } else {
            a.document = arg;
        }
    }
    if (a.document.empty()) throw ArgumentError("no selection document given");
    if (a.pdf.empty() && a.pngPrefix.empty())
        throw ArgumentError("nothing to write: give --pdf FILE or --png PREFIX");
    return a;
}

std::string SheetHelpText() {
    return R"(Usage: tavro-sheet DOCUMENT --pdf FILE [--png PREFIX] [OPTIONS]
Renders the pages of a selection document (.tavro) without a display: the same
pages the preview of the desktop program shows and exports.

Options:
  --pdf FILE       write the pages as one PDF file (A4 portrait)
  --png PREFIX     write each page as PREFIX-sheet.png, PREFIX-chart.png,
                   PREFIX-description.png
  --dpi N          resolution of the PNG pages, 30 to 600 (default 150)
  --pages LIST     the pages, comma-separated, in this order: sheet, chart,
                   description (default sheet)
  --lang CODE      language: de, en, fr, pl, zh, ru (default the document's)
  --units SYSTEM   si or ip (default the document's)
  --help           print this text and end
  --version        print the version of the program and end

At least one of --pdf and --png is needed. Nothing is written when anything
fails. Runs on the offscreen Qt platform unless QT_QPA_PLATFORM is set.

Exit status: 0 success; 1 a file could not be written; 2 bad arguments or a
document that cannot be read (the message names the field and its problem).
)";
}

} // namespace tavro::sheet
