#include "db/TDM.h"
#include "export/Dateinamen.h"
#include "export/Exportabfragen.h"
#include "export/Namensfeld.h"
#include "export/Objdatenexport.h"
#include "export/Optionen.h"
#include "export/Spielwerte.h"

namespace quenda {

namespace {

QString text(const Abfrage& zeile, const char* spalte) {
    return zeile.feld(QString::fromLatin1(spalte)).alsText();
}

// The 17 fields of one game line.
QString spielzeile(const Abfrage& z, const Optionen& turopt, int grnr, int rd_nr, qint64 saetzeZumSieg) {
    const bool stnr = turopt.an(optStartnummer);
    const bool region = turopt.an(optRegion);
    const bool verein = turopt.an(optVerein);
    const QStringList felder = {
        text(z, "kn_bez"),
        QString::number(grnr),
        QString::number(rd_nr),
        text(z, "rd_bez"),
        namensfeldSpiel(klammerTeil(text(z, "stnr1"), stnr), text(z, "spn1"), klammerTeil(text(z, "zgb1"), region)),
        verein ? text(z, "verein1") : QString(),
        namensfeldSpiel(klammerTeil(text(z, "stnr2"), stnr), text(z, "spn2"), klammerTeil(text(z, "zgb2"), region)),
        verein ? text(z, "verein2") : QString(),
        turopt.an(optSpielzeit) ? text(z, "spielzeit") : QString(),
        text(z, "ti_nr"),
        text(z, "status"),
        text(z, "syf_id"),
        text(z, "sy_typ"),
        QString::number(saetzeZumSieg),
        text(z, "sa"),
        turopt.an(optSaetze) ? satzliste(z) : QString(),
        QString::number(spielnummer(text(z, "sp_id"))),
    };
    return felder.join(u'|');
}

} // namespace

void Objdatenexport::Objdaten_Spiele(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) {
    m_dm.SQLAbfrage2(abfragen::auslosungsoptionen(al_id));
    const Optionen turopt(m_dm.QuerySQL2.feld(QStringLiteral("turopt")));

    Abfrage& spiele = m_dm.QSpieldaten;
    spiele.schliessen();
    spiele.setzeText(abfragen::spiele(syf_id, typ));
    spiele.oeffnen();
    if (spiele.rowCount() == 0) {
        return;
    }
    const int ziel = zielVonBetrieb(betrieb);
    const int grnr = spiele.feld(QStringLiteral("grnr")).alsInt();
    int runde = spiele.feld(QStringLiteral("rd_nr")).alsInt();
    QStringList zeilen;
    for (spiele.first(); !spiele.eof(); spiele.next()) {
        // Read before the round change: a row that fails here leaves the round before it unsent.
        const qint64 saetzeZumSieg =
            gewinnsaetze(spiele.feld(QStringLiteral("gse")), spiele.feld(QStringLiteral("optgse")));
        const int rd_nr = spiele.feld(QStringLiteral("rd_nr")).alsInt();
        if (rd_nr != runde) {
            abgeben(dateinamen::spiele(al_id, grnr, runde), zeilen, stempel, ziel);
            zeilen.clear();
            runde = rd_nr;
        }
        const QString zeile = spielzeile(spiele, turopt, grnr, rd_nr, saetzeZumSieg);
        zeilen.append(zeile);
        tabspieleliste.append(zeile);
    }
    abgeben(dateinamen::spiele(al_id, grnr, runde), zeilen, stempel, ziel);
}

} // namespace quenda
