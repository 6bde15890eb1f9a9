#pragma once

// The maker's contact data and the certification sites, as the information
// window, the Help menu and the page blocks show them (UTF-8).

namespace tavro {

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

} // namespace tavro
