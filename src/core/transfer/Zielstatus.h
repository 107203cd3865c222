#pragma once

#include <QMetaType>
#include <QString>
#include <array>

namespace quenda {

struct TAblage;
struct Zielbilanz;

// The state of one display target at a glance: whether everything due has arrived, what is still pending
// and since when and why its deliveries fail. A value; written by the cycle thread at the end of a cycle
// and kept in the working folder (zielstatus.xml), so that it survives a restart; shown by the UI thread.
struct Zielzustand {
    enum class Ampel { Aus, Aktuell, Offen, Fehler };

    bool aktiv = false;
    QString letzteVollstaendig; // "yyyy-mm-dd hh:nn:ss" of the last cycle in which everything due arrived
    int offen = 0;              // files still pending
    QString fehlerSeit;         // first failed cycle of the current outage; "" when the last attempt arrived
    QString fehlerGrund;

    Ampel ampel() const;
    // Switched on, but nothing has been sent to it yet: neither current nor behind.
    bool nochKeineUebertragung() const { return offen == 0 && letzteVollstaendig.isEmpty(); }
    bool operator==(const Zielzustand&) const = default;
};

// Beamer/hall screen first, then the phones.
using Zielzustaende = std::array<Zielzustand, 2>;

QString zielstatusDateiname();
// "Beamer/Hallenanzeige" or "Handy".
QString zielname(bool pocko);

// The stored state, with the settings' switch of each target. Nothing stored (or a file that does not
// load) gives targets that have never been served. Throws nothing.
Zielzustaende ZielstatusLoad(const QString& tsdir, const TAblage& ablage);
// Replaces the file atomically. Throws IoError.
void ZielstatusSave(const QString& tsdir, const Zielzustaende& zustaende);

// The state after a cycle at zeit ("yyyy-mm-dd hh:nn:ss"): a failure in the cycle starts (or continues) an
// outage, a cycle whose every attempt arrived ends it; a cycle without any attempt changes nothing but the
// pending count. Everything due has arrived when nothing failed and nothing is pending.
Zielzustand fortschreiben(const Zielzustand& vorher, bool aktiv, const Zielbilanz& bilanz, int offen,
                          const QString& zeit);

// One line for the main window and the headless output, e.g. "Handy: FEHLER seit 09.12.2026 09:02:00 –
// Upload Fehler; 5 Dateien offen; zuletzt vollständig 09.12.2026 09:01:00". The colour is never the only
// signal: the text says the same.
QString zielstatusZeile(bool pocko, const Zielzustand& zustand);

} // namespace quenda

Q_DECLARE_METATYPE(quenda::Zielzustaende)
