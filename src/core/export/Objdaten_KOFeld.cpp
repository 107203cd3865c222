#include "db/TDM.h"
#include "export/Dateinamen.h"
#include "export/Exportabfragen.h"
#include "export/Namensfeld.h"
#include "export/Objdatenexport.h"
#include "export/Optionen.h"

namespace quenda {

void Objdatenexport::Objdaten_KOFeld(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) {
    m_dm.SQLAbfrage2(abfragen::auslosungszeile(al_id));
    const Abfrage& einstellungen = m_dm.QuerySQL2;
    const Optionen turopt(einstellungen.feld(QStringLiteral("turopt")));
    const QString kn_bez = einstellungen.feld(QStringLiteral("kn_bez")).alsText();
    const QString sy_typ = einstellungen.feld(QStringLiteral("sy_typ")).alsText();

    QStringList zeilen;
    m_dm.SQLAbfrage1(abfragen::starterfeld(syf_id, typ));
    for (Abfrage& z = m_dm.QuerySQL1; !z.eof(); z.next()) {
        const QStringList felder = {
            kn_bez,
            QString::number(zeilen.size() + 1),
            namensfeldStarter(klammerTeil(z.feld(QStringLiteral("stnr")).alsText(), turopt.an(optStartnummer)),
                              z.feld(QStringLiteral("starter")).alsText(),
                              klammerTeil(z.feld(QStringLiteral("zd_gebiet")).alsText(), turopt.an(optRegion))),
            turopt.an(optVerein) ? z.feld(QStringLiteral("verein")).alsText() : QString(),
            QString::number(syf_id),
            sy_typ,
        };
        zeilen.append(felder.join(u'|'));
    }
    abgeben(dateinamen::kofeld(al_id), zeilen, stempel, zielVonBetrieb(betrieb));
}

} // namespace quenda
