#include "demo/Saetze.h"

#include "demo/Zufall.h"

#include <QRegularExpression>
#include <algorithm>

namespace quenda::demo {

QString satzText(const Satz& satz) {
    const QString punkte = QString::number(satz.verliererPunkte);
    return satz.ersterGewinnt ? punkte : u'-' + punkte;
}

std::optional<Satz> satzLesen(const QString& text) {
    // Only the canonical form: no blanks, no "+", no leading zeros (the exporters and the display read the
    // text as it is stored).
    static const QRegularExpression muster(QStringLiteral("^(-?)(0|[1-9][0-9]?)$"));
    const QRegularExpressionMatch treffer = muster.match(text);
    if (!treffer.hasMatch()) {
        return std::nullopt;
    }
    return Satz{treffer.captured(1).isEmpty(), treffer.captured(2).toInt()};
}

Spielstand zaehlen(const std::vector<Satz>& saetze) {
    Spielstand stand;
    for (const Satz& satz : saetze) {
        (satz.ersterGewinnt ? stand.sg : stand.sv) += 1;
    }
    return stand;
}

Satz zufallsSatz(Zufall& zufall, bool ersterGewinnt) {
    const int art = zufall.bereich(1, 100);
    int punkte = 0;
    if (art <= 2) {
        punkte = 0;
    } else if (art <= 14) {
        punkte = 10 + std::min(zufall.bereich(0, 3), zufall.bereich(0, 6)); // deuce: 12:10, 13:11, ...
    } else {
        punkte = std::max(zufall.bereich(1, 9), zufall.bereich(1, 9));
    }
    return {ersterGewinnt, punkte};
}

std::vector<Satz> zufallsErgebnis(Zufall& zufall, int gse, bool ersterGewinnt) {
    const int verloren = zufall.bereich(0, gse - 1);
    // The winner's sets before the last one and the loser's sets in random order; the last set decides.
    std::vector<int> vorher(static_cast<std::size_t>(gse - 1), ersterGewinnt ? 1 : 0);
    vorher.insert(vorher.end(), static_cast<std::size_t>(verloren), ersterGewinnt ? 0 : 1);
    zufall.mischen(vorher);
    std::vector<Satz> saetze;
    for (int erster : vorher) {
        saetze.push_back(zufallsSatz(zufall, erster == 1));
    }
    saetze.push_back(zufallsSatz(zufall, ersterGewinnt));
    return saetze;
}

std::vector<Satz> zufallsZwischenstand(Zufall& zufall, int gse) {
    std::vector<Satz> saetze;
    Spielstand stand;
    const int anzahl = zufall.bereich(0, 2 * gse - 2);
    for (int i = 0; i < anzahl; ++i) {
        bool erster = zufall.prozent(50);
        if ((erster ? stand.sg : stand.sv) + 1 >= gse) {
            erster = !erster;
        }
        if ((erster ? stand.sg : stand.sv) + 1 >= gse) {
            break;
        }
        (erster ? stand.sg : stand.sv) += 1;
        saetze.push_back(zufallsSatz(zufall, erster));
    }
    return saetze;
}

int staerke(qint64 eintragId) {
    return static_cast<int>(streuwert(static_cast<quint64>(eintragId)) % 100);
}

int gewinnChance(int staerke1, int staerke2) {
    return std::clamp(50 + (staerke1 - staerke2) / 2, 15, 85);
}

} // namespace quenda::demo
