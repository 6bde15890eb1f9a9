#include "shell/qt/qt_pictures.h"

#include "shell/qt/qt_text.h"
#include "shell/texts/pictures.h"

#include <QGuiApplication>

#include <cmath>
#include <string>

namespace tavro {

namespace {

QPixmap ToPixmap(const Picture& picture) {
    QImage image = ToQImage(picture);
    image.setDevicePixelRatio(picture.scale);
    return QPixmap::fromImage(std::move(image));
}

} // namespace

double ScreenRatio() {
    const auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return app != nullptr ? app->devicePixelRatio() : 1.0;
}

QPixmap ScreenPixmap(int number, double ratio) {
    return ToPixmap(LoadScreenPicture(number, ratio));
}

QPixmap ScreenPixmap(std::string_view name, double ratio) {
    return ToPixmap(LoadScreenPicture(name, ratio));
}

QSize LayoutSize(const QPixmap& pixmap) {
    const QSizeF size = pixmap.deviceIndependentSize();
    return {static_cast<int>(std::lround(size.width())),
            static_cast<int>(std::lround(size.height()))};
}

namespace {

template <typename Key> QIcon IconOf(Key key) {
    QIcon icon;
    icon.addPixmap(ScreenPixmap(key, 1.0));
    const QPixmap doubled = ScreenPixmap(key, 2.0);
    if (doubled.devicePixelRatio() > 1.0) icon.addPixmap(doubled);
    return icon;
}

} // namespace

QIcon ScreenIcon(int number) {
    return IconOf(number);
}

QIcon ScreenIcon(std::string_view name) {
    return IconOf(name);
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        try {
            icon.addPixmap(ScreenPixmap("TAVRO_ICON_" + std::to_string(size), 1.0));
        } catch (const ResourceError&) {
            // A size the program lacks: the others stand in for it.
        }
    }
    return icon;
}

} // namespace tavro
