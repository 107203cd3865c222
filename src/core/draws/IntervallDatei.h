#pragma once

#include <QString>

namespace quenda {

class AusloList;
class MeldungsAusgabe;

// "config_auslo.xml" in the working folder: the update interval of every tracked item, stored by syf_id
// (a participant list by its kn_id; the file does not tell the two kinds apart). Free functions; the
// UI thread uses them while no transfer runs, the cycle thread while one runs.

QString intervallDateiname();

// The stored interval of syf_id; 0 when there is no file or no element for it. The last matching
// element wins. A file that is not well-formed shows "XML-Datei konnte nicht geladen werden" and throws
// IoError; an "interval" that is no whole number throws ConversionError.
int IntervallLoad(const QString& tsdir, int syf_id, MeldungsAusgabe& ausgabe);

// Writes the file anew from the list, one element per record in list order. Throws IoError.
void Intervallsave(const QString& tsdir, const AusloList& liste);

} // namespace quenda
