#pragma once

#include <QString>

namespace quenda::demo {

// Row counts of one generated tournament.
struct Teilsumme {
    int spieler = 0; // registrations
    int konkurrenzen = 0;
    int auslosungen = 0;
    int gruppen = 0; // al_systemfeld rows: groups and knock-out fields
    int spiele = 0;
    int hallenaufbauten = 0;
    int tische = 0;
    int belegungen = 0;
};

// What the generator wrote: the main tournament (t_id 1) and the other one (t_id 2).
struct Uebersicht {
    Teilsumme turnier;
    Teilsumme fremd;

    QString text() const;
};

} // namespace quenda::demo
