#pragma once

#include "presentation/Praesentationsmodell.h"

#include <QString>

namespace quenda {

class Namensabfrage;

// Captions of the editor's tree nodes, from the element's values.
QString knotentext(const TBildschirm& b);
QString knotentext(const TEbene& e);
QString knotentext(const TBereich& r);
// Throws ConversionError for a kind outside 0 to 9.
QString knotentext(const TPObjekt& o);
// The reference's caption by the kind of its object; the name comes from the look-up.
QString knotentext(const TAuslo& a, int objid, Namensabfrage& namen);
QString referenzname(const TAuslo& a, int objid, Namensabfrage& namen);
// The caption with a name already known (the text chosen in the reference dialog).
QString referenzKnotentext(const TAuslo& a, int objid, const QString& name);
// "Halle", "Konkurrenz" or "Auslosung" by the object kind.
QString referenzartName(int objid);

} // namespace quenda
