#include "draws/AuslosungsBaum.h"

#include "draws/AusloList.h"

namespace quenda {

AuslosungsBaum AuslosungsBaum::aus(const AusloList& liste) {
    AuslosungsBaum baum;
    for (const TAuslosung& a : liste) {
        AuslosungsKnoten k;
        k.text = a.typdaten == typdatenGruppe ? QStringLiteral("Gr. ") + QString::number(a.gruppe) +
                                                    QStringLiteral(" - ") + a.konkurrenz + u' ' + a.auslosung_bez
                                              : a.konkurrenz;
        k.blatt = QStringLiteral("ID: ") + QString::number(a.syf_id) + QStringLiteral(" - Insert:") + a.inserttime +
                  QStringLiteral(" Update:") + a.updatetime + QStringLiteral(" Aktuell:") + a.aktdatetime;
        k.betrieb = a.betrieb;
        k.updstatus = a.updstatus;
        baum.knoten.append(k);
    }
    return baum;
}

} // namespace quenda
