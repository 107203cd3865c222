// AuslosungErmittlung (Auslosung_Ermittlung) — the detection pass that finds the items to publish
#pragma once

#include "draws/AuslosungsBaum.h"

#include <QObject>
#include <QString>

namespace quenda {

class Abfrage;
class AusloList;
class ConversionError;
class Intervallspeicher;
class Ereignisprotokoll;
class Programmuhr;
class Staging;
class TDM;
struct TAblage;
struct Turnierkontext;

// The draw detection pass at the start of every transfer cycle: brings AusloList in line with the
// database, writes the two draw lists through staging, removes data files of items no longer tracked and
// hands the tree a fresh snapshot. Lives on the transfer-cycle thread and uses that thread's TDM; it never
// touches a widget: the main window receives its state through the signals (connect them queued).
class AuslosungErmittlung : public QObject {
    Q_OBJECT
public:
    AuslosungErmittlung(TDM& tdm, const Turnierkontext& kontext, const TAblage& ablage, AusloList& liste,
                        Ereignisprotokoll& protokoll, Programmuhr& uhr, Staging& staging, QObject* parent = nullptr);

    // One pass. A row that cannot be read (a NULL or non-numeric integer of one draw group or competition)
    // is skipped with a line naming it and taken again once it is mended. Other errors (database, files)
    // propagate to the cycle's error trap; records already added or removed stay so.
    void Auslosung_Ermittlung();

Q_SIGNALS:
    // Start of the pass, "dd.mm.yyyy hh:nn:ss", for Label10 ("Letzte Aktualisierung").
    void letzteAktualisierung(const QString& text);
    // The list as it stands at the end of the pass.
    void baumNeu(const quenda::AuslosungsBaum& baum);

private:
    void teilnehmerlisten(Intervallspeicher& intervalle);
    void auslosungsgruppen(Intervallspeicher& intervalle);
    // One memo and log line naming a row that is skipped for this pass.
    void zeileUebersprungen(const Abfrage& q, int typdaten, const ConversionError& fehler);
    void auslosungslistenSchreiben();
    void ordnerBereinigen();

    TDM& m_tdm;
    const Turnierkontext& m_kontext;
    const TAblage& m_ablage;
    AusloList& m_liste;
    Ereignisprotokoll& m_protokoll;
    Programmuhr& m_uhr;
    Staging& m_staging;
};

} // namespace quenda
