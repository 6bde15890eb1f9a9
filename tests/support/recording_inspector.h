#pragma once

// Test support: what a recorded picture draws, with the state in effect for
// each text and line, to check page geometry.

#include "output/recording.h"

#include <QString>

#include <optional>
#include <vector>

namespace tavro::test {

struct DrawnText {
    QPoint p;
    QString text;
    TextAlign align;
    FontSpec font;
    std::optional<QRect> clip;
};

struct DrawnLine {
    QPoint from;
    QPoint to;
    PenSpec pen;
};

struct DrawnPicture {
    QRect r;
    bool vector;
};

struct Inspection {
    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    std::vector<DrawnPicture> pictures;

    /// The first text equal to `text`, or nullptr.
    const DrawnText* Text(const QString& text) const {
        for (const DrawnText& t : texts) {
            if (t.text == text) return &t;
        }
        return nullptr;
    }
    /// The first text at y equal to `y` and starting with `prefix`.
    const DrawnText* TextAt(int y, const QString& prefix = {}) const {
        for (const DrawnText& t : texts) {
            if (t.p.y() == y && t.text.startsWith(prefix)) return &t;
        }
        return nullptr;
    }
    /// Whether a horizontal line at y runs from x1 to x2.
    bool HasLine(int x1, int y1, int x2, int y2) const {
        for (const DrawnLine& l : lines) {
            if (l.from == QPoint(x1, y1) && l.to == QPoint(x2, y2)) return true;
        }
        return false;
    }
};

inline Inspection Inspect(const Recording& r) {
    Inspection out;
    FontSpec font;
    TextAlign align = TextAlign::Left;
    PenSpec pen;
    QPoint current;
    for (const Recording::Command& command : r.Commands()) {
        std::visit(
            [&](const auto& c) {
                using T = std::decay_t<decltype(c)>;
                if constexpr (std::is_same_v<T, Recording::SetFontCmd>) font = c.font;
                if constexpr (std::is_same_v<T, Recording::SetAlignCmd>) align = c.align;
                if constexpr (std::is_same_v<T, Recording::SetPenCmd>) pen = c.pen;
                if constexpr (std::is_same_v<T, Recording::MoveToCmd>) current = c.p;
                if constexpr (std::is_same_v<T, Recording::LineToCmd>) {
                    out.lines.push_back({current, c.p, pen});
                    current = c.p;
                }
                if constexpr (std::is_same_v<T, Recording::TextCmd>) {
                    out.texts.push_back({c.p, c.text, align, font, std::nullopt});
                }
                if constexpr (std::is_same_v<T, Recording::TextRectCmd>) {
                    out.texts.push_back({c.p, c.text, align, font, c.clip});
                }
                if constexpr (std::is_same_v<T, Recording::RasterCmd>)
                    out.pictures.push_back({c.r, false});
                if constexpr (std::is_same_v<T, Recording::PlayCmd>)
                    out.pictures.push_back({c.r, true});
            },
            command);
    }
    return out;
}

} // namespace tavro::test
