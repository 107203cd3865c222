#pragma once

#include "transfer/Datenzyklus.h"

namespace quenda {

class Ereignisprotokoll;
class MeldungsAusgabe;

// The exporters the program publishes with: one set per cycle, on the cycle's connection and staging.
// Lines about left-out data go to the event log when one is given (it must outlive every cycle), else to
// the Qt warning output. Faulty table occupancy rows are also shown through meldungen without waiting.
ExporteurFabrik exportFabrik(Ereignisprotokoll* protokoll = nullptr, MeldungsAusgabe* meldungen = nullptr);

} // namespace quenda
