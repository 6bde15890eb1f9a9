#pragma once

// The maker's contact data and the commands that open its web site, an
// e-mail to it and the certification sites, shared by the Help menu and the
// information window.

#include "shell/texts/maker_data.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <string_view>

namespace tavro {

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
