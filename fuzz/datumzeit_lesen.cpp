// datumzeit_lesen on any text: a conversion error or a valid moment whose stamp form has the same digits
// as the text at the digit positions.
#include "FuzzHilfen.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

using namespace quenda;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString eingabe = fuzz::text(daten, groesse);
    try {
        const QDateTime zeitpunkt = datumzeit_lesen(eingabe);
        fuzz::pruefen(zeitpunkt.isValid(), "a valid moment");
        const QString stempel = zeitText(zeitpunkt);
        for (const int stelle : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18}) {
            fuzz::pruefen(stempel[stelle] == eingabe[stelle], "the digits read back");
        }
    } catch (const ConversionError&) {
    }
    return 0;
}
