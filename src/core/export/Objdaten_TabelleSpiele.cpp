#include "export/Dateinamen.h"
#include "export/Objdatenexport.h"

namespace quenda {

void Objdatenexport::Objdaten_TabelleSpiele(int al_id, int syf_id, int betrieb, const QString& stempel) {
    abgeben(dateinamen::tabspiele(al_id, gruppennummer(syf_id)), tabspieleliste, stempel, zielVonBetrieb(betrieb));
}

} // namespace quenda
