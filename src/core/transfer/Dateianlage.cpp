#include "transfer/Dateianlage.h"

#include "settings/TAblage.h"
#include "transfer/Statistik.h"
#include "transfer/Webserverupload.h"
#include "util/Dateiersatz.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/Routinen.h"

#include <QDir>
#include <QFile>

namespace quenda {

Dateianlage::Dateianlage(const QString& tsdir, const TAblage& ablage, Webserverupload& upload, Statistik& statistik,
                         Ereignisprotokoll& protokoll, Programmuhr& uhr, const std::atomic<bool>& resend)
    : m_tsdir(tsdir), m_ablage(ablage), m_upload(upload), m_statistik(statistik), m_protokoll(protokoll), m_uhr(uhr),
      m_resend(resend) {}

void Dateianlage::senden(const QString& kept, const QString& stempel, int ziel, const QString& labelA,
                         const QString& labelP) {
    if (m_ablage.anzweb == 1 && (ziel == 1 || ziel == 3)) {
        m_upload.DateiWebserverUpload(kept, stempel, labelA);
    }
    if (m_ablage.pocko == 1 && (ziel == 2 || ziel == 3)) {
        m_upload.DateiPockoWebserverUpload(kept, stempel, labelP);
    }
}

void Dateianlage::DateiAnlage(const QString& name, const QString& stempel, int ziel) {
    const QString kept = name.left(name.size() - 8) + QStringLiteral(".txt");
    const QDir dir(m_tsdir);
    const QString neu = dir.filePath(name);
    const QString aktuell = dir.filePath(kept);
    // Read once: a tick of the check box during this call must not split the decision.
    const bool resend = m_resend.load();

    if (!QFile::exists(aktuell)) {
        QFile::rename(neu, aktuell);
        senden(kept, stempel, ziel, QStringLiteral("Ersterstellung"), QStringLiteral("Ersterstellung (POCKO)"));
        return;
    }
    if (datei_gleich(neu, aktuell)) {
        QFile::remove(neu);
        unveraendert(kept, aktuell, stempel, ziel, resend);
        return;
    }
    // One step, so that a crash leaves either the old or the new kept version, never none.
    datei_umbenennen(neu, aktuell);
    senden(kept, stempel, ziel, QStringLiteral("Aktualisierung"), QStringLiteral("Aktualisierung (POCKO)"));
}

void Dateianlage::DateiAnlageInhalt(const QString& tsdir, const QString& name, const QByteArray& inhalt,
                                    const QString& stempel, int ziel) {
    const QString kept = name.left(name.size() - 8) + QStringLiteral(".txt");
    const QString aktuell = QDir(m_tsdir).filePath(kept);
    QFile gehalten(aktuell);
    if (gehalten.open(QIODevice::ReadOnly) && gehalten.size() == inhalt.size() && gehalten.readAll() == inhalt) {
        QFile::remove(QDir(m_tsdir).filePath(name)); // one left behind by an interrupted cycle
        unveraendert(kept, aktuell, stempel, ziel, m_resend.load());
        return;
    }
    gehalten.close();
    Staging::DateiAnlageInhalt(tsdir, name, inhalt, stempel, ziel);
}

void Dateianlage::unveraendert(const QString& kept, const QString& aktuell, const QString& stempel, int ziel,
                               bool resend) {
    if (resend) {
        senden(kept, stempel, ziel, QStringLiteral("Aktualisierung Webserver"),
               QStringLiteral("Aktualisierung Webserver (POCKO)"));
    } else {
        m_statistik.zaehlen(5);
        m_protokoll.protokoll(zeitText(m_uhr.jetzt()) + QStringLiteral(" Keine Aktualisierung: ") +
                              QDir::toNativeSeparators(aktuell));
    }
}

} // namespace quenda
