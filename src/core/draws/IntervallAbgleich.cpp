#include "draws/IntervallAbgleich.h"

#include "Turnierkontext.h"
#include "db/TDM.h"
#include "draws/AusloList.h"
#include "draws/Auslosungsabfragen.h"
#include "util/QuendaError.h"

namespace quenda {

void intervallAuslosungenAbgleichen(TDM& tdm, const Turnierkontext& kontext, AusloList& liste,
                                    const AusloUmgebung& umgebung) {
    tdm.SQLAbfrage2(abfragen::intervallAuslosungen(kontext.dbturid));
    Abfrage& q = tdm.QuerySQL2;
    q.first();
    const int zeilen = q.rowCount();
    for (int i = 0; i < zeilen; ++i, q.next()) {
        try {
            const int position = liste.FindAuslosung(q.feld(QStringLiteral("syf_id")).alsInt(), typdatenGruppe);
            if (position == nichtGefunden) {
                liste.AusloList_Insert(q, quelleIntervall, typdatenGruppe, umgebung);
            } else {
                liste.AusloList_Update(q, quelleIntervall, position, typdatenGruppe, umgebung);
            }
        } catch (const ConversionError&) {
            // An unreadable row is left out here as in the detection pass, which names it in the log.
        }
    }
}

} // namespace quenda
