// Exporteure (Objdaten_*) — the interface of the data-file exporters, as the cycle calls them
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace quenda {

class Staging;
class TDM;
struct Turnierkontext;

// The data-file exporters as the cycle calls them, in its fixed order. The cycle thread owns the object.
// The arguments are those of the tracked item (TAuslosung): al_id the draw, syf_id the group (kn_id the
// competition), typ 1 singles and other doubles, betrieb 1 in operation and 0 released only; stempel is the
// cycle's time stamp "yyyymmddhhnnss" of the files handed over.
class Exporteure {
public:
    virtual ~Exporteure() = default;

    virtual void Objdaten_Spiele(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) = 0;
    virtual void Objdaten_KOFeld(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) = 0;
    virtual void Objdaten_Tabelle(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) = 0;
    virtual void Objdaten_Starterliste(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) = 0;
    virtual void Objdaten_TabelleSpiele(int al_id, int syf_id, int betrieb, const QString& stempel) = 0;
    virtual void Objdaten_Teilnehmerliste(int kn_id, int typ, const QString& stempel) = 0;
    virtual void Objdaten_Tischbelegung(const QString& stempel) = 0;
    virtual void Objdaten_Meldung(const QString& stempel) = 0;

    // Collects the game lines, "[TABELLE]" and the table lines of one draw for the combined file;
    // made anew by the cycle for every draw it visits.
    QStringList tabspieleliste;
};

// Makes the exporters of one cycle, working on the cycle's own database connection and staging.
using ExporteurFabrik = std::function<std::unique_ptr<Exporteure>(TDM&, const Turnierkontext&, Staging&)>;

} // namespace quenda
