#pragma once

#include "transfer/Datenzyklus.h"

namespace quenda {

class Ereignisprotokoll;

// The exporters the program publishes with: one set per cycle, on the cycle's connection and staging.
// Lines about left-out data go to the event log when one is given (it must outlive every cycle), else to
// the Qt warning output.
ExporteurFabrik exportFabrik(Ereignisprotokoll* protokoll = nullptr);

} // namespace quenda
