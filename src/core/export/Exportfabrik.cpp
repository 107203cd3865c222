#include "export/Exportfabrik.h"

#include "export/Objdatenexport.h"
#include "util/Ereignisprotokoll.h"

namespace quenda {

ExporteurFabrik exportFabrik(Ereignisprotokoll* protokoll) {
    return [protokoll](TDM& dm, const Turnierkontext& kontext, Staging& staging) -> std::unique_ptr<Exporteure> {
        Objdatenexport::Protokoll zeile;
        if (protokoll) {
            zeile = [protokoll](const QString& text) { protokoll->protokoll(protokoll->mitZeit(text)); };
        }
        return std::make_unique<Objdatenexport>(dm, kontext, staging, std::move(zeile));
    };
}

} // namespace quenda
