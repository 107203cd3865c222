#pragma once

#include <QList>
#include <QString>

namespace quenda {

class TDM;

// Choosing the tournament database and the tournament: the stored values and the look-ups the
// connection step makes (UI thread, or the headless runner). Reads go through QuerySQL2.
namespace turnierauswahl {

struct Turnier {
    int t_id = 0;
    QString tur_bez;
};

// Stored per user (on Windows: HKCU\software\kestrom\quenda20reg\DBConnect).
QString gespeicherterPfad();               // "no" when missing
int gespeicherteTurnierId();               // 0 when missing or not a number
void pfadSpeichern(const QString& dbpath); // also resets the tournament id to "0"
void turnierIdSpeichern(int id);

// Every tournament of the database, in the database's order.
QList<Turnier> turniere(TDM& tdm);
bool turnierVorhanden(TDM& tdm, int id);
// tur_bez of the tournament ("" when NULL).
QString turnierName(TDM& tdm, int id);

// Working folder beside the database: folder + "qnda" + id with three digits + file name without extension.
QString tsdirFuer(const QString& dbpath, int id);
// Creates the working folder and its "images" subfolder where missing. Throws IoError.
void tsdirAnlegen(const QString& tsdir);

} // namespace turnierauswahl
} // namespace quenda
