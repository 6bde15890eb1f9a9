#include "output/vector_format.h"

#include "physics/numeric/errors.h"
#include "physics/numeric/rounding.h"
#include "shell/texts/resources.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace tavro {

namespace {

// How deep `picture` commands may nest; deeper chains are treated as faults
// so that a loader producing ever new pictures cannot recurse without end.
constexpr int kMaxNesting = 8;

// Coordinates beyond this are rejected as bad numbers before any rounding.
constexpr double kMaxMagnitude = 1e9;

// The pictures being read at the moment, outermost first: a `picture`
// command naming one of them would nest a picture in itself.
thread_local std::vector<int> tActive;

class ActiveGuard {
public:
    explicit ActiveGuard(int number) { tActive.push_back(number); }
    ~ActiveGuard() { tActive.pop_back(); }
    ActiveGuard(const ActiveGuard&) = delete;
    ActiveGuard& operator=(const ActiveGuard&) = delete;
};

struct Token {
    std::string_view text;
    bool quoted = false;
};

// Reads one line: one drawing command.
class LineReader {
public:
    LineReader(int number, int line, std::string_view text)
        : number_(number), line_(line), text_(text) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw ResourceError("vector picture " + std::to_string(number_) + ", line " +
                            std::to_string(line_) + ": " + what);
    }

    // Splits the line into words; a word in double quotes may hold blanks,
    // and \" and \\ inside it stand for " and \.
    std::vector<Token> Tokens() {
        std::vector<Token> out;
        size_t i = 0;
        while (i < text_.size()) {
            if (text_[i] == ' ' || text_[i] == '\t') {
                ++i;
                continue;
            }
            if (text_[i] == '"') {
                std::string value;
                size_t j = i + 1;
                bool closed = false;
                for (; j < text_.size(); ++j) {
                    if (text_[j] == '\\' && j + 1 < text_.size() &&
                        (text_[j + 1] == '"' || text_[j + 1] == '\\')) {
                        value.push_back(text_[++j]);
                    } else if (text_[j] == '"') {
                        closed = true;
                        break;
                    } else {
                        value.push_back(text_[j]);
                    }
                }
                if (!closed) Fail("unterminated string");
                if (j + 1 < text_.size() && text_[j + 1] != ' ' && text_[j + 1] != '\t')
                    Fail("no blank after a string");
                strings_.push_back(std::move(value));
                out.push_back({strings_.back(), true});
                i = j + 1;
                continue;
            }
            size_t j = i;
            while (j < text_.size() && text_[j] != ' ' && text_[j] != '\t' && text_[j] != '"')
                ++j;
            if (j < text_.size() && text_[j] == '"') Fail("a quote inside a word");
            out.push_back({text_.substr(i, j - i), false});
            i = j;
        }
        return out;
    }

    // A decimal number ("12", "-3.5", "1e3"; the point is always '.'),
    // rounded to the nearest whole unit.
    int Number(const Token& t) const {
        double v = 0;
        const char* first = t.text.data();
        const char* last = first + t.text.size();
        const auto [end, ec] = std::from_chars(first, last, v, std::chars_format::general);
        if (t.quoted || ec != std::errc() || end != last || !std::isfinite(v) ||
            std::fabs(v) > kMaxMagnitude) {
            Fail("bad number \"" + std::string(t.text) + "\"");
        }
        return RoundHalfEven(v);
    }

    // A colour "#rrggbb".
    QColor Colour(const Token& t) const {
        const std::string_view s = t.text;
        unsigned value = 0;
        const bool digitsOnly =
            s.size() == 7 && std::all_of(s.begin() + 1, s.end(), [](char c) {
                return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
            });
        if (t.quoted || !digitsOnly || s[0] != '#' ||
            std::from_chars(s.data() + 1, s.data() + 7, value, 16).ec != std::errc()) {
            Fail("bad colour \"" + std::string(s) + "\" (expected #rrggbb)");
        }
        return QColor((value >> 16) & 0xff, (value >> 8) & 0xff, value & 0xff);
    }

private:
    int number_;
    int line_;
    std::string_view text_;
    std::deque<std::string> strings_{}; // unescaped strings the tokens point into
};

