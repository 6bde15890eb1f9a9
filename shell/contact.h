#pragma once

// The maker's contact data and the commands that open its web site, an
// e-mail to it and the certification sites, shared by the Help menu and the
// information window.

#include <QString>
#include <QUrl>

#include <functional>
#include <string_view>

namespace tavro {

// The maker's data as the information window shows it (UTF-8).
inline constexpr char kMakerName[] = "Zelvanor GmbH";
inline constexpr char kMakerPostalAddress[] = "Zelvanor GmbH \xC2\xB7 Beispielweg 1 \xC2\xB7 "
                                              "00000 Musterstadt \xC2\xB7 Germany";
inline constexpr char kMakerWebAddress[] = "www.zelvanor.example";
inline constexpr char kMakerWebUrl[] = "https://www.zelvanor.example";
inline constexpr char kMakerMailAddress[] = "info@zelvanor.example";
inline constexpr char kMakerTelephone[] = "Tel. +49 000 000000";
inline constexpr char kMakerLegalNotice[] = "\xC2\xA9 2016 Zelvanor GmbH";

// The certification sites behind the marks of the information window.
inline constexpr char kEuroventUrl[] = "https://certification.eurovent.example";
inline constexpr char kAhriUrl[] = "https://directory.ahri.example";

/// The e-mail link: "mailto:" + the maker's address + "?subject=" + the
/// percent-encoded subject "Zelvanor Software: <caption>, Version
/// <version>". Every character of the subject outside letters, digits and
/// "-._~" is encoded (UTF-8), so a caption cannot add fields to the link.
QString MailLink(const QString& mainWindowCaption, std::string_view versionLong);

/// Asks the desktop to open the maker's web site.
void OpenWebSite();

/// Asks the desktop to open a new e-mail to the maker, its subject naming
/// the main window's caption and VersionLong().
void OpenMail(const QString& mainWindowCaption);

/// Ask the desktop to open the Eurovent certification site and the AHRI
/// directory.
void OpenEuroventSite();
void OpenAhriSite();

/// Every command above opens its address through this function; by default
/// it is QDesktopServices::openUrl (xdg-open), whose failures are ignored.
/// Tests put their own here to see the addresses; nullptr restores the
/// default.
using UrlOpener = std::function<void(const QUrl&)>;
void SetUrlOpener(UrlOpener opener);

} // namespace tavro
