#include "output/text_metrics.h"

#include "physics/numeric/rounding.h"

#include <QFontMetricsF>

namespace tavro {

QFont MakeQFont(const FontSpec& font) {
    QFont f(font.face);
    f.setPixelSize(std::max(1, font.height));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleHint(QFont::SansSerif);
    f.setKerning(true);
    return f;
}

int MeasureText(const FontSpec& font, const QString& text) {
    if (text.isEmpty()) return 0;
    return RoundHalfEven(QFontMetricsF(MakeQFont(font)).horizontalAdvance(text));
}

double FontAscent(const FontSpec& font) {
    return QFontMetricsF(MakeQFont(font)).ascent();
}

} // namespace tavro