// Reads a whole picture line by line.
class Parser {
public:
    Parser(int number, const NestedPictureLoader& nested) : number_(number), nested_(nested) {}

    Recording Run(std::string_view text) {
        int line = 0;
        size_t start = 0;
        // Each pass consumes at least the line break, so this ends after
        // at most text.size() + 1 passes.
        while (start <= text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view body = text.substr(start, end - start);
            if (!body.empty() && body.back() == '\r') body.remove_suffix(1);
            ++line;
            Command(line, body);
            start = end + 1;
        }
        if (!canvas_) {
            LineReader(number_, line, {}).Fail("no size line");
        }
        canvas_.reset();
        return std::move(picture_);
    }

private:
    void Command(int line, std::string_view body) {
        const size_t start = body.find_first_not_of(" \t");
        if (start == std::string_view::npos || body[start] == '#') return; // blank or comment
        LineReader r(number_, line, body);
        std::vector<Token> t = r.Tokens();
        if (t[0].quoted) r.Fail("a line must start with a command");
        const std::string_view name = t[0].text;
        const size_t args = t.size() - 1;
        auto expect = [&](bool ok, const char* form) {
            if (!ok) {
                r.Fail("wrong number of arguments for " + std::string(name) + " (" +
                       std::to_string(args) + "; expected " + form + ")");
            }
        };

        if (name == "size") {
            expect(args == 2, "size W H");
            if (canvas_) r.Fail("repeated size line");
            const int w = r.Number(t[1]);
            const int h = r.Number(t[2]);
            if (w <= 0 || h <= 0 || w > kMaxVectorPictureSide || h > kMaxVectorPictureSide) {
                r.Fail("size " + std::to_string(w) + " x " + std::to_string(h) + " outside 1 to " +
                       std::to_string(kMaxVectorPictureSide));
            }
            picture_.Reset(QSize(w, h));
            canvas_ = std::make_unique<TRecordingCanvas>(picture_);
            return;
        }
        const bool known = name == "pen" || name == "brush" || name == "font" || name == "align" ||
                           name == "line" || name == "rect" || name == "poly" ||
                           name == "ellipse" || name == "text" || name == "picture";
        if (!known) r.Fail("unknown command \"" + std::string(name) + "\"");
        if (!canvas_) r.Fail("no size line before " + std::string(name));
        TRecordingCanvas& c = *canvas_;

        // The i-th point of the arguments from `first` on, inside the picture.
        auto point = [&](size_t first, size_t i) {
            const QPoint p(r.Number(t[first + 2 * i]), r.Number(t[first + 2 * i + 1]));
            const QSize s = picture_.Size();
            if (p.x() < 0 || p.y() < 0 || p.x() > s.width() || p.y() > s.height()) {
                r.Fail("point (" + std::to_string(p.x()) + ", " + std::to_string(p.y()) +
                       ") outside the picture of " + std::to_string(s.width()) + " x " +
                       std::to_string(s.height()));
            }
            return p;
        };
        auto box = [&](size_t first) {
            // QRect::normalized() shifts swapped corners by one; order them here.
            const QPoint a = point(first, 0), b = point(first, 1);
            return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                         QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
        };

        if (name == "pen") {
            expect(args == 2 || args == 3, "pen WIDTH #rrggbb [solid|dot|clear]");
            PenSpec pen;
            pen.width = r.Number(t[1]);
            if (pen.width < 0) r.Fail("negative pen width");
            pen.color = r.Colour(t[2]);
            if (args == 3) {
                const std::string_view s = t[3].text;
                if (s == "solid")
                    pen.style = PenStyle::Solid;
                else if (s == "dot")
                    pen.style = PenStyle::Dot;
                else if (s == "clear")
                    pen.style = PenStyle::Clear;
                else
                    r.Fail("unknown pen style \"" + std::string(s) + "\"");
            }
            c.SetPen(pen);
        } else if (name == "brush") {
            expect(args == 1, "brush #rrggbb|clear");
            if (!t[1].quoted && t[1].text == "clear") {
                c.SetBrush({BrushStyle::Clear, Qt::white});
            } else {
                c.SetBrush({BrushStyle::Solid, r.Colour(t[1])});
            }
        } else if (name == "font") {
            expect(args >= 2 && args <= 5, "font \"FACE\" HEIGHT [bold] [italic] [#rrggbb]");
            if (!t[1].quoted || t[1].text.empty()) r.Fail("the font face must be a quoted name");
            FontSpec font;
            font.face = QString::fromUtf8(t[1].text.data(), qsizetype(t[1].text.size()));
            font.height = r.Number(t[2]);
            if (font.height <= 0) r.Fail("font height must be positive");
            for (size_t i = 3; i < t.size(); ++i) {
                if (t[i].text == "bold")
                    font.bold = true;
                else if (t[i].text == "italic")
                    font.italic = true;
                else if (!t[i].quoted && t[i].text.front() == '#')
                    font.color = r.Colour(t[i]);
                else
                    r.Fail("unknown font option \"" + std::string(t[i].text) + "\"");
            }
            c.SetFont(font);
        } else if (name == "align") {
            expect(args == 1, "align left|right|centre");
            const std::string_view s = t[1].text;
            if (s == "left")
                c.SetTextAlign(TextAlign::Left);
            else if (s == "right")
                c.SetTextAlign(TextAlign::Right);
            else if (s == "centre")
                c.SetTextAlign(TextAlign::Centre);
            else
                r.Fail("unknown alignment \"" + std::string(s) + "\"");
        } else if (name == "line") {
            expect(args >= 4 && args % 2 == 0, "line X1 Y1 X2 Y2 ...");
            const QPoint p0 = point(1, 0);
            c.MoveTo(p0.x(), p0.y());
            for (size_t i = 1; i < args / 2; ++i) {
                const QPoint p = point(1, i);
                c.LineTo(p.x(), p.y());
            }
        } else if (name == "rect" || name == "ellipse") {
            expect(args == 4, "X1 Y1 X2 Y2");
            if (name == "rect")
                c.Rectangle(box(1));
            else
                c.Ellipse(box(1));
        } else if (name == "poly") {
            expect(args >= 6 && args % 2 == 0, "poly X1 Y1 X2 Y2 X3 Y3 ...");
            std::vector<QPoint> points;
            for (size_t i = 0; i < args / 2; ++i)
                points.push_back(point(1, i));
            c.Polygon(points);
        } else if (name == "text") {
            expect(args == 3, "text X Y \"STRING\"");
            if (!t[3].quoted) r.Fail("the text must be a quoted string");
            const QPoint p = point(1, 0);
            c.TextOut(p.x(), p.y(),
                      QString::fromUtf8(t[3].text.data(), qsizetype(t[3].text.size())));
        } else { // picture
            expect(args == 5, "picture NUMBER X1 Y1 X2 Y2");
            c.PlayRecording(box(2), Nested(r, r.Number(t[1])));
        }
    }

    Recording Nested(const LineReader& r, int number) {
        if (!nested_) r.Fail("picture " + std::to_string(number) + " cannot be nested here");
        if (std::find(tActive.begin(), tActive.end(), number) != tActive.end())
            r.Fail("picture " + std::to_string(number) + " would contain itself");
        if (int(tActive.size()) >= kMaxNesting)
            r.Fail("pictures nested deeper than " + std::to_string(kMaxNesting) + " levels");
        try {
            return nested_(number);
        } catch (const ResourceError& e) {
            r.Fail(std::string("in nested picture ") + std::to_string(number) + ": " + e.what());
        }
    }

    int number_;
    const NestedPictureLoader& nested_;
    Recording picture_;
    std::unique_ptr<TRecordingCanvas> canvas_;
};

} // namespace

Recording ParseVectorPicture(std::string_view text, int number, const NestedPictureLoader& nested) {
    const ActiveGuard active(number);
    return Parser(number, nested).Run(text);
}

} // namespace tavro
