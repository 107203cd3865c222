#include "presentation/Praesentationsmodell.h"

namespace quenda {

Ebenenstufe stufe(const TNodeInfo& info) {
    if (info.bs_id == 0) {
        return Ebenenstufe::Wurzel;
    }
    if (info.eb_id == 0) {
        return Ebenenstufe::Bildschirm;
    }
    if (info.br_id == 0) {
        return Ebenenstufe::Ebene;
    }
    if (info.obj_id == 0) {
        return Ebenenstufe::Bereich;
    }
    return info.asl_id == 0 ? Ebenenstufe::Objekt : Ebenenstufe::Auslosung;
}

const QStringList& objektArten() {
    static const QStringList arten = {QStringLiteral("Spiele"),        QStringLiteral("Tabelle"),
                                      QStringLiteral("Starterliste"),  QStringLiteral("Werbung"),
                                      QStringLiteral("Tischbelegung"), QStringLiteral("Tisch Spiel"),
                                      QStringLiteral("Meldung"),       QStringLiteral("Spielraster"),
                                      QStringLiteral("Teilnehmer"),    QStringLiteral("Tabelle+Spiele")};
    return arten;
}

Referenzart referenzart(int objid) {
    if (objid == 4 || objid == 5) {
        return Referenzart::Halle;
    }
    return objid == 8 ? Referenzart::Konkurrenz : Referenzart::Auslosung;
}

QString auslosungstypText(int typ) {
    switch (typ) {
    case 0:
        return QStringLiteral("Ranglisten und KO-Felder");
    case 1:
        return QStringLiteral("Nur Ranglisten");
    case 2:
        return QStringLiteral("Nur KO-Felder");
    default:
        return {};
    }
}

} // namespace quenda
