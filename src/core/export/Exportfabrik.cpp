#include "export/Exportfabrik.h"

#include "export/Objdatenexport.h"
#include "util/Ereignisprotokoll.h"
#include "util/MeldungsAusgabe.h"

namespace quenda {

ExporteurFabrik exportFabrik(Ereignisprotokoll* protokoll, MeldungsAusgabe* meldungen) {
    return [protokoll, meldungen](TDM& dm, const Turnierkontext& kontext,
                                  Staging& staging) -> std::unique_ptr<Exporteure> {
        Objdatenexport::Protokoll zeile;
        if (protokoll) {
            zeile = [protokoll](const QString& text) { protokoll->protokoll(protokoll->mitZeit(text)); };
        }
        Objdatenexport::Hinweis hinweis;
        if (meldungen) {
            hinweis = [meldungen](const QString& text) { meldungen->hinweis(text); };
        }
        return std::make_unique<Objdatenexport>(dm, kontext, staging, std::move(zeile), std::move(hinweis));
    };
}

} // namespace quenda
