#include "transfer/Datenzyklus.h"

#include "Turnierkontext.h"
#include "db/Lesetransaktion.h"
#include "db/TDM.h"
#include "draws/AusloList.h"
#include "draws/AuslosungErmittlung.h"
#include "draws/Gruppenfingerabdruck.h"
#include "settings/TAblage.h"
#include "transfer/Abgabepuffer.h"
#include "transfer/Dateianlage.h"
#include "transfer/Exporteure.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/Webserverupload.h"
#include "transfer/ZipArchiv.h"
#include "util/Dateiersatz.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>

namespace quenda {

namespace {

// One unit of reads: its statements in one read transaction, its hand-overs passed on once that has ended;
// also those made before a fault in the unit, which reached staging at once before there were units.
template <typename Lesen>
void alsEinheit(TDM& dm, Abgabepuffer& puffer, Lesen&& lesen) {
    Lesetransaktion lesung(dm.ADOConnectionTURDB);
    puffer.sammeln();
    try {
        lesen();
    } catch (...) {
        lesung.beenden();
        puffer.weitergeben();
        throw;
    }
    lesung.beenden();
    puffer.weitergeben();
}

} // namespace

Datenzyklus::Datenzyklus(ZyklusUmgebung umgebung) : m_u(std::move(umgebung)) {}

Datenzyklus::~Datenzyklus() = default;

QString Datenzyklus::L() const {
    return zeitText(m_u.uhr.jetzt());
}

bool Datenzyklus::faellig(const QString& aktdatetime, const QDateTime& jetzt, int intervall) {
    const auto zahl = [&aktdatetime](int start) {
        bool ok = false;
        const int wert = aktdatetime.mid(start - 1, 2).toInt(&ok);
        if (!ok) {
            throw ConversionError(QStringLiteral("'%1' enthält keine Uhrzeit.").arg(aktdatetime));
        }
        return wert;
    };
    const QTime zuletzt(zahl(12), zahl(15), zahl(18));
    if (!zuletzt.isValid()) {
        throw ConversionError(QStringLiteral("'%1' enthält keine gültige Uhrzeit.").arg(aktdatetime));
    }
    const int sekunden = std::abs(zuletzt.secsTo(jetzt.time()));
    return sekunden / 60 >= intervall;
}

QString Datenzyklus::laufmarke() {
    return QStringLiteral("zyklus_laeuft.mrk");
}

void Datenzyklus::laufBeginnen() {
    const QString marke = QDir(m_u.kontext.tsdir).filePath(laufmarke());
    // A kept version replaced just before the program was killed may never have reached a target: the cycle
    // after an unfinished one sends every file, changed or not.
    if (QFileInfo::exists(marke)) {
        m_u.resend = true;
        melden(L() + QStringLiteral(" Der letzte Zyklus wurde nicht beendet: alle Dateien werden neu gesendet."));
    }
    datei_ersetzen(marke, zeitText(m_u.uhr.jetzt()).toLatin1() + "\r\n");
}

void Datenzyklus::Execute() {
    m_u.statistik.neuerZyklus(zeitAnzeige(m_u.uhr.jetzt()));
    bool markiert = false;
    try {
        laufBeginnen();
        markiert = true;
    } catch (const QuendaError& e) {
        melden(L() + u' ' + e.message()); // the working folder is gone: the exports below report it as well
    }
    Webserverupload upload(m_u.ablage, m_u.kontext.tsdir, m_u.protokoll, m_u.statistik, m_u.fehler, m_u.uhr, m_u.http);
    Dateianlage staging(m_u.kontext.tsdir, m_u.ablage, upload, m_u.statistik, m_u.protokoll, m_u.uhr, m_u.resend);
    const bool pockoHttp = m_u.ablage.pocko == 1 && m_u.ablage.aktivpocko != 1;
    std::unique_ptr<ZipArchiv> pockozipdatei;
    try {
        if (pockoHttp) {
            const QString stempel = zeitstempel14(m_u.uhr.jetzt());
            pockozipdatei =
                std::make_unique<ZipArchiv>(QDir(m_u.kontext.tsdir).filePath(ZipArchiv::zyklusName(stempel)));
            upload.setArchiv(pockozipdatei.get());
            m_u.protokoll.protokoll(L() + QStringLiteral(" ZIP-Datei Open ") + stempel);
        }
        TDM dm; // this thread's own connection, opened afresh so the cycle sees the current state
        dm.oeffnen(m_u.kontext.dbpath);
        if (!dm.importHinweis().isEmpty()) {
            melden(L() + u' ' + dm.importHinweis()); // the previous snapshot of the Access file is used
        }
        exporte(dm, staging, upload);
    } catch (const QuendaError& e) {
        melden(L() + u' ' + e.message());
    } catch (const std::exception& e) {
        melden(L() + u' ' + QString::fromLocal8Bit(e.what()));
    }
    // Closing steps: they run whatever happened above.
    m_u.resend = false;
    Q_EMIT exporteEnde();
    if (pockoHttp) {
        upload.setArchiv(nullptr);
        archivSenden(upload, std::move(pockozipdatei));
    }
    Q_EMIT statistikNeu(m_u.statistik.zyklen());
    if (markiert) {
        QFile::remove(QDir(m_u.kontext.tsdir).filePath(laufmarke())); // every delivery of the cycle is done
    }
    const Zielzustaende ziele = zielstatusFortschreiben(upload);
    melden(L() + QStringLiteral(" Ende Übertragung"));
    Q_EMIT zielstatusNeu(ziele); // after the cycle's last line, so that the status follows it
}

void Datenzyklus::archivSenden(Webserverupload& upload, std::unique_ptr<ZipArchiv> archiv) {
    int anzahl = 0;
    try {
        if (archiv) {
            anzahl = archiv->anzahl();
            archiv->schliessen();
            if (anzahl == 0) {
                // libzip leaves no file for an empty archive; a file of that name from before goes as well.
                QFile::remove(archiv->pfad());
                m_u.protokoll.protokoll(L() + QStringLiteral(" Lösche Leere ZIP-Datei ") +
                                        QDir::toNativeSeparators(archiv->pfad()));
            }
        }
    } catch (const QuendaError& e) {
        upload.archivVerloren();
        melden(L() + u' ' + e.message());
    }
    try {
        // Also after a failed close: archives of earlier cycles still wait in the working folder.
        upload.HTTPZip(anzahl);
    } catch (const QuendaError& e) {
        melden(L() + u' ' + e.message());
    }
}

Zielzustaende Datenzyklus::zielstatusFortschreiben(Webserverupload& upload) {
    const QString tsdir = m_u.kontext.tsdir;
    Zielzustaende ziele = ZielstatusLoad(tsdir, m_u.ablage);
    for (const bool pocko : {false, true}) {
        Zielbilanz bilanz = upload.bilanz(pocko);
        const QString wurzel = pocko ? m_u.ablage.verzeichnispocko : m_u.ablage.verzeichnis;
        if (bilanz.versuche == 0 && (pocko ? m_u.ablage.aktivpocko : m_u.ablage.aktiv) == 1) {
            // Nothing was due: a storage folder still tells whether the target could take files now.
            bilanz.versuche = 1;
            if (wurzel.trimmed().isEmpty() || !QFileInfo(wurzel).isDir()) {
                bilanz.fehler = 1;
                bilanz.grund = QStringLiteral("Verzeichnis zum Webserver nicht vorhanden: ") + wurzel;
            }
        }
        Zielzustand& z = ziele[pocko ? 1 : 0];
        int offen = 0;
        try {
            offen = upload.offenAnzahl(pocko);
        } catch (const QuendaError&) {
            offen = z.offen; // the pending list cannot be read: the last count stands
        }
        z = fortschreiben(z, z.aktiv, bilanz, offen, zeitText(m_u.uhr.jetzt()));
    }
    try {
        ZielstatusSave(tsdir, ziele);
    } catch (const QuendaError& e) {
        melden(L() + u' ' + e.message());
    }
    return ziele;
}

void Datenzyklus::melden(const QString& zeile) {
    m_u.protokoll.memo(zeile);
    try {
        m_u.protokoll.protokoll(zeile);
    } catch (const QuendaError&) {
        // The working folder is gone (the usual cause of the error being reported): the memo has the line,
        // and the closing steps must still run.
    }
}

void Datenzyklus::exporte(TDM& dm, Staging& staging, Webserverupload& upload) {
    AuslosungErmittlung ermittlung(dm, m_u.kontext, m_u.ablage, m_u.liste, m_u.protokoll, m_u.uhr, staging);
    connect(&ermittlung, &AuslosungErmittlung::letzteAktualisierung, this, &Datenzyklus::letzteAktualisierung,
            Qt::DirectConnection);
    connect(&ermittlung, &AuslosungErmittlung::baumNeu, this, &Datenzyklus::baumNeu, Qt::DirectConnection);
    ermittlung.Auslosung_Ermittlung();
    upload.offeneNachsenden(zeitstempel14(m_u.uhr.jetzt()));

    Abgabepuffer puffer(staging);
    const std::unique_ptr<Exporteure> exporteure = m_u.fabrik(dm, m_u.kontext, puffer);
    if (m_u.sofort) {
        geaenderteExportieren(*exporteure, dm, puffer);
        return;
    }
    const int anzahl = m_u.liste.count();
    for (int position = 1; position <= anzahl; ++position) {
        exporteure->tabspieleliste.clear();
        auslosungExportieren(*exporteure, dm, puffer, position);
        exporteure->tabspieleliste.clear();
        if (m_u.abbruch.load()) {
            return; // "Stoppen": no further draws, no occupancy and messages
        }
    }
    const QString stempel = zeitstempel14(m_u.uhr.jetzt());
    alsEinheit(dm, puffer, [&] { exporteure->Objdaten_Tischbelegung(stempel); });
    exporteure->Objdaten_Meldung(stempel);
}

void Datenzyklus::geaenderteExportieren(Exporteure& ex, TDM& dm, Abgabepuffer& puffer) {
    const int anzahl = m_u.liste.count();
    for (int position = 1; position <= anzahl && !m_u.abbruch.load(); ++position) {
        TAuslosung& a = m_u.liste.at(position);
        if (a.typdaten != typdatenGruppe) {
            continue;
        }
        try {
            QByteArray neu;
            bool exportiert = false;
            alsEinheit(dm, puffer, [&] {
                neu = gruppenFingerabdruck(dm, a.syf_id);
                if (neu != a.fingerabdruck) {
                    ex.tabspieleliste.clear();
                    exportieren(ex, a);
                    ex.tabspieleliste.clear();
                    exportiert = true;
                }
            });
            if (exportiert) {
                exportiertVermerken(a, neu);
            }
        } catch (const ConversionError& e) {
            m_u.protokoll.memoUndProtokoll(L() + QStringLiteral(" Fehler bei Gr.") + QString::number(a.gruppe) + u' ' +
                                           a.konkurrenz + u' ' + a.auslosung_bez + QStringLiteral(": ") + e.message());
        }
    }
    if (!m_u.abbruch.load()) {
        const QString stempel = zeitstempel14(m_u.uhr.jetzt());
        alsEinheit(dm, puffer, [&] { ex.Objdaten_Tischbelegung(stempel); });
    }
}

void Datenzyklus::auslosungExportieren(Exporteure& ex, TDM& dm, Abgabepuffer& puffer, int position) {
    TAuslosung& a = m_u.liste.at(position);
    try {
        if (!faellig(a.aktdatetime, m_u.uhr.jetzt(), a.intervall)) {
            m_u.protokoll.protokoll(L() + QStringLiteral(" Noch aktuell  - Gr.") + QString::number(a.gruppe) + u' ' +
                                    a.konkurrenz + u' ' + a.auslosung_bez);
            return;
        }
        // Read in the export's unit, on the same state of the database, so that an extra cycle never misses a
        // change that came in between.
        const bool mitFingerabdruck = m_u.fingerabdruecke && a.typdaten == typdatenGruppe;
        QByteArray fingerabdruck;
        alsEinheit(dm, puffer, [&] {
            if (mitFingerabdruck) {
                fingerabdruck = gruppenFingerabdruck(dm, a.syf_id);
            }
            exportieren(ex, a);
        });
        exportiertVermerken(a, fingerabdruck); // only once its files were handed over
    } catch (const ConversionError& e) {
        // A fault in one draw's rows: that draw stays due, the others are still published.
        m_u.protokoll.memoUndProtokoll(L() + QStringLiteral(" Fehler bei Gr.") + QString::number(a.gruppe) + u' ' +
                                       a.konkurrenz + u' ' + a.auslosung_bez + QStringLiteral(": ") + e.message());
    }
}

void Datenzyklus::exportieren(Exporteure& ex, const TAuslosung& a) {
    const QString stempel = zeitstempel14(m_u.uhr.jetzt());
    if (a.typdaten == typdatenGruppe) {
        ex.Objdaten_Spiele(a.al_id, a.syf_id, a.typ, a.betrieb, stempel);
        if (a.sy_typ == 2) {
            ex.Objdaten_KOFeld(a.al_id, a.syf_id, a.typ, a.betrieb, stempel);
        }
        ex.tabspieleliste.append(QStringLiteral("[TABELLE]"));
        if (a.sy_typ == 1) {
            ex.Objdaten_Tabelle(a.al_id, a.syf_id, a.typ, a.betrieb, stempel);
        }
        ex.Objdaten_Starterliste(a.al_id, a.syf_id, a.typ, a.betrieb, stempel);
        if (a.sy_typ == 1) {
            ex.Objdaten_TabelleSpiele(a.al_id, a.syf_id, a.betrieb, stempel);
        }
    } else {
        ex.Objdaten_Teilnehmerliste(a.syf_id, a.typ, stempel);
    }
}

void Datenzyklus::exportiertVermerken(TAuslosung& a, const QByteArray& fingerabdruck) {
    a.aktdatetime = zeitText(m_u.uhr.jetzt());
    a.fingerabdruck = fingerabdruck;
}

} // namespace quenda
