#include "export/Exportfabrik.h"

#include "transfer/Exporteure.h"

namespace quenda {

ExporteurFabrik exportFabrik() {
    return [](TDM&, const Turnierkontext&, Staging&) { return std::make_unique<Exporteure>(); };
}

} // namespace quenda
