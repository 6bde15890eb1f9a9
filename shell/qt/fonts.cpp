#include "shell/qt/fonts.h"

#include "shell/texts/languages.h"

#include <QApplication>

#include <memory>

namespace tavro {

namespace {

std::unique_ptr<SharedFont> uiFont;
std::unique_ptr<SharedFont> drawingFont;

void InstallSubstitutions() {
    // Liberation Sans has the metrics of Arial and is close to Tahoma;
    // WenQuanYi Micro Hei supplies the Chinese glyphs both faces lack.
    const QStringList faces = {QStringLiteral("Liberation Sans"),
                               QStringLiteral("WenQuanYi Micro Hei")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), faces);
    QFont::insertSubstitutions(QStringLiteral("Arial"), faces);
}

QFont MakeUiFont() {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QFont MakeDrawingFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

} // namespace

void CreateSharedFonts() {
    InstallSubstitutions();
    uiFont = std::make_unique<SharedFont>(SharedFont{MakeUiFont(), 1});
    drawingFont = std::make_unique<SharedFont>(SharedFont{MakeDrawingFont(), 1});
}

void FreeSharedFonts() {
    uiFont.reset();
    drawingFont.reset();
}

SharedFont& UiFont() {
    if (!uiFont) CreateSharedFonts();
    return *uiFont;
}

SharedFont& DrawingFont() {
    if (!drawingFont) CreateSharedFonts();
    return *drawingFont;
}

void ApplyLanguageFonts() {
    const LanguageInfo info = LanguageInfoFor(CurrentLanguage);
    UiFont() = {MakeUiFont(), info.charset};
    DrawingFont() = {MakeDrawingFont(), info.charset};
    UiCodePage = info.codePage;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        for (const char* cls : {"QMenu", "QMenuBar", "QToolTip", "QAbstractItemView"}) {
            QApplication::setFont(UiFont().font, cls);
        }
    }
}

} // namespace tavro
