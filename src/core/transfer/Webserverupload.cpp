#include "transfer/Webserverupload.h"

#include "export/Dateinamen.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/HttpSender.h"
#include "transfer/Statistik.h"
#include "transfer/ZipArchiv.h"
#include "transfer/ZyklusArchiv.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quenda {

namespace {

QString url(const QString& host, const QString& pfad) {
    return host.trimmed() + u'/' + pfad.trimmed() + QStringLiteral("/httppost.php");
}

} // namespace

Webserverupload::Webserverupload(const TAblage& ablage, const QString& tsdir, Ereignisprotokoll& protokoll,
                                 Statistik& statistik, Fehlerzustand& fehler, Programmuhr& uhr, HttpSender& http)
    : m_ablage(ablage), m_tsdir(tsdir), m_protokoll(protokoll), m_statistik(statistik), m_fehler(fehler), m_uhr(uhr),
      m_http(http) {}

QString Webserverupload::L() const {
    return zeitText(m_uhr.jetzt());
}

QString Webserverupload::datenordner(const QString& wurzel) const {
    return QDir(wurzel).filePath(QStringLiteral("zkd") + m_ablage.dbzkd);
}

bool Webserverupload::datenordnerSichern(const QString& wurzel, bool mitImages) const {
    if (wurzel.trimmed().isEmpty() || !QFileInfo(wurzel).isDir()) {
        return false;
    }
    // The storage root itself must be there; the data folder and its subfolders are set up where missing,
    // also when one was deleted by hand (otherwise every following cycle would fail on the copy).
    const QDir ordner(datenordner(wurzel));
    const bool ok = QDir().mkpath(ordner.filePath(QStringLiteral("upload"))) &&
                    (!mitImages || QDir().mkpath(ordner.filePath(QStringLiteral("images"))));
    if (!ok) {
        throw IoError(QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(ordner.path()));
    }
    return true;
}

void Webserverupload::DateiWebserverUpload(const QString& name, const QString& stempel, const QString& label) {
    const QString lokal = QDir(m_tsdir).filePath(name);
    const QString ziel = stempel + u'_' + name;
    if (m_ablage.aktiv == 1) {
        if (datenordnerSichern(m_ablage.verzeichnis, true)) {
            kopierenOderMerken(false, name, lokal,
                               QDir(datenordner(m_ablage.verzeichnis)).filePath(QStringLiteral("upload/") + ziel));
            buchen(false, true);
            m_statistik.zaehlen(3);
            m_protokoll.protokoll(L() + u' ' + label + QStringLiteral(": ") + name);
            offenMerken(false, name, false);
        } else {
            m_fehler.setzen(QStringLiteral("Verzeichnis zum Webserver nicht vorhanden!"), m_ablage.verzeichnis);
            buchen(false, false, QStringLiteral("Verzeichnis zum Webserver nicht vorhanden: ") + m_ablage.verzeichnis);
            m_statistik.zaehlen(4);
            m_protokoll.memoUndProtokoll(L() + QStringLiteral(" Verzeichnis zum Webserver nicht vorhanden: ") +
                                         m_ablage.verzeichnis);
            offenMerken(false, name, true);
        }
        return;
    }
    const QString servername = QStringLiteral("/zkd") + m_ablage.dbzkd + QStringLiteral("/upload/") + ziel;
    const QString pfadText = QDir::toNativeSeparators(QDir(m_tsdir).filePath(ziel));
    const Ergebnis<void> gesendet =
        m_http.senden(url(m_ablage.host, m_ablage.steuerdatei), lokal, servername, m_ablage.token);
    buchen(false, gesendet.ok(), gesendet.fehler());
    if (gesendet.ok()) {
        m_statistik.zaehlen(3);
        m_protokoll.protokoll(L() + QStringLiteral(" Upload vom Webserver: ") + pfadText);
        offenMerken(false, name, false);
    } else {
        m_fehler.setzen(QStringLiteral("Upload Fehler!"), pfadText);
        m_statistik.zaehlen(4);
        m_protokoll.memoUndProtokoll(L() + QStringLiteral(" Upload Fehler: ") + pfadText);
        offenMerken(false, name, true);
    }
}

