#pragma once

#include <QString>

// Names of the data files in the working folder: a stem, the key numbers zero-padded (ids of draws,
// competitions and hall layouts to four digits, group, round and table numbers to two) and "_org.txt".
namespace quenda::dateinamen {

QString spiele(qint64 al_id, qint64 grnr, qint64 rd_nr);
QString tabelle(qint64 al_id, qint64 grnr);
QString starter(qint64 al_id, qint64 grnr);
QString spielraster(qint64 al_id, qint64 grnr);
QString kofeld(qint64 al_id);
QString tabspiele(qint64 al_id, qint64 grnr);
QString teilnehmer(qint64 kn_id);
QString tischbelegung(qint64 hab_id);
QString tischspiel(qint64 hab_id, qint64 ti_nr);

// True for the kept name (".txt") of a file the cycle stages for the targets: a data file, one of the two
// draw lists or a message file. Nothing else of the working folder (settings, logs, lists, archives) is
// ever sent as a data file.
bool versandfaehig(const QString& name);

} // namespace quenda::dateinamen
