// Versionspruefung (Update1Click, VersionPRF) — the menu's update check against the version service
#pragma once

#include "util/Programmdatei.h"

#include <QString>

namespace quenda {

class MeldungsAusgabe;
class TINDY;

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