void Webserverupload::DateiPockoWebserverUpload(const QString& name, const QString& stempel, const QString& label) {
    if (name.startsWith(QStringLiteral("starter"))) {
        return; // starter lists are not published on the phones
    }
    const QString lokal = QDir(m_tsdir).filePath(name);
    const QString ziel = stempel + u'_' + name;
    if (m_ablage.aktivpocko == 1) {
        if (datenordnerSichern(m_ablage.verzeichnispocko, false)) {
            kopierenOderMerken(true, name, lokal,
                               QDir(datenordner(m_ablage.verzeichnispocko)).filePath(QStringLiteral("upload/") + ziel));
            buchen(true, true);
            m_statistik.zaehlen(1);
            m_protokoll.protokoll(L() + u' ' + label + QStringLiteral(": ") + name);
            offenMerken(true, name, false);
        } else {
            m_fehler.setzen(QStringLiteral("Verzeichnis zum Webserver (POCKO) nicht vorhanden!"),
                            m_ablage.verzeichnispocko);
            buchen(true, false,
                   QStringLiteral("Verzeichnis zum Webserver nicht vorhanden: ") + m_ablage.verzeichnispocko);
            m_statistik.zaehlen(2);
            m_protokoll.memoUndProtokoll(L() + QStringLiteral(" Verzeichnis zum (Pocko)Webserver nicht vorhanden: ") +
                                         m_ablage.verzeichnispocko);
            offenMerken(true, name, true);
        }
        return;
    }
    if (!m_archiv) {
        // No archive to add to (the cycle could not open one): counted as a failed send, sent again later.
        m_fehler.setzen(QStringLiteral("Upload Fehler (POCKO)!"),
                        QDir::toNativeSeparators(QDir(m_tsdir).filePath(ziel)));
        buchen(true, false, QStringLiteral("Das ZIP-Archiv des Zyklus konnte nicht angelegt werden."));
        m_statistik.zaehlen(2);
        offenMerken(true, name, true);
        return;
    }
    // The archive takes the bytes at once, so no stamped copy is made that a failure could leave behind.
    try {
        m_archiv->hinzufuegen(lokal, ziel);
    } catch (const QuendaError&) {
        offenMerken(true, name, true);
        throw;
    }
    // From here the archive in the working folder carries the file until it is delivered.
    m_archivNamen.append(name);
    offenMerken(true, name, false);
    m_protokoll.protokoll(L() + QStringLiteral(" ZIP-Add (Pocko): ") +
                          QDir::toNativeSeparators(QDir(m_tsdir).filePath(ziel)));
}

bool Webserverupload::DateiWebserver(const QString& name) {
    const QString lokal = QDir(m_tsdir).filePath(name);
    const QString pfadText = QDir::toNativeSeparators(lokal);
    if (m_ablage.aktiv == 1) {
        if (datenordnerSichern(m_ablage.verzeichnis, true)) {
            const QString ziel = QDir(datenordner(m_ablage.verzeichnis)).filePath(name);
            QDir().mkpath(QFileInfo(ziel).absolutePath()); // "images/..." names
            datei_kopieren(lokal, ziel);
            return true;
        }
        // Reported as a failure, so that the configuration transfer does not claim success.
        m_fehler.setzen(QStringLiteral("Verzeichnis zum Webserver nicht vorhanden!"), m_ablage.verzeichnis);
        m_protokoll.memoUndProtokoll(L() + QStringLiteral(" Copy Fehler: ") + pfadText);
        return false;
    }
    const QString servername = QStringLiteral("/zkd") + m_ablage.dbzkd + u'/' + name;
    if (m_http.HTTP_POST_Token(url(m_ablage.host, m_ablage.steuerdatei), lokal, servername, m_ablage.token)) {
        m_protokoll.protokoll(L() + QStringLiteral(" Upload vom Webserver: ") + pfadText);
        return true;
    }
    m_fehler.setzen(QStringLiteral("Upload Fehler!"), name);
    m_protokoll.memoUndProtokoll(L() + QStringLiteral(" Upload Fehler: ") + pfadText);
    return false;
}

void Webserverupload::HTTPZip(int anzahl) {
    const QDir ordner(m_tsdir);
    // Oldest first: the stamp leads the name. Archives of earlier failed cycles are sent again here; any other
    // ZIP file of the folder is the user's and is neither sent nor deleted.
    for (const QString& archiv : wartendeArchive()) {
        const QString lokal = ordner.filePath(archiv);
        if (QFileInfo(lokal).isSymLink()) {
            continue;
        }
        const QString pfadText = QDir::toNativeSeparators(lokal);
        const QString servername = QStringLiteral("/zkd") + m_ablage.dbzkd + QStringLiteral("/upload/") + archiv;
        const Ergebnis<void> gesendet =
            m_http.senden(url(m_ablage.hostpocko, m_ablage.steuerdateipocko), lokal, servername, m_ablage.tokenpocko);
        buchen(true, gesendet.ok(), gesendet.fehler());
        if (gesendet.ok()) {
            m_statistik.zaehlen(1, anzahl);
            const bool geloescht = QFile::remove(lokal);
            m_protokoll.protokoll(L() + QStringLiteral(" Upload vom Webserver (Pocko): ") + pfadText +
                                  (geloescht ? QString() : QStringLiteral(" DELETE nicht möglich")));
        } else {
            m_fehler.setzen(QStringLiteral("Upload Fehler (POCKO)!"), pfadText);
            m_statistik.zaehlen(2, anzahl);
            m_protokoll.memoUndProtokoll(L() + QStringLiteral(" Upload Fehler (Pocko): ") + pfadText);
        }
    }
}

