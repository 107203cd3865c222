#pragma once

#include <QString>

// Values of a game row that the game list and the game grid write alike.
namespace quenda {

class Abfrage;
class Wert;

// Sets to win: the game's gse when it is greater than 0, otherwise the draw's default optgse (a game
// without gse, NULL or 0, takes the default). Throws ConversionError when the default is needed and NULL.
qint64 gewinnsaetze(const Wert& gse, const Wert& optgse);

// s1 to s7 of the current row as stored, joined by ";" (a NULL gives an empty part).
QString satzliste(const Abfrage& zeile);

// The game number: the last three characters of the text form of sp_id (an id shorter than three is
// taken whole) read as a whole number. Throws ConversionError when they are no number.
int spielnummer(const QString& sp_id);

} // namespace quenda
