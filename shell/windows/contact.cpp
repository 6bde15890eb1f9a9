#include "shell/windows/contact.h"

#include "shell/qt/version.h"

#include <QDesktopServices>

namespace tavro {

namespace {

UrlOpener& Opener() {
    static UrlOpener opener;
    return opener;
}

void Open(const QUrl& url) {
    if (Opener()) {
        Opener()(url);
        return;
    }
    // Nothing is reported when the desktop cannot open the address.
    (void)QDesktopServices::openUrl(url);
}

} // namespace

void SetUrlOpener(UrlOpener opener) {
    Opener() = std::move(opener);
}

QString MailLink(const QString& mainWindowCaption, std::string_view versionLong) {
    const QString subject =
        QStringLiteral("Zelvanor Software: ") + mainWindowCaption + QStringLiteral(", Version ") +
        QString::fromUtf8(versionLong.data(), static_cast<qsizetype>(versionLong.size()));
    return QStringLiteral("mailto:") + QString::fromUtf8(kMakerMailAddress) +
           QStringLiteral("?subject=") + QString::fromLatin1(QUrl::toPercentEncoding(subject));
}

void OpenWebSite() {
    Open(QUrl(QString::fromUtf8(kMakerWebUrl)));
}

void OpenMail(const QString& mainWindowCaption) {
    // The link is already encoded; strict parsing keeps it byte for byte.
    Open(
        QUrl::fromEncoded(MailLink(mainWindowCaption, VersionLong()).toLatin1(), QUrl::StrictMode));
}

void OpenEuroventSite() {
    Open(QUrl(QString::fromUtf8(kEuroventUrl)));
}

void OpenAhriSite() {
    Open(QUrl(QString::fromUtf8(kAhriUrl)));
}

} // namespace tavro
