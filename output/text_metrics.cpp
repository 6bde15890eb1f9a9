#include "output/text_metrics.h"

#include "physics/rounding.h"

#include <QFontMetricsF>

namespace tavro {

QFont MakeQFont(const FontSpec& spec) {
    QFont f(spec.face);
    f.setPixelSize(std::max(1, spec.height));
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleHint(QFont::SansSerif);
    f.setKerning(true);
    return f;
}

int MeasureText(const FontSpec& spec, const QString& text) {
    if (text.isEmpty()) return 0;
    return RoundHalfEven(QFontMetricsF(MakeQFont(spec)).horizontalAdvance(text));
}

double FontAscent(const FontSpec& spec) {
    return QFontMetricsF(MakeQFont(spec)).ascent();
}

} // namespace tavro
