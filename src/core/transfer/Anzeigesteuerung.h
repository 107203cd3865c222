// Anzeigesteuerung (RefreshAnzeige, LogCheck) — the display pages' control files refresh.cfg and logmodus.cfg
#pragma once

#include "Turnierkontext.h"
#include "settings/TAblage.h"

#include <QString>

namespace quenda {

class Ereignisprotokoll;
class Fehlerzustand;
class HttpSender;
class Programmuhr;
class Statistik;

// The control files of the beamer/screen display pages ("refresh.cfg", "logmodus.cfg") and the read-back
// of the log mode. Made on the UI thread for each action; it sends through DateiWebserver and may run
// while a cycle runs (both sides serialise their writes to the failure state and the log).
class Anzeigesteuerung {
public:
    Anzeigesteuerung(const Turnierkontext& kontext, const TAblage& ablage, Ereignisprotokoll& protokoll,
                     Statistik& statistik, Fehlerzustand& fehler, Programmuhr& uhr, HttpSender& http);

    // Writes "refresh.cfg" ("Refresh") into the working folder and sends it. True when it arrived.
    // Local file errors raise IoError.
    bool RefreshAnzeige();
    // Writes "logmodus.cfg" ("on" or "off") and sends it, then returns LogCheck. In the working folder the
    // file keeps the last content that arrived, which is what LogCheck reads in HTTP(S) mode.
    bool LogOnOff_setzen(bool an);
    // The log mode as last delivered: true exactly when the first line of the file is "on". Directory mode
    // reads the copy in the target's data folder, HTTP(S) mode the working folder's copy. A missing file is
    // off; an unreadable or empty one raises IoError (the caller keeps the tick as it is).
    bool LogCheck() const;

    // The file LogCheck reads ("" in directory mode without a storage root).
    QString logDateiPfad() const;

private:
    // Sends a control file of the working folder; on failure the previous content is put back.
    bool steuerdateiSenden(const QString& name, const QString& zeile);

    Turnierkontext m_kontext;
    TAblage m_ablage;
    Ereignisprotokoll& m_protokoll;
    Statistik& m_statistik;
    Fehlerzustand& m_fehler;
    Programmuhr& m_uhr;
    HttpSender& m_http;
};

} // namespace quenda
