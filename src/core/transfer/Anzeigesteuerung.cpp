#include "transfer/Anzeigesteuerung.h"

#include "transfer/Webserverupload.h"
#include "util/Dateiersatz.h"
#include "util/QuendaError.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace quenda {

namespace {

const QString refreshDatei = QStringLiteral("refresh.cfg");
const QString logDatei = QStringLiteral("logmodus.cfg");

// Puts the bytes back as they were (or removes the file when there was none), atomically.
void zurueckstellen(const QString& pfad, const std::optional<QByteArray>& vorher) {
    if (!vorher) {
        QFile::remove(pfad);
        return;
    }
    datei_ersetzen(pfad, *vorher);
}

} // namespace

Anzeigesteuerung::Anzeigesteuerung(const Turnierkontext& kontext, const TAblage& ablage, Ereignisprotokoll& protokoll,
                                   Statistik& statistik, Fehlerzustand& fehler, Programmuhr& uhr, HttpSender& http)
    : m_kontext(kontext), m_ablage(ablage), m_protokoll(protokoll), m_statistik(statistik), m_fehler(fehler),
      m_uhr(uhr), m_http(http) {}

bool Anzeigesteuerung::steuerdateiSenden(const QString& name, const QString& zeile) {
    const QString pfad = QDir(m_kontext.tsdir).filePath(name);
    std::optional<QByteArray> vorher;
    QFile alt(pfad);
    if (alt.open(QIODevice::ReadOnly)) {
        vorher = alt.readAll();
        alt.close();
    }
    textdatei::schreiben(pfad, {zeile});
    bool angekommen = false;
    try {
        angekommen = Webserverupload(m_ablage, m_kontext.tsdir, m_protokoll, m_statistik, m_fehler, m_uhr, m_http)
                         .DateiWebserver(name);
    } catch (const QuendaError&) {
        zurueckstellen(pfad, vorher);
        throw;
    }
    if (!angekommen) {
        // The working folder's copy is the log mode the display pages have in HTTP(S) mode.
        zurueckstellen(pfad, vorher);
    }
    return angekommen;
}

bool Anzeigesteuerung::RefreshAnzeige() {
    return steuerdateiSenden(refreshDatei, QStringLiteral("Refresh"));
}

bool Anzeigesteuerung::LogOnOff_setzen(bool an) {
    steuerdateiSenden(logDatei, an ? QStringLiteral("on") : QStringLiteral("off"));
    return LogCheck();
}

QString Anzeigesteuerung::logDateiPfad() const {
    if (m_ablage.aktiv == 1) {
        if (m_ablage.verzeichnis.trimmed().isEmpty()) {
            return QString(); // no storage root: nothing to read, not a file beside the program
        }
        return QDir(m_ablage.verzeichnis).filePath(QStringLiteral("zkd") + m_ablage.dbzkd + u'/' + logDatei);
    }
    return QDir(m_kontext.tsdir).filePath(logDatei);
}

bool Anzeigesteuerung::LogCheck() const {
    const QString pfad = logDateiPfad();
    if (pfad.isEmpty() || !QFile::exists(pfad)) {
        return false;
    }
    const QStringList zeilen = textdatei::lesen(pfad);
    if (zeilen.isEmpty()) {
        throw IoError(QStringLiteral("Die Datei %1 ist leer.").arg(QDir::toNativeSeparators(pfad)));
    }
    return zeilen.first() == u"on";
}

} // namespace quenda
