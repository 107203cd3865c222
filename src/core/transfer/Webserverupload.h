// Webserverupload (DateiWebserverUpload, HTTPZip) — delivery of files to the two display targets
#pragma once

#include "settings/TAblage.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace quenda {

class Ereignisprotokoll;
class Fehlerzustand;
class HttpSender;
class Programmuhr;
class Statistik;
class ZyklusArchiv;

// Moves files of the working folder to the two display targets: copy into the storage directory or
// HTTP(S) post to the control script. The data-file operations run on the cycle thread; DateiWebserver
// runs on the UI thread with its own instance. Failures never raise: they set the failure state, count and
// log. Local file errors (copy, folder creation) raise IoError.
// What one cycle did for a display target: deliveries tried, how many failed, and why the last one failed.
struct Zielbilanz {
    int versuche = 0;
    int fehler = 0;
    QString grund;
};

class Webserverupload {
public:
    Webserverupload(const TAblage& ablage, const QString& tsdir, Ereignisprotokoll& protokoll, Statistik& statistik,
                    Fehlerzustand& fehler, Programmuhr& uhr, HttpSender& http);

    // The archive of the running cycle for the mobile-phone target (HTTP(S) mode); nullptr outside a cycle.
    void setArchiv(ZyklusArchiv* archiv) { m_archiv = archiv; }

    void DateiWebserverUpload(const QString& name, const QString& stempel, const QString& label);
    void DateiPockoWebserverUpload(const QString& name, const QString& stempel, const QString& label);
    // Sends every archive the cycles wrote (<14 digits>_pockoupload.zip) to the mobile-phone target, counting
    // anzahl (the files of this cycle's archive) per archive; a sent archive is deleted, a failed one stays for
    // the next cycle.
    void HTTPZip(int anzahl);
    // Configuration, images and control files into the root of the beamer/screen data folder. True when the
    // file arrived.
    bool DateiWebserver(const QString& name);

    // Sends again what failed in earlier cycles (the current kept version), while the target is reachable; what
    // failed in this cycle waits for the next. Only regular files of the names the cycle stages are sent.
    void offeneNachsenden(const QString& stempel);
    // The cycle's archive for the phones could not be written: what went into it is pending again.
    void archivVerloren();

    // The pending lists of the working folder, one file name per line.
    static QString offenDatei(bool pocko);
    // The number of files still pending for a target: its list as it stands now and, for the phones, the
    // entries of the archives that wait in the working folder.
    int offenAnzahl(bool pocko);
    const Zielbilanz& bilanz(bool pocko) const { return m_bilanz[pocko ? 1 : 0]; }

private:
    QString datenordner(const QString& wurzel) const;
    bool datenordnerSichern(const QString& wurzel, bool mitImages) const;
    void offenMerken(bool pocko, const QString& name, bool offen);
    // datei_kopieren; a copy that fails leaves the file pending before the error goes on.
    void kopierenOderMerken(bool pocko, const QString& name, const QString& lokal, const QString& ziel);
    QSet<QString>& offene(bool pocko);
    QString L() const;
    void buchen(bool pocko, bool angekommen, const QString& grund = {});
    // The cycles' archives in the working folder, oldest first (the stamp leads the name).
    QStringList wartendeArchive() const;

    TAblage m_ablage;
    QString m_tsdir;
    Ereignisprotokoll& m_protokoll;
    Statistik& m_statistik;
    Fehlerzustand& m_fehler;
    Programmuhr& m_uhr;
    HttpSender& m_http;
    ZyklusArchiv* m_archiv = nullptr;
    QStringList m_archivNamen; // added to the cycle's archive, pending again if it is lost
    bool m_offenGeladen[2] = {false, false};
    QSet<QString> m_offen[2];
    QSet<QString> m_gescheitert[2]; // became pending in this cycle: not retried before the next one
    Zielbilanz m_bilanz[2];
};

} // namespace quenda
