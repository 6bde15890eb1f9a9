#include "shell/qt/qt_translations.h"

#include "shell/texts/languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace tavro {

QString QtLanguageSuffix(int code) {
    switch (code) {
    case kGerman:
        return QStringLiteral("de");
    case kFrench:
        return QStringLiteral("fr");
    case kPolish:
        return QStringLiteral("pl");
    case kChinese:
        return QStringLiteral("zh_CN");
    case kRussian:
        return QStringLiteral("ru");
    default:
        return QStringLiteral("en");
    }
}

bool ApplyQtTranslations(int code) {
    // The translator installed last; the application owns it, so it goes
    // with the application.
    static QPointer<QTranslator> installed;
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return false;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_") + QtLanguageSuffix(code),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

} // namespace tavro
