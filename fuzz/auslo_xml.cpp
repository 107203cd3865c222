// config_auslo.xml as any bytes: the interval look-up gives a number or one of its two documented errors.
#include "FuzzHilfen.h"
#include "draws/IntervallDatei.h"
#include "util/QuendaError.h"

using namespace quenda;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse < 1) {
        return 0;
    }
    const QString tsdir = fuzz::arbeitsordner();
    fuzz::dateiSchreiben(QDir(tsdir).filePath(intervallDateiname()), fuzz::bytes(daten + 1, groesse - 1));
    fuzz::StilleMeldungen meldungen;
    try {
        IntervallLoad(tsdir, daten[0], meldungen);
    } catch (const IoError&) {
    } catch (const ConversionError&) {
    }
    return 0;
}
