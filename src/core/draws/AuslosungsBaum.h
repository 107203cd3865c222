#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

namespace quenda {

class AusloList;

// One item node of the draw tree with its leaf.
struct AuslosungsKnoten {
    QString text;  // "Gr. 2 - Herren A Vorrunde", or the competition of a participant list
    QString blatt; // "ID: 17 - Insert:… Update:… Aktuell:…"
    int betrieb = 0;
    int updstatus = 0;

    bool operator==(const AuslosungsKnoten&) const = default;
};

// A copy of the draw list as the tree shows it. Made on the thread that owns the list and handed to the
// UI thread by value, so the tree never reads the live list.
struct AuslosungsBaum {
    QList<AuslosungsKnoten> knoten;

    static AuslosungsBaum aus(const AusloList& liste);
    bool operator==(const AuslosungsBaum&) const = default;
};

} // namespace quenda

Q_DECLARE_METATYPE(quenda::AuslosungsBaum)
