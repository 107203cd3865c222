// Exporteure (Objdaten_*) — the interface of the data-file exporters, as the cycle calls them
#pragma once

#include <QString>
#include <QStringList>

namespace quenda {

// The data-file exporters as the cycle calls them, in its fixed order. The cycle thread owns the object;
// an exporter that is not built yet does nothing.
class Exporteure {
public:
    virtual ~Exporteure() = default;

    virtual void Objdaten_Spiele(int, int, int, int, const QString&) {}
    virtual void Objdaten_KOFeld(int, int, int, int, const QString&) {}
    virtual void Objdaten_Tabelle(int, int, int, int, const QString&) {}
    virtual void Objdaten_Starterliste(int, int, int, int, const QString&) {}
    virtual void Objdaten_TabelleSpiele(int, int, int, const QString&) {}
    virtual void Objdaten_Teilnehmerliste(int, int, const QString&) {}
    virtual void Objdaten_Tischbelegung(const QString&) {}
    virtual void Objdaten_Meldung(const QString&) {}

    // Collects the game lines, "[TABELLE]" and the table lines of one draw for the combined file;
    // made anew by the cycle for every draw it visits.
    QStringList tabspieleliste;
};

} // namespace quenda
