#include "Turnierkontext.h"
#include "db/TDM.h"
#include "export/Dateinamen.h"
#include "export/Exportabfragen.h"
#include "export/Namensfeld.h"
#include "export/Objdatenexport.h"
#include "export/Optionen.h"
#include "export/Satz.h"
#include "util/QuendaError.h"

#include <array>

namespace quenda {

namespace {

constexpr int alleZiele = 3;
constexpr qint64 inPlanung = 22;

QString text(const Abfrage& zeile, const char* spalte) {
    return zeile.feld(QString::fromLatin1(spalte)).alsText();
}

QString zahl(const Abfrage& zeile, const char* spalte) {
    return QString::number(zeile.feld(QString::fromLatin1(spalte)).alsInt64());
}

// Group games name their group and round, knock-out games their round alone.
QString spielbezeichnung(const Abfrage& spiel) {
    if (spiel.feld(QStringLiteral("sy_typ")).alsInt64() == 1) {
        return text(spiel, "kn_bez") + QStringLiteral(" Gr. ") + text(spiel, "grnr") + u' ' + text(spiel, "rd_bez");
    }
    return text(spiel, "kn_bez") + u' ' + text(spiel, "rd_bez");
}

QString saetze(const Abfrage& spiel) {
    std::array<QString, 7> werte;
    for (std::size_t i = 0; i < werte.size(); ++i) {
        werte[i] = spiel.feld(u's' + QString::number(i + 1)).alsText();
    }
    return satzausgabe(spiel.feld(QStringLiteral("sg")).alsInt64(), spiel.feld(QStringLiteral("sv")).alsInt64(), werte);
}

QString leereFelder(int anzahl) {
    return QString(anzahl, u'|');
}

} // namespace

bool Objdatenexport::Spieldaten(int erg_id, int typ) {
    Abfrage& spiel = m_dm.QSpieldaten;
    spiel.schliessen();
    spiel.setzeText(abfragen::spieldaten(erg_id, typ));
    spiel.oeffnen();
    spiel.first();
    return spiel.rowCount() > 0;
}

QString Objdatenexport::Tischdaten(int erg_id, int al_id, int typ) {
    m_dm.SQLAbfrage3(abfragen::auslosungsoptionen(al_id));
    // An occupancy whose result row is gone has no draw: no options, and the empty game fields below.
    const Optionen turopt =
        m_dm.QuerySQL3.rowCount() == 0 ? Optionen() : Optionen(m_dm.QuerySQL3.feld(QStringLiteral("turopt")));
    if (!Spieldaten(erg_id, typ)) {
        return leereFelder(11);
    }
    const Abfrage& z = m_dm.QSpieldaten;
    const bool stnr = turopt.an(optStartnummer);
    const bool region = turopt.an(optRegion);
    const bool verein = turopt.an(optVerein);
    // The doubles head has the pair's two start numbers in columns of their own.
    const QString stnr1 = typ == 1 ? text(z, "stnr1") : text(z, "stnr11") + u'-' + text(z, "stnr12");
    const QString stnr2 = typ == 1 ? text(z, "stnr2") : text(z, "stnr21") + u'-' + text(z, "stnr22");
    const QStringList felder = {
        spielbezeichnung(z),
        text(z, "spielzeit"),
        klammerTeil(stnr1, stnr),
        text(z, "spn1"),
        klammerTeil(text(z, "zgb1"), region),
        verein ? text(z, "verein1") : QString(),
        klammerTeil(stnr2, stnr),
        text(z, "spn2"),
        klammerTeil(text(z, "zgb2"), region),
        verein ? text(z, "verein2") : QString(),
        saetze(z),
        text(z, "status"),
    };
    return felder.join(u'|');
}

void Objdatenexport::Objdaten_Tischbelegung(const QString& stempel) {
    // One file per hall layout: a display object shows one hall layout, and the per-table files are named
    // per hall layout as well.
    m_dm.SQLAbfrage2(abfragen::hallen(m_kontext.dbturid));
    if (m_dm.QuerySQL2.rowCount() == 0) {
        abgeben(dateinamen::tischbelegung(0), {}, stempel, alleZiele);
        return;
    }
    struct Halle {
        int hab_id;
        QString zeile;
    };
    QList<Halle> hallen;
    for (Abfrage& h = m_dm.QuerySQL2; !h.eof(); h.next()) {
        const QStringList felder = {QStringLiteral("HALLE"), text(h, "ha_lokal1"), text(h, "ha_lokal2"),
                                    text(h, "hab_bez"),      zahl(h, "ha_x"),      zahl(h, "ha_y")};
        hallen.append({h.feld(QStringLiteral("hab_id")).alsInt(), felder.join(u'|')});
    }
    for (const Halle& halle : hallen) {
        QStringList zeilen{halle.zeile};
        hallenaufbau(halle.hab_id, zeilen, stempel);
        abgeben(dateinamen::tischbelegung(halle.hab_id), zeilen, stempel, alleZiele);
    }
}

void Objdatenexport::hallenaufbau(int hab_id, QStringList& zeilen, const QString& stempel) {
    m_dm.SQLAbfrage1(abfragen::tische(hab_id));
    for (Abfrage& t = m_dm.QuerySQL1; !t.eof(); t.next()) {
        try {
            const QString ti_nr = zahl(t, "ti_nr");
            QString zeile =
                QStringList{QStringLiteral("TISCH"), ti_nr, zahl(t, "ti_x"), zahl(t, "ti_y"), zahl(t, "ti_hq"),
                            zahl(t, "ti_sperre")}
                    .join(u'|');
            const bool belegt = !t.feld(QStringLiteral("erg_id")).istNull();
            const Wert status = t.feld(QStringLiteral("status"));
            const bool geplant = !status.istNull() && status.alsInt64() == inPlanung;
            int erg_id = 0;
            int typ = 0;
            if (belegt && !geplant) {
                erg_id = t.feld(QStringLiteral("erg_id")).alsInt();
                typ = t.feld(QStringLiteral("typ")).alsInt();
                if (Spieldaten(erg_id, typ)) {
                    const Abfrage& s = m_dm.QSpieldaten;
                    zeile += u'|' + QStringList{spielbezeichnung(s), text(s, "spielzeit"), text(s, "spn1"),
                                                text(s, "verein1"),  text(s, "spn2"),      text(s, "verein2"),
                                                saetze(s),           text(s, "status")}
                                        .join(u'|');
                } else {
                    zeile += leereFelder(8);
                }
            } else if (geplant) {
                zeile += QStringLiteral("| Spiel in Planung |||||||") + status.alsText();
            } else {
                zeile += leereFelder(8);
            }
            zeilen.append(zeile);

            if (belegt && !geplant) {
                const int al_id =
                    t.feld(QStringLiteral("al_id")).istNull() ? 0 : t.feld(QStringLiteral("al_id")).alsInt();
                const QString tischzeile = QStringLiteral("TISCH|") + ti_nr + u'|' + Tischdaten(erg_id, al_id, typ);
                abgeben(dateinamen::tischspiel(hab_id, t.feld(QStringLiteral("ti_nr")).alsInt64()), {tischzeile},
                        stempel, alleZiele);
            }
        } catch (const QuendaError& e) {
            // A row deleted while it was read is not worth a word; anything else is logged and shown without
            // waiting for the box, so that the other tables are still published.
            if (e.message() != QStringLiteral("Datensatz ist gelöscht")) {
                protokollieren(
                    QStringLiteral("Tischbelegung Hallenaufbau %1: %2").arg(QString::number(hab_id), e.message()));
                if (m_hinweis) {
                    m_hinweis(e.message());
                }
            }
        }
    }
}

} // namespace quenda
