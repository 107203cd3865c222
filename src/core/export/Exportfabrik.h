#pragma once

#include "transfer/Datenzyklus.h"

namespace quenda {

// The exporters the program publishes with: one set per cycle, on the cycle's connection and staging.
ExporteurFabrik exportFabrik();

} // namespace quenda
