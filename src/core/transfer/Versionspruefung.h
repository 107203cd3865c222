// Versionspruefung (Update1Click, VersionPRF) — the menu's update check against the version service
#pragma once

#include <QString>

namespace quenda {

class MeldungsAusgabe;
class TINDY;

// Where the maker's version service is and where a new version can be downloaded.
struct Versionsdienst {
    QString server;   // host name of the version service, optionally with ":port"
    QString download; // address named in the new-version message
};

// The keys "versionsserver" and "downloadadresse" beside "version" in the INI file of the program; a
// missing key (or file) gives the default.
Versionsdienst versionsdienst_laden(const QString& abschnitt, const QString& inidatei, const QString& exepath);

// "Update Prüfung": asks the version service for the newest version and tells the user. UI thread; the
// network calls block it, as the modal message boxes do.
class Versionspruefung {
public:
    Versionspruefung(TINDY& tindy, MeldungsAusgabe& meldungen);

    // Ping of the server, then VersionPRF. Every outcome ends in exactly one message (besides those of the
    // HTTP client).
    void Update1Click(const QString& prgversion, const Versionsdienst& dienst);
    void VersionPRF(const QString& prgversion, const Versionsdienst& dienst);

private:
    TINDY& m_tindy;
    MeldungsAusgabe& m_meldungen;
};

} // namespace quenda
