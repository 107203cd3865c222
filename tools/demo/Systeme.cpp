#include "demo/Systeme.h"

#include "demo/Sql.h"

#include <bit>

namespace quenda::demo {

int gruppenSystem(int starter) {
    return starter - 2;
}

int koSystem(int feld) {
    return 17 + std::countr_zero(static_cast<unsigned>(feld / kleinstesKoFeld));
}

int gruppenRunden(int starter) {
    return starter % 2 == 0 ? starter - 1 : starter;
}

std::vector<Paarung> jederGegenJeden(int starter) {
    // Circle method: position 1 stays, the others rotate; with an odd count a dummy (0) gives each round
    // one starter a rest. The side that has opened less often than it has played second so far opens, so
    // that nobody always plays first.
    const int m = starter % 2 == 0 ? starter : starter + 1;
    std::vector<int> kreis;
    for (int i = 1; i <= m; ++i) {
        kreis.push_back(i <= starter ? i : 0);
    }
    std::vector<int> bilanz(static_cast<std::size_t>(starter) + 1, 0); // first minus second
    std::vector<Paarung> spiele;
    for (int runde = 1; runde <= m - 1; ++runde) {
        for (int k = 0; k < m / 2; ++k) {
            int a = kreis[static_cast<std::size_t>(k)];
            int b = kreis[static_cast<std::size_t>(m - 1 - k)];
            if (a == 0 || b == 0) {
                continue;
            }
            const int ba = bilanz[static_cast<std::size_t>(a)];
            const int bb = bilanz[static_cast<std::size_t>(b)];
            if (bb < ba || (bb == ba && b < a)) {
                std::swap(a, b);
            }
            ++bilanz[static_cast<std::size_t>(a)];
            --bilanz[static_cast<std::size_t>(b)];
            spiele.push_back({runde, a, b});
        }
        // Rotate every position but the first one step.
        const int letzte = kreis.back();
        for (std::size_t i = kreis.size() - 1; i > 1; --i) {
            kreis[i] = kreis[i - 1];
        }
        kreis[1] = letzte;
    }
    return spiele;
}

int koRunden(int feld) {
    return std::countr_zero(static_cast<unsigned>(feld));
}

int koRunde(int feld, int nummer) {
    int runde = 1;
    int ende = feld / 2;
    while (nummer > ende) {
        ++runde;
        ende += feld >> runde;
    }
    return runde;
}

int koErstePosition(int nummer) {
    return 2 * nummer - 1;
}

std::optional<KoFolge> koNachfolger(int feld, int nummer) {
    if (nummer < 1 || nummer >= feld) {
        return std::nullopt; // no game of this field
    }
    const int runde = koRunde(feld, nummer);
    if (runde >= koRunden(feld)) {
        return std::nullopt;
    }
    int anfang = 1; // first game number of the round
    for (int r = 1; r < runde; ++r) {
        anfang += feld >> r;
    }
    const int index = nummer - anfang;
    const int naechsteRunde = anfang + (feld >> runde);
    return KoFolge{naechsteRunde + index / 2, index % 2 + 1};
}

QString koRundenName(int feld, int runde) {
    switch (feld >> (runde - 1)) {
    case 2:
        return QStringLiteral("Finale");
    case 4:
        return QStringLiteral("Halbfinale");
    case 8:
        return QStringLiteral("Viertelfinale");
    case 16:
        return QStringLiteral("Achtelfinale");
    default:
        return QStringLiteral("%1. Runde").arg(runde);
    }
}

void systemeAnlegen(Sql& sql) {
    for (int n = kleinsteGruppe; n <= groessteGruppe; ++n) {
        const int sy = gruppenSystem(n);
        sql.einfuegen("sy_systeme",
                      {{"sy_id", sy}, {"sy_bez", QStringLiteral("Gruppe mit %1 Startern").arg(n)}, {"sy_gr", n}});
        for (int r = 1; r <= gruppenRunden(n); ++r) {
            sql.einfuegen("sy_runden", {{"rd_id", rundenId(sy, r)},
                                        {"sy_id", sy},
                                        {"rd_nr", r},
                                        {"rd_bez", QStringLiteral("%1. Runde").arg(r)}});
        }
        int nummer = 0;
        for (const Paarung& p : jederGegenJeden(n)) {
            sql.einfuegen("sy_spiel", {{"sp_id", spielId(sy, ++nummer)},
                                       {"rd_id", rundenId(sy, p.runde)},
                                       {"sp_idgv1", p.pos1},
                                       {"sp_idgv2", p.pos2}});
        }
    }
    for (int feld = kleinstesKoFeld; feld <= groesstesKoFeld; feld *= 2) {
        const int sy = koSystem(feld);
        sql.einfuegen("sy_systeme",
                      {{"sy_id", sy}, {"sy_bez", QStringLiteral("KO-System %1").arg(feld)}, {"sy_gr", feld}});
        int nummer = 0;
        for (int r = 1; r <= koRunden(feld); ++r) {
            sql.einfuegen("sy_runden",
                          {{"rd_id", rundenId(sy, r)}, {"sy_id", sy}, {"rd_nr", r}, {"rd_bez", koRundenName(feld, r)}});
            for (int i = 0; i < feld >> r; ++i) {
                ++nummer;
                const bool ersteRunde = r == 1;
                sql.einfuegen("sy_spiel", {{"sp_id", spielId(sy, nummer)},
                                           {"rd_id", rundenId(sy, r)},
                                           {"sp_idgv1", ersteRunde ? koErstePosition(nummer) : 0},
                                           {"sp_idgv2", ersteRunde ? koErstePosition(nummer) + 1 : 0}});
            }
        }
    }
}

} // namespace quenda::demo
