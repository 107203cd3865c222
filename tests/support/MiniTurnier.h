#pragma once

#include "db/Verbindung.h"

#include <QString>

// A small hand-made tournament database: a singles group draw (id 7, unnamed, with a bye), a named
// knock-out draw (id 8), a doubles competition, clubs differing only in letter case, and a second
// tournament whose rows must stay apart.
inline void miniTurnierAnlegen(const QString& pfad) {
    quenda::Verbindung db;
    db.anlegen(pfad);
    db.ausfuehren(QStringLiteral(R"(
        INSERT INTO turniere VALUES (1, 'Hallenturnier Süd'), (2, 'Anderes Turnier');
        INSERT INTO Klassen VALUES (1, 1, 'Erwachsene'), (2, 2, 'Jugend');
        INSERT INTO Konkurrenz VALUES (10, 1, 'Herren A', '2026-12-09 10:00:00', 1),
                                      (11, 1, 'Mixed', NULL, 2), (20, 2, 'Fremd', '2026-12-09 10:00:00', 1);
        INSERT INTO Verein VALUES (1, 'TTC Süd'), (2, 'TTC SÜD'), (3, 'Post SV');
        INSERT INTO zd_gebiete VALUES (1, 'Nord'), (2, 'Ost');
        INSERT INTO Spieler VALUES (1, 'Müller', 'Jörg'), (2, 'O''Neil', 'Anna'), (3, 'Ärzte', NULL), (4, 'Bader', 'Uwe');
        INSERT INTO anmeldung VALUES (1, 1, 1, 1, '12', -1), (2, 2, 2, 1, '7', 0), (3, 3, 3, 2, NULL, 0),
                                     (4, 4, 3, 2, '9', -1);
        INSERT INTO amklasse VALUES (100, 1, 10), (101, 2, 10), (102, 3, 10), (103, 4, 20);
        INSERT INTO amdoppel VALUES (200, 11, 1, 2), (201, 11, 3, 4);
        INSERT INTO al_conf VALUES (7, 10, NULL, 1, 1, 1, 3, 31, NULL), (8, 10, 'Endrunde', 2, 1, 0, 3, 0, 0),
                                   (9, 11, '', 1, 0, 0, 2, NULL, NULL);
        INSERT INTO al_systemfeld VALUES (70, 7, 1, 1, 3), (80, 8, 2, 1, 4), (90, 9, 1, 1, 2);
        INSERT INTO al_starterfeld VALUES (1, 70, 1, 100, 0), (2, 70, 2, 101, 0), (3, 70, 3, 111111, 0),
                                          (4, 90, 1, 200, 0), (5, 90, 2, 201, 1);
        INSERT INTO sy_systeme VALUES (1, '3er-Gruppe', 3), (2, 'KO 4', 4);
        INSERT INTO sy_runden VALUES (1, 1, 1, '1. Runde'), (2, 1, 2, '2. Runde');
        INSERT INTO sy_spiel VALUES (1001, 1, 1, 2), (1002, 2, 1, 3);
        INSERT INTO zd_hallenaufbau VALUES (5, 1, 'Aufbau A', 40, 20);
        INSERT INTO zd_halle VALUES (1, 'Sporthalle', 'Am Ring');
        INSERT INTO zd_tische VALUES (50, 5, 3, 10, 4, 1, 0);
        INSERT INTO tk_turnierhallen VALUES (1, 5);
        INSERT INTO sb_ergebnisse (erg_id, syf_id, sp_id, sp1, sp2, status, sg, sv, s1, s2, s3, s4, gse, spielzeit, ts_id)
            VALUES (500, 70, 1001, 1, 2, 4, 3, 1, '7', '-9', '-0', '5', 3, '2026-12-09 10:30:00', NULL),
                   (501, 90, 1001, 1, 2, 2, 0, 0, NULL, NULL, NULL, NULL, 0, '1899-12-30 11:15:00', 50);
        INSERT INTO sb_tischbelegung VALUES (50, 501, 2);
    )"));
}
