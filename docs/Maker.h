#pragma once

namespace corvane {

// Who makes the program and where its users reach them: the About window, the status line and
// the commands that open the web site, the software page and a mail to the support.
inline constexpr char kMakerName[] = "Corvane";
inline constexpr char kWebSiteAddress[] = "https://www.corvane.example/";
inline constexpr char kWebSiteLinkText[] = "Site Corvane";
inline constexpr char kSoftwarePageAddress[] = "https://www.corvane.example/logiciel/";
inline constexpr char kSupportAddress[] = "support@corvane.example";
inline constexpr char kRightsNotice[] = "© 2026 Corvane. Tous droits réservés.";

} // namespace corvane
