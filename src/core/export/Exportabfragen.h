#pragma once

#include <QString>

// The statements the data-file exporters run, in Jet text; ids are appended in decimal.
namespace quenda::abfragen {

// The draw label, computed by the database in the column kn_bez: competition name, " [RG]" or " [KO]",
// and " - " + al_bez when the draw has a name.
QString auslosungsbezeichnung();

// The draw's settings row: kn_bez and al.* (sy_typ, turopt, sglopt, ...).
QString auslosungszeile(int al_id);
// al.* of the draw alone, read by the game list for turopt.
QString auslosungsoptionen(int al_id);
// grnr of one group.
QString gruppennummer(int syf_id);

// One row per starter position of the group, byes included, ordered by posnr; singles form when typ is 1,
// else the doubles form.
QString starterfeld(int syf_id, int typ);

// The listed games of the group (states 0, 1, 2, 3, 33, 22, 5, 4) by round, group and game id.
QString spiele(int syf_id, int typ);
// The same games for the game grid, whose select list ends in the two position columns sp1 and sp2
// instead of sp_id.
QString spielraster(int syf_id, int typ);

// The hall layouts of the tournament: hab_id, ha_lokal1, ha_lokal2, hab_bez, ha_x, ha_y.
QString hallen(int t_id);
// The tables of a hall layout with their occupancy by a game in state 2, 3, 22 or 33, or none.
QString tische(int hab_id);
// The game of one result with its players, label parts and set values; singles head when typ is 1.
QString spieldaten(int erg_id, int typ);

} // namespace quenda::abfragen
