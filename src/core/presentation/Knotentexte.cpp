#include "presentation/Knotentexte.h"

#include "presentation/Namensabfragen.h"
#include "util/QuendaError.h"

namespace quenda {

namespace {

QString rechteck(const QString& art, int id, int x, int y, int wd, int hg) {
    return QStringLiteral("%1 ID:%2 x:%3 y:%4 Breite:%5 Höhe:%6").arg(art).arg(id).arg(x).arg(y).arg(wd).arg(hg);
}

} // namespace

QString knotentext(const TBildschirm& b) {
    return rechteck(QStringLiteral("Bildschirm"), b.id, b.x, b.y, b.wd, b.hg);
}

QString knotentext(const TEbene& e) {
    return rechteck(QStringLiteral("Ebene"), e.id, e.x, e.y, e.wd, e.hg);
}

QString knotentext(const TBereich& r) {
    return rechteck(QStringLiteral("Bereich"), r.id, r.x, r.y, r.wd, r.hg);
}

QString knotentext(const TPObjekt& o) {
    if (o.objid < 0 || o.objid >= objektArten().size()) {
        throw ConversionError(QStringLiteral("Objekt ID:%1: Objektart %2 ist unbekannt.").arg(o.id).arg(o.objid));
    }
    return QStringLiteral("Objekt ID:%1 Objekt:").arg(o.id) + objektArten().at(o.objid);
}

QString referenzname(const TAuslo& a, int objid, Namensabfrage& namen) {
    switch (referenzart(objid)) {
    case Referenzart::Halle:
        return namen.Halle_bez(a.aslid);
    case Referenzart::Konkurrenz:
        return namen.Konkurrenz_bez(a.aslid);
    case Referenzart::Auslosung:
        break;
    }
    return namen.Auslosung_bez(a.aslid);
}

QString referenzartName(int objid) {
    switch (referenzart(objid)) {
    case Referenzart::Halle:
        return QStringLiteral("Halle");
    case Referenzart::Konkurrenz:
        return QStringLiteral("Konkurrenz");
    case Referenzart::Auslosung:
        break;
    }
    return QStringLiteral("Auslosung");
}

QString referenzKnotentext(const TAuslo& a, int objid, const QString& name) {
    return QStringLiteral("%1 ID:%2 %1:").arg(referenzartName(objid)).arg(a.id) + name + QStringLiteral(" [") +
           a.aslid + u']';
}

QString knotentext(const TAuslo& a, int objid, Namensabfrage& namen) {
    return referenzKnotentext(a, objid, referenzname(a, objid, namen));
}

} // namespace quenda
