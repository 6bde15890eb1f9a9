#include "shell/qt/qt_text.h"

#include "shell/texts/texts.h"

namespace tavro {

QString UiString(std::string_view text) {
    const std::string utf8 = UiToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString TextOf(int n) {
    return UiString(GetText(n));
}

QImage ToQImage(const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return {};
    const QImage view(picture.rgba.data(), picture.width, picture.height, picture.width * 4,
                      QImage::Format_RGBA8888);
    return view.copy();
}

} // namespace tavro
