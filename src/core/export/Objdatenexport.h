// Objdatenexport (Objdaten_*) — the data-file exporters of one cycle
#pragma once

#include "transfer/Exporteure.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace quenda {

class Staging;
class TDM;
struct Turnierkontext;

// The data-file exporters of one cycle: each reads its rows through the cycle's query objects, writes its
// file into the working folder and hands it to staging. Created and owned by the cycle thread.
class Objdatenexport : public Exporteure {
public:
    // Receives one event-log line (without the time prefix) about data the exporters had to leave out.
    using Protokoll = std::function<void(const QString&)>;

    // Receives a message for the user that must not hold the export (a faulty table occupancy row).
    using Hinweis = std::function<void(const QString&)>;

    Objdatenexport(TDM& dm, const Turnierkontext& kontext, Staging& staging, Protokoll protokoll = {},
                   Hinweis hinweis = {});

    // The game list of one group: one file per round with listed games, none when there are none.
    void Objdaten_Spiele(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) override;
    // The starting field of a knock-out draw, one line per position.
    void Objdaten_KOFeld(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) override;
    // The ranked table of one round-robin group.
    void Objdaten_Tabelle(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) override;
    // The starters of one group and its game grid (the starters by position, then the games by position).
    void Objdaten_Starterliste(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) override;
    // The game lines, "[TABELLE]" and the table lines gathered in tabspieleliste, as one file of the group.
    void Objdaten_TabelleSpiele(int al_id, int syf_id, int betrieb, const QString& stempel) override;
    // Every registered player or pair of a competition that has no released draw yet.
    void Objdaten_Teilnehmerliste(int kn_id, int typ, const QString& stempel) override;
    // The hall layouts with the game on each table, and a file of its own for every table with a game.
    void Objdaten_Tischbelegung(const QString& stempel) override;
    // Opens the game row of one result in QSpieldaten; true when there is one.
    bool Spieldaten(int erg_id, int typ);
    // The twelve game fields of a per-table line (start numbers, regions and clubs by the draw's options),
    // or eleven "|" when the game row is not found.
    QString Tischdaten(int erg_id, int al_id, int typ);
    // Hands the message files the presentation editor left in the working folder to staging.
    void Objdaten_Meldung(const QString& stempel) override;

protected:
    // Writes the lines as the named file into the working folder and hands it over; the file is gone
    // afterwards.
    void abgeben(const QString& name, const QStringList& zeilen, const QString& stempel, int ziel);
    void protokollieren(const QString& text) const;

    TDM& m_dm;
    const Turnierkontext& m_kontext;
    Staging& m_staging;

private:
    int gruppennummer(int syf_id);
    void hallenaufbau(int hab_id, QStringList& zeilen, const QString& stempel);

    Protokoll m_protokoll;
    Hinweis m_hinweis;
};

// Target selector of the draw exporters: 2 (mobile phone only) for a released draw, 3 (both) in operation.
inline int zielVonBetrieb(int betrieb) {
    return betrieb + 2;
}

} // namespace quenda
