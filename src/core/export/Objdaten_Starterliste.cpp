#include "db/TDM.h"
#include "export/Dateinamen.h"
#include "export/Exportabfragen.h"
#include "export/Namensfeld.h"
#include "export/Objdatenexport.h"
#include "export/Optionen.h"
#include "export/Spielwerte.h"
#include "util/QuendaError.h"

namespace quenda {

namespace {

QString text(const Abfrage& zeile, const char* spalte) {
    return zeile.feld(QString::fromLatin1(spalte)).alsText();
}

// A position column of the games statement ("3.") as the whole number before its point.
QString position(const Abfrage& zeile, const char* spalte) {
    const QString wert = text(zeile, spalte);
    bool ok = false;
    const qint64 zahl = (wert.endsWith(u'.') ? wert.chopped(1) : wert).toLongLong(&ok);
    if (!ok) {
        throw ConversionError(QStringLiteral("Die Position '%1' der Spalte %2 ist keine ganze Zahl.")
                                  .arg(wert, QString::fromLatin1(spalte)));
    }
    return QString::number(zahl);
}

// The 12 fields of one game of the grid.
QString rasterspiel(const Abfrage& z, const Optionen& turopt) {
    const QStringList felder = {
        position(z, "p1"),
        position(z, "p2"),
        text(z, "rd_nr"),
        text(z, "rd_bez"),
        turopt.an(optSpielzeit) ? text(z, "spielzeit") : QString(),
        text(z, "ti_nr"),
        text(z, "status"),
        text(z, "syf_id"),
        text(z, "sy_typ"),
        QString::number(gewinnsaetze(z.feld(QStringLiteral("gse")), z.feld(QStringLiteral("optgse")))),
        text(z, "sa"),
        turopt.an(optSaetze) ? satzliste(z) : QString(),
    };
    return felder.join(u'|');
}

} // namespace

void Objdatenexport::Objdaten_Starterliste(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) {
    m_dm.SQLAbfrage2(abfragen::auslosungszeile(al_id));
    const Optionen turopt(m_dm.QuerySQL2.feld(QStringLiteral("turopt")));
    const QString kn_bez = text(m_dm.QuerySQL2, "kn_bez");
    const QString sy_typ = text(m_dm.QuerySQL2, "sy_typ");
    const QString gruppe = QString::number(syf_id);
    const int ziel = zielVonBetrieb(betrieb);

    QStringList starterliste;
    QStringList raster;
    int grnr = 0;
    m_dm.SQLAbfrage1(abfragen::starterfeld(syf_id, typ));
    int k = 0;
    for (Abfrage& z = m_dm.QuerySQL1; !z.eof(); z.next()) {
        grnr = z.feld(QStringLiteral("grnr")).alsInt();
        const QString s = klammerTeil(text(z, "stnr"), turopt.an(optStartnummer));
        const QString r = klammerTeil(text(z, "zd_gebiet"), turopt.an(optRegion));
        const QString c = turopt.an(optVerein) ? text(z, "verein") : QString();
        const QString starter = text(z, "starter");
        raster.append(
            QStringList{kn_bez, QString::number(grnr), text(z, "posnr"), s, starter, c, r, gruppe, sy_typ}.join(u'|'));
        starterliste.append(QStringList{kn_bez, QString::number(grnr), QString::number(++k),
                                        namensfeldStarter(s, starter, r), c, gruppe, sy_typ}
                                .join(u'|'));
    }
    abgeben(dateinamen::starter(al_id, grnr), starterliste, stempel, ziel);

    raster.append(QStringLiteral("[ERGEBNISSE]"));
    Abfrage& spiele = m_dm.QSpieldaten;
    spiele.schliessen();
    spiele.setzeText(abfragen::spielraster(syf_id, typ));
    spiele.oeffnen();
    for (spiele.first(); !spiele.eof(); spiele.next()) {
        raster.append(rasterspiel(spiele, turopt));
    }
    abgeben(dateinamen::spielraster(al_id, grnr), raster, stempel, ziel);
}

} // namespace quenda
