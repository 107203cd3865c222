#pragma once

#include <QString>
#include <QStringList>

namespace quenda::demo {

class Zufall;

// German names for generated players and clubs: umlauts and ß included, all within Windows-1252 (the data
// files are written in that code page).
struct Name {
    QString name;
    QString vorname;
};

Name zufallsName(Zufall& zufall, bool weiblich);
// anzahl different club names, none equal to one of vorhandene (compared case-sensitively).
QStringList vereinsNamen(Zufall& zufall, int anzahl, const QStringList& vorhandene);
// Regions of the main tournament and of the other one (disjoint).
QStringList regionen();
QStringList fremdRegionen();

} // namespace quenda::demo
