// IntervallLoad, Intervallsave — the update interval of each tracked item in config_auslo.xml
#pragma once

#include <QHash>
#include <QString>
#include <optional>

namespace quenda {

class AusloList;
class Ereignisprotokoll;
class Programmuhr;

// "config_auslo.xml" in the working folder: the update interval of every tracked item, stored by syf_id
// (a participant list by its kn_id; the file does not tell the two kinds apart). The UI thread uses it
// while no transfer runs, the cycle thread while one runs.

QString intervallDateiname();

// The stored intervals by syf_id; the last element of an id wins. The file never stops publishing: an
// element whose id or interval is no whole number is left out with a log line, and a file that is not
// well-formed is moved aside as config_auslo.xml.bak-<yyyymmddhhnnss> (memo and log say so), so that the
// defaults apply until the file is written anew. Nothing when there is no file.
QHash<int, int> IntervalleLaden(const QString& tsdir, Ereignisprotokoll& protokoll, Programmuhr& uhr);

// The file read at most once for a pass of the record operations, when the first new record asks.
class Intervallspeicher {
public:
    Intervallspeicher(const QString& tsdir, Ereignisprotokoll& protokoll, Programmuhr& uhr)
        : m_tsdir(tsdir), m_protokoll(protokoll), m_uhr(uhr) {}
    // The stored interval of syf_id; 0 when none is stored.
    int IntervallLoad(int syf_id);

private:
    QString m_tsdir;
    Ereignisprotokoll& m_protokoll;
    Programmuhr& m_uhr;
    std::optional<QHash<int, int>> m_werte;
};

// Writes the file anew from the list, one element per record in list order, keeping the stored
// "Sofort bei Änderung" switch. Throws IoError.
void Intervallsave(const QString& tsdir, const AusloList& liste);
// The same with the switch set as given (stored as sofort="1" on the root element; absent means off, so a
// file of the plain 60-second behaviour stays as it was).
void Intervallsave(const QString& tsdir, const AusloList& liste, bool sofort);

// "Sofort bei Änderung": a change of the database file starts an extra cycle for the changed draw groups.
// Off when the file, or the attribute, is missing or cannot be read.
bool SofortLoad(const QString& tsdir);

} // namespace quenda
