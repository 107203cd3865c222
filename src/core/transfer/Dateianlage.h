// Dateianlage (DateiAnlage) — staging: keeps one version of each data file and sends the changed ones
#pragma once

#include "transfer/Staging.h"

#include <QString>
#include <atomic>

namespace quenda {

class Ereignisprotokoll;
class Programmuhr;
class Statistik;
class Webserverupload;
struct TAblage;

// Staging of the data files (cycle thread): compares a new "_org.txt" file with its kept ".txt" version,
// keeps exactly one version and hands new or changed files to the targets that are selected and enabled.
class Dateianlage : public Staging {
public:
    // resend mirrors the check box "Aktualisierung Daten zum Webserver": unchanged files are sent too.
    Dateianlage(const QString& tsdir, const TAblage& ablage, Webserverupload& upload, Statistik& statistik,
                Ereignisprotokoll& protokoll, Programmuhr& uhr, const std::atomic<bool>& resend);

    void DateiAnlage(const QString& name, const QString& stempel, int ziel) override;
    // Unchanged content is recognised in memory: no "_org.txt" file is made only to be deleted again.
    void DateiAnlageInhalt(const QString& tsdir, const QString& name, const QByteArray& inhalt, const QString& stempel,
                           int ziel) override;

private:
    void unveraendert(const QString& kept, const QString& aktuell, const QString& stempel, int ziel, bool resend);
    void senden(const QString& kept, const QString& stempel, int ziel, const QString& labelA, const QString& labelP);

    QString m_tsdir;
    const TAblage& m_ablage;
    Webserverupload& m_upload;
    Statistik& m_statistik;
    Ereignisprotokoll& m_protokoll;
    Programmuhr& m_uhr;
    const std::atomic<bool>& m_resend;
};

} // namespace quenda
