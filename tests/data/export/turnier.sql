-- A small hand-made tournament for the data-file exports (SQLite text, run on a new database).
-- Draw 7: singles group, unnamed (al_bez NULL), turopt 31, sglopt 15, in operation.
-- Draw 8: singles knock-out "Endrunde" with a bye at position 2, turopt NULL, released only.
-- Draw 9: doubles group, al_bez '', turopt 3, sglopt 7; one pair of one club, one of two clubs.
-- Hall layout 5: table 3 holds a finished game, table 4 a running one, table 5 a planned one, table 6 is free.
INSERT INTO turniere VALUES (1, 'Stadtmeisterschaft 2026');
INSERT INTO Klassen VALUES (1, 1, 'Erwachsene');
INSERT INTO Konkurrenz VALUES (1, 1, 'Herren A', '2026-12-09 09:00:00', 1), (2, 1, 'Mixed', '2026-12-09 10:00:00', 2);
INSERT INTO Verein VALUES (1, 'TTC Süd'), (2, 'Post SV'), (3, 'SV Öhringen');
INSERT INTO zd_gebiete VALUES (1, 'Nord'), (2, 'Süd');
INSERT INTO Spieler VALUES (1, 'Müller', 'Jörg'), (2, 'Bauer', 'Anna'), (3, 'Schäfer', 'Tim'), (4, 'Wolf', 'Eva'),
                           (5, 'Klein', 'Max'), (6, 'Groß', 'Lena'), (7, 'Lang', 'Otto'), (8, 'Kurz', 'Ida');
INSERT INTO anmeldung VALUES (1, 1, 1, 1, '12', -1), (2, 2, 2, 2, '7', -1), (3, 3, 1, 1, '3', -1),
                             (4, 4, 3, 2, NULL, 0), (5, 5, 1, 1, '21', -1), (6, 6, 1, 1, '22', -1),
                             (7, 7, 2, 2, '23', -1), (8, 8, 3, 1, '24', -1);
INSERT INTO amklasse VALUES (100, 1, 1), (101, 2, 1), (102, 3, 1), (103, 4, 1);
INSERT INTO amdoppel VALUES (200, 2, 5, 6), (201, 2, 7, 8);

INSERT INTO al_conf VALUES (7, 1, NULL, 1, 1, 1, 3, 31, 15), (8, 1, 'Endrunde', 2, 1, 0, 3, NULL, NULL),
                           (9, 2, '', 1, 1, 1, 2, 3, 7);
INSERT INTO al_systemfeld VALUES (70, 7, 1, 1, 4), (80, 8, 3, 1, 4), (90, 9, 2, 2, 2);
INSERT INTO al_starterfeld VALUES (1, 70, 1, 100, 0), (2, 70, 2, 101, 0), (3, 70, 3, 102, 0), (4, 70, 4, 103, 0),
                                  (5, 80, 1, 100, 0), (6, 80, 2, 111111, 0), (7, 80, 3, 101, 0), (8, 80, 4, 102, 0),
                                  (9, 90, 1, 200, 0), (10, 90, 2, 201, 0);

INSERT INTO sy_systeme VALUES (1, '4er-Gruppe', 4), (2, '2er-Gruppe', 2), (3, 'KO 4', 4);
INSERT INTO sy_runden VALUES (11, 1, 1, '1. Runde'), (12, 1, 2, '2. Runde'), (13, 1, 3, '3. Runde'),
                             (21, 2, 1, 'Runde 1'), (31, 3, 1, '1. Runde'), (32, 3, 2, 'Finale');
INSERT INTO sy_spiel VALUES (1001, 11, 1, 2), (1002, 11, 3, 4), (1003, 12, 1, 3), (1004, 12, 2, 4),
                            (1005, 13, 1, 4), (1006, 13, 2, 3), (2001, 21, 1, 2),
                            (12101, 31, 1, 2), (12102, 31, 3, 4), (12010, 32, 1, 3);

INSERT INTO zd_halle VALUES (1, 'Sporthalle', 'Am Ring');
INSERT INTO zd_hallenaufbau VALUES (5, 1, 'Aufbau A', 40, 20);
INSERT INTO zd_tische VALUES (50, 5, 3, 10, 4, 1, 0), (51, 5, 4, 20, 4, 1, 0), (52, 5, 5, 30, 4, 1, 0),
                             (53, 5, 6, 40, 4, 0, 1);
INSERT INTO sb_tischbelegung VALUES (50, 1, 1), (51, 3, 1), (52, 5, 1);
INSERT INTO tk_turnierhallen VALUES (1, 5);

INSERT INTO sb_ergebnisse (erg_id, syf_id, sp_id, sp1, sp2, status, sg, sv, s1, s2, s3, s4, s5, s6, s7, gse,
                           spielzeit, ts_id)
VALUES (1, 70, 1001, 1, 2, 4, 3, 1, '7', '-9', '11', '5', NULL, NULL, NULL, 3, '2026-12-09 10:00:00', 50),
       (2, 70, 1002, 3, 4, 4, 0, 3, '-0', '-3', '-10', NULL, NULL, NULL, NULL, 0, NULL, NULL),
       (3, 70, 1003, 1, 3, 3, 1, 0, '4', NULL, NULL, NULL, NULL, NULL, NULL, NULL, '1899-12-30 11:15:00', 51),
       (4, 70, 1004, 2, 4, 4, 3, 2, '8', '-8', '9', '-13', '2', NULL, NULL, 3, '2026-12-09 00:00:00', NULL),
       (5, 70, 1005, 1, 4, 22, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 4, '2026-12-09 12:45:30', 52),
       (6, 70, 1006, 2, 3, 9, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 3, NULL, NULL),
       (7, 90, 2001, 1, 2, 4, 1, 2, '-5', '11', '-7', NULL, NULL, NULL, NULL, 2, '2026-12-09 11:00:00', 50),
       (8, 80, 12101, 1, 2, 4, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 3, NULL, NULL),
       (9, 80, 12102, 3, 4, 5, 1, 3, '9', '-4', '-8', '-11', NULL, NULL, NULL, 0, NULL, NULL),
       (10, 80, 12010, 1, 3, 1, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 4, '2026-12-09 14:30:00', 50);