QStringList Webserverupload::wartendeArchive() const {
    QStringList namen = QDir(m_tsdir).entryList({QStringLiteral("*_pockoupload.zip")}, QDir::Files, QDir::Name);
    namen.removeIf([](const QString& name) { return !ZipArchiv::istZyklusArchiv(name); });
    return namen;
}

int Webserverupload::offenAnzahl(bool pocko) {
    int anzahl = static_cast<int>(offene(pocko).size());
    if (pocko) {
        for (const QString& archiv : wartendeArchive()) {
            anzahl += ZipArchiv::eintraege(QDir(m_tsdir).filePath(archiv));
        }
    }
    return anzahl;
}

void Webserverupload::kopierenOderMerken(bool pocko, const QString& name, const QString& lokal, const QString& ziel) {
    try {
        datei_kopieren(lokal, ziel, Ablauf::Zyklus);
    } catch (const IoError& e) {
        // The kept version is already the new one: without this mark an unchanged file would never be sent
        // again once the target accepts files (a full or read-only storage root).
        buchen(pocko, false, e.message());
        offenMerken(pocko, name, true);
        throw;
    }
}

QString Webserverupload::offenDatei(bool pocko) {
    return pocko ? QStringLiteral("nachsenden_pocko.lst") : QStringLiteral("nachsenden_anzweb.lst");
}

QSet<QString>& Webserverupload::offene(bool pocko) {
    const int i = pocko ? 1 : 0;
    if (!m_offenGeladen[i]) {
        m_offenGeladen[i] = true;
        const QString pfad = QDir(m_tsdir).filePath(offenDatei(pocko));
        if (QFile::exists(pfad)) {
            for (const QString& zeile : textdatei::lesen(pfad)) {
                // Only files the cycle itself stages: a list written by someone else must not publish the
                // settings with their tokens, a log or anything else of this folder.
                if (dateinamen::versandfaehig(zeile)) {
                    m_offen[i].insert(zeile);
                }
            }
        }
    }
    return m_offen[i];
}

void Webserverupload::offenMerken(bool pocko, const QString& name, bool offen) {
    if (offen) {
        m_gescheitert[pocko ? 1 : 0].insert(name);
    }
    QSet<QString>& liste = offene(pocko);
    if (liste.contains(name) == offen) {
        return;
    }
    if (offen) {
        liste.insert(name);
    } else {
        liste.remove(name);
    }
    QStringList zeilen(liste.begin(), liste.end());
    zeilen.sort();
    textdatei::schreiben(QDir(m_tsdir).filePath(offenDatei(pocko)), zeilen);
}

void Webserverupload::buchen(bool pocko, bool angekommen, const QString& grund) {
    Zielbilanz& b = m_bilanz[pocko ? 1 : 0];
    ++b.versuche;
    if (!angekommen) {
        ++b.fehler;
        b.grund = grund;
    }
}

void Webserverupload::archivVerloren() {
    if (!m_archivNamen.isEmpty()) {
        buchen(true, false, QStringLiteral("Das ZIP-Archiv des Zyklus konnte nicht geschrieben werden."));
    }
    for (const QString& name : std::as_const(m_archivNamen)) {
        offenMerken(true, name, true);
    }
    m_archivNamen.clear();
}

void Webserverupload::offeneNachsenden(const QString& stempel) {
    for (const bool pocko : {false, true}) {
        const bool verzeichnis = pocko ? m_ablage.aktivpocko == 1 : m_ablage.aktiv == 1;
        const QString wurzel = pocko ? m_ablage.verzeichnispocko : m_ablage.verzeichnis;
        if ((pocko ? m_ablage.pocko : m_ablage.anzweb) != 1 || (verzeichnis && !QFileInfo(wurzel).isDir()) ||
            (pocko && !verzeichnis && !m_archiv)) {
            // Nothing to gain while the target is off or its folder is still missing. Archives for the phones
            // are kept and resent as a whole; only what never reached one is added to this cycle's.
            continue;
        }
        QStringList namen(offene(pocko).begin(), offene(pocko).end());
        namen.sort();
        for (const QString& name : namen) {
            if (m_gescheitert[pocko ? 1 : 0].contains(name)) {
                continue; // failed in this cycle already: the next one tries again
            }
            const QFileInfo datei(QDir(m_tsdir).filePath(name));
            if (!datei.exists() || datei.isSymLink() || !datei.isFile()) {
                offenMerken(pocko, name, false); // no longer produced, or not a file of ours
                continue;
            }
            if (pocko) {
                DateiPockoWebserverUpload(name, stempel, QStringLiteral("Nachlieferung (POCKO)"));
            } else {
                DateiWebserverUpload(name, stempel, QStringLiteral("Nachlieferung"));
            }
            if (offene(pocko).contains(name)) {
                break; // still failing: try the rest next cycle instead of waiting on every file
            }
        }
    }
}

} // namespace quenda
