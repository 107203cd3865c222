#include "Diagrammausschnitt.h"

#include <algorithm>

namespace quenda {

namespace {

// "dd.mm.yyyy hh:nn:ss" → "hh:nn"; several cycles in one minute (extra cycles on a change) keep their
// seconds, since a category axis drops repeated labels and the bars would slide against them.
QString eindeutigeKategorie(const QString& datum, const QStringList& vorher) {
    const QString uhrzeit = datum.section(u' ', 1);
    const QString kurz = uhrzeit.left(5);
    if (!kurz.isEmpty() && !vorher.contains(kurz)) {
        return kurz;
    }
    QString lang = uhrzeit.isEmpty() ? datum : uhrzeit;
    for (int n = 2; vorher.contains(lang); ++n) {
        lang = (uhrzeit.isEmpty() ? datum : uhrzeit) + QStringLiteral(" (%1)").arg(n);
    }
    return lang;
}

int schrittFuer(int groesster) {
    static constexpr int schritte[] = {10, 20, 50};
    for (int faktor = 1;; faktor *= 10) {
        for (const int s : schritte) {
            const long long schritt = static_cast<long long>(s) * faktor;
            if (groesster <= schritt * 8 || schritt > 100'000'000) {
                return static_cast<int>(schritt);
            }
        }
    }
}

} // namespace

Diagrammausschnitt diagrammausschnitt(const QList<Zyklusstatistik>& zyklen) {
    Diagrammausschnitt a;
    a.erster = std::max<qsizetype>(0, zyklen.size() - Diagrammausschnitt::maxKategorien);
    int groesster = 0;
    for (qsizetype i = a.erster; i < zyklen.size(); ++i) {
        a.kategorien.append(eindeutigeKategorie(zyklen[i].datum, a.kategorien));
        for (const int wert : zyklen[i].zaehler) {
            groesster = std::max(groesster, wert);
        }
    }
    a.schritt = schrittFuer(groesster);
    a.hoechster = std::max(1, (groesster + a.schritt - 1) / a.schritt) * a.schritt;
    if (a.erster > 0) {
        a.hinweis = QStringLiteral("die letzten %1 von %2 Zyklen").arg(a.kategorien.size()).arg(zyklen.size());
    }
    return a;
}

} // namespace quenda
