#include "draws/AuslosungErmittlung.h"

#include "Turnierkontext.h"
#include "db/TDM.h"
#include "draws/AusloList.h"
#include "draws/Auslosungsabfragen.h"
#include "draws/Dateiname_aslid.h"
#include "draws/IntervallDatei.h"
#include "settings/TAblage.h"
#include "transfer/Staging.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <optional>
#include <set>
#include <utility>

namespace quenda {

namespace {

// Participant lists appear this long before the competition starts.
constexpr qint64 vorlaufSekunden = 180 * 60;

void oeffnen(Abfrage& abfrage, const QString& sql) {
    abfrage.schliessen();
    abfrage.setzeText(sql);
    abfrage.oeffnen();
    abfrage.first();
}

QString listenZeile(const TAuslosung& a) {
    return QStringList{QString::number(a.syf_id), QString::number(a.al_id), QString::number(a.gruppe),
                       QString::number(a.sy_typ), QString::number(a.typ),   a.konkurrenz,
                       a.auslosung_bez,           QString::number(a.grmax), QString::number(a.kl_id),
                       QString::number(a.splerl), QString::number(a.sploff)}
        .join(u'|');
}

QDateTime aufSekunde(const QDateTime& zeit) {
    return zeit.addMSecs(-zeit.time().msec());
}

// What can still be read of a row that cannot be taken, for the line that names it.
QString zeilenName(const Abfrage& q, int typdaten) {
    const auto lesbar = [&q](const char* spalte) {
        try {
            return q.feld(QString::fromLatin1(spalte)).alsText();
        } catch (const QuendaError&) {
            return QStringLiteral("?");
        }
    };
    if (typdaten == typdatenTeilnehmer) {
        return QStringLiteral("[ID: ") + lesbar("kn_id") + QStringLiteral(" ] ") + lesbar("kn_bez");
    }
    return QStringLiteral("[ID: ") + lesbar("syf_id") + QStringLiteral(" ] Auslosung ") + lesbar("al_id") +
           QStringLiteral(" Gr. ") + lesbar("grnr") + QStringLiteral(" - ") + lesbar("kn_bez") + u' ' +
           lesbar("al_bez");
}

// The key of a skipped row, when it is readable: its record is kept, not dropped as no longer released.
std::optional<int> schluessel(const Abfrage& q, const char* spalte) {
    try {
        return q.feld(QString::fromLatin1(spalte)).alsInt();
    } catch (const QuendaError&) {
        return std::nullopt;
    }
}

} // namespace

AuslosungErmittlung::AuslosungErmittlung(TDM& tdm, const Turnierkontext& kontext, const TAblage& ablage,
                                         AusloList& liste, Ereignisprotokoll& protokoll, Programmuhr& uhr,
                                         Staging& staging, QObject* parent)
    : QObject(parent), m_tdm(tdm), m_kontext(kontext), m_ablage(ablage), m_liste(liste), m_protokoll(protokoll),
      m_uhr(uhr), m_staging(staging) {}

void AuslosungErmittlung::Auslosung_Ermittlung() {
    Q_EMIT letzteAktualisierung(zeitAnzeige(m_uhr.jetzt()));
    m_protokoll.protokoll(QStringLiteral("Ermittlung Auslosungen"));
    m_protokoll.protokoll(QString(54, u'-'));
    // Participant lists first: in the first pass of a tournament they head the list.
    Intervallspeicher intervalle(m_kontext.tsdir, m_protokoll, m_uhr);
    teilnehmerlisten(intervalle);
    auslosungsgruppen(intervalle);
    auslosungslistenSchreiben();
    ordnerBereinigen();
    Q_EMIT baumNeu(AuslosungsBaum::aus(m_liste));
}

void AuslosungErmittlung::zeileUebersprungen(const Abfrage& q, int typdaten, const ConversionError& fehler) {
    m_protokoll.memoUndProtokoll(zeitText(m_uhr.jetzt()) + QStringLiteral(" ZEILE ÜBERSPRUNGEN ") +
                                 zeilenName(q, typdaten) + QStringLiteral(": ") + fehler.message());
}

void AuslosungErmittlung::teilnehmerlisten(Intervallspeicher& intervalle) {
    const AusloUmgebung umgebung{m_uhr, m_protokoll, intervalle};
    Abfrage& q = m_tdm.QAuslosung;
    oeffnen(q, abfragen::konkurrenzen(m_kontext.dbturid));
    QSet<int> verfolgt;
    QSet<int> ohneStart;
    const int zeilen = q.rowCount();
    for (int i = 0; i < zeilen; ++i, q.next()) {
        try {
            if (q.feld(QStringLiteral("grmax")).alsInt() <= 0) {
                continue;
            }
            const int kn_id = q.feld(QStringLiteral("kn_id")).alsInt();
            // A competition without a readable start cannot be placed in time; it is skipped (and said so
            // once per pass) rather than ending every pass with a conversion error.
            QDateTime start;
            try {
                start = q.feld(QStringLiteral("startdatetime")).alsDatumZeit();
            } catch (const ConversionError&) {
                if (!ohneStart.contains(kn_id)) {
                    ohneStart.insert(kn_id);
                    m_protokoll.protokoll(zeitText(m_uhr.jetzt()) + QStringLiteral(" OHNE STARTZEIT [ID: ") +
                                          QString::number(kn_id) + QStringLiteral(" ] ") +
                                          q.feld(QStringLiteral("kn_bez")).alsText() +
                                          QStringLiteral(" - Teilnehmerliste wird nicht übertragen"));
                }
                continue;
            }
            if (aufSekunde(m_uhr.jetzt()).addSecs(vorlaufSekunden) < start) {
                continue;
            }
            const int position = m_liste.FindAuslosung(kn_id, typdatenTeilnehmer);
            if (position == nichtGefunden) {
                m_liste.AusloList_Insert(q, quelleErmittlung, typdatenTeilnehmer, umgebung);
            } else {
                m_liste.AusloList_Update(q, quelleErmittlung, position, typdatenTeilnehmer, umgebung);
            }
            verfolgt.insert(kn_id);
        } catch (const ConversionError& e) {
            // One unreadable row: the rest of the tournament is published; a tracked list keeps its record.
            zeileUebersprungen(q, typdatenTeilnehmer, e);
            if (const auto kn_id = schluessel(q, "kn_id")) {
                verfolgt.insert(*kn_id);
            }
        }
    }
    for (int p = 1; p <= m_liste.count();) {
        const TAuslosung& a = m_liste.at(p);
        if (a.typdaten == typdatenTeilnehmer && !verfolgt.contains(a.syf_id)) {
            m_liste.AusloList_Delete(p);
        } else {
            ++p;
        }
    }
}

void AuslosungErmittlung::auslosungsgruppen(Intervallspeicher& intervalle) {
    const AusloUmgebung umgebung{m_uhr, m_protokoll, intervalle};
    Abfrage& q = m_tdm.QAuslosung;
    oeffnen(q, abfragen::auslosungen(m_kontext.dbturid));
    QSet<int> freigegeben;
    const int zeilen = q.rowCount();
    for (int i = 0; i < zeilen; ++i, q.next()) {
        try {
            const int syf_id = q.feld(QStringLiteral("syf_id")).alsInt();
            const int position = m_liste.FindAuslosung(syf_id, typdatenGruppe);
            if (position == nichtGefunden) {
                m_liste.AusloList_Insert(q, quelleErmittlung, typdatenGruppe, umgebung);
            } else {
                m_liste.AusloList_Update(q, quelleErmittlung, position, typdatenGruppe, umgebung);
            }
            freigegeben.insert(q.feld(QStringLiteral("al_id")).alsInt());
        } catch (const ConversionError& e) {
            // One unreadable row: the rest of the tournament is published; a tracked group keeps its record
            // with the values of its last readable pass.
            zeileUebersprungen(q, typdatenGruppe, e);
            if (const auto al_id = schluessel(q, "al_id")) {
                freigegeben.insert(*al_id);
            }
        }
    }
    // By draw, not by group: a draw no longer released loses all its groups at once, while a group dropped
    // from a draw that stays released stays tracked.
    for (int p = 1; p <= m_liste.count();) {
        const TAuslosung& a = m_liste.at(p);
        if (a.typdaten == typdatenGruppe && !freigegeben.contains(a.al_id)) {
            m_liste.AusloList_Delete(p);
        } else {
            ++p;
        }
    }
}

void AuslosungErmittlung::auslosungslistenSchreiben() {
    const QDir tsdir(m_kontext.tsdir);
    const QString turnier = feldtext(m_kontext.dbturnier);
    QStringList anzeige{turnier};
    QStringList pocko{turnier + u'|' + feldtext(m_ablage.impressum) + u'|' + feldtext(m_ablage.datenschutz)};
    for (const TAuslosung& a : m_liste) {
        if (a.betrieb == 1 || a.typdaten == typdatenTeilnehmer) {
            anzeige.append(listenZeile(a));
        }
        if (a.typdaten == typdatenGruppe) {
            pocko.append(listenZeile(a));
        }
    }
    const QString auslodat = QStringLiteral("auslodat_org.txt");
    textdatei::schreiben(tsdir.filePath(auslodat), anzeige, Ablauf::Zyklus);
    m_staging.DateiAnlage(auslodat, zeitstempel14(m_uhr.jetzt()), 1);
    const QString auslodatpocko = QStringLiteral("auslodatpocko_org.txt");
    textdatei::schreiben(tsdir.filePath(auslodatpocko), pocko, Ablauf::Zyklus);
    m_staging.DateiAnlage(auslodatpocko, zeitstempel14(m_uhr.jetzt()), 2);
}

void AuslosungErmittlung::ordnerBereinigen() {
    std::set<std::pair<int, int>> schluessel; // (al_id, 1) of draw groups, (kn_id, 2) of participant lists
    for (const TAuslosung& a : m_liste) {
        schluessel.emplace(a.typdaten == typdatenGruppe ? a.al_id : a.syf_id, a.typdaten);
    }
    const QDir tsdir(m_kontext.tsdir);
    for (const QString& name : tsdir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        int kind = 0;
        int id = keinDatenfile;
        try {
            id = Dateiname_aslid(name, kind);
        } catch (const ConversionError&) {
            continue; // a foreign file that merely looks like a data file
        }
        if (id != keinDatenfile && !schluessel.contains({id, kind})) {
            QFile::remove(tsdir.filePath(name)); // a file that cannot be deleted stays; the next pass tries again
        }
    }
}

} // namespace quenda
