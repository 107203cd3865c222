#include "db/JoinAbflachung.h"

#include "db/JoinZerlegung.h"

#include <QSet>
#include <algorithm>
#include <memory>
#include <vector>

// Jet nests every join in parentheses. SQLite turns a parenthesised join into a subquery and cannot
// flatten one that is the right operand of a LEFT JOIN: it materialises the whole group (every row of its
// tables) and indexes it on each run. A LEFT JOIN of a group of LEFT JOINs is written as a flat chain here
// when that is the same relation:
//
//   A LEFT JOIN (B LEFT JOIN C ON q) ON p   ==   (A LEFT JOIN B ON p) LEFT JOIN C ON q
//
// holds when p refers only to A and B, and q refers only to B and C and is never true for a row of B that
// is all NULL (then an A row without a B partner stays one row with NULL for B and C on both sides). Both
// are checked on the text: every ON must be a conjunction of equalities between qualified columns, and q
// must compare at least one column of the tables before C. Anything else (INNER JOIN in the group, other
// operators, subqueries, USING, comma joins, names that repeat) leaves the FROM clause as it is.

namespace quenda::jet {

using joins::JoinZerlegung;
using joins::Kette;
using joins::Schritt;
using joins::Token;

namespace {

// A join is evaluated left to right, so a group that opens a chain needs no parentheses.
Kette aufreihen(Kette k) {
    while (k.erstes.gruppe) {
        Kette innen = std::move(*k.erstes.gruppe);
        for (Schritt& s : k.schritte) {
            innen.schritte.push_back(std::move(s));
        }
        k = std::move(innen);
    }
    return k;
}

// Whether "left LEFT JOIN (g) ON s" equals the flat chain "left LEFT JOIN g.erstes ON s ... g.schritte".
bool flachGleich(const JoinZerlegung& zerlegung, const Kette& g, const Schritt& s, const QSet<QString>& links) {
    QSet<QString> davor{g.erstes.name};
    const auto aussen = zerlegung.gleichungen(s.bedToken, s.bedTokenEnde);
    if (!aussen) {
        return false;
    }
    for (const auto& [a, b] : *aussen) {
        if (!(links.contains(a) || davor.contains(a)) || !(links.contains(b) || davor.contains(b))) {
            return false;
        }
    }
    for (const Schritt& t : g.schritte) {
        if (!t.links || t.rechts.gruppe) {
            return false;
        }
        const auto innen = zerlegung.gleichungen(t.bedToken, t.bedTokenEnde);
        if (!innen) {
            return false;
        }
        bool nullAbweisend = false;
        for (const auto& [a, b] : *innen) {
            const auto inGruppe = [&](const QString& n) { return davor.contains(n) || n == t.rechts.name; };
            if (!inGruppe(a) || !inGruppe(b)) {
                return false;
            }
            nullAbweisend = nullAbweisend || davor.contains(a) || davor.contains(b);
        }
        if (!nullAbweisend) {
            return false;
        }
        davor.insert(t.rechts.name);
    }
    return true;
}

// Flattens every group that may be flattened, innermost first; true when anything changed.
bool abflachen(const JoinZerlegung& zerlegung, Kette& k) {
    bool geaendert = false;
    if (k.erstes.gruppe) {
        geaendert |= abflachen(zerlegung, *k.erstes.gruppe);
    }
    std::vector<Schritt> neu;
    QSet<QString> links;
    JoinZerlegung::namenSammeln(k.erstes, links);
    for (Schritt& s : k.schritte) {
        if (s.rechts.gruppe) {
            geaendert |= abflachen(zerlegung, *s.rechts.gruppe);
        }
        if (s.links && s.rechts.gruppe) {
            Kette g = aufreihen(std::move(*s.rechts.gruppe));
            if (flachGleich(zerlegung, g, s, links)) {
                Schritt erster = std::move(s);
                erster.rechts = std::move(g.erstes);
                JoinZerlegung::namenSammeln(erster.rechts, links);
                neu.push_back(std::move(erster));
                for (Schritt& t : g.schritte) {
                    JoinZerlegung::namenSammeln(t.rechts, links);
                    neu.push_back(std::move(t));
                }
                geaendert = true;
                continue;
            }
            s.rechts.gruppe = std::make_unique<Kette>(std::move(g));
        }
        JoinZerlegung::namenSammeln(s.rechts, links);
        neu.push_back(std::move(s));
    }
    k.schritte = std::move(neu);
    return geaendert;
}

} // namespace

QString joinsAbflachen(const QString& jetText) {
    if (!jetText.contains(QStringLiteral("join"), Qt::CaseInsensitive)) {
        return jetText;
    }
    const JoinZerlegung zerlegung(jetText);
    const std::vector<Token>& tokens = zerlegung.tokens();
    struct Ersatz {
        qsizetype anfang;
        qsizetype ende;
        QString text;
    };
    std::vector<Ersatz> ersetzungen;
    for (size_t f = 0; f < tokens.size(); ++f) {
        if (!zerlegung.ist(f, u"from")) {
            continue;
        }
        size_t i = f + 1;
        auto k = zerlegung.kette(i, 0);
        if (!k || i == f + 1 || !zerlegung.klauselEnde(i)) {
            continue;
        }
        // A name used twice would refer elsewhere once the parentheses are gone.
        QSet<QString> namen;
        if (JoinZerlegung::namenSammeln(*k, namen) && abflachen(zerlegung, *k)) {
            ersetzungen.push_back({tokens[f + 1].anfang, tokens[i - 1].ende, zerlegung.ausgeben(*k)});
        }
    }
    // A FROM inside a condition of another FROM's chain: change neither.
    QString ergebnis = jetText;
    for (size_t e = ersetzungen.size(); e-- > 0;) {
        const bool ueberlappt = std::any_of(ersetzungen.begin(), ersetzungen.end(), [&](const Ersatz& x) {
            return &x != &ersetzungen[e] && x.anfang < ersetzungen[e].ende && ersetzungen[e].anfang < x.ende;
        });
        if (!ueberlappt) {
            ergebnis.replace(ersetzungen[e].anfang, ersetzungen[e].ende - ersetzungen[e].anfang, ersetzungen[e].text);
        }
    }
    return ergebnis;
}

} // namespace quenda::jet
