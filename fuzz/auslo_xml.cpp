// config_auslo.xml as any bytes: the stored intervals and the extra-cycle switch load (a broken file moved
// aside, bad entries left out); only a log that cannot be written may stop the caller.
#include "FuzzHilfen.h"
#include "draws/IntervallDatei.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"

using namespace quenda;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    static Programmuhr uhr;
    static Ereignisprotokoll protokoll(uhr);
    const QString tsdir = fuzz::arbeitsordner();
    uhr.festsetzen(QDateTime(QDate(2026, 12, 9), QTime(9, 0))); // one name for the file moved aside
    protokoll.setOrdner(tsdir);
    fuzz::dateiSchreiben(QDir(tsdir).filePath(intervallDateiname()), fuzz::bytes(daten, groesse));
    SofortLoad(tsdir);
    try {
        (void)IntervalleLaden(tsdir, protokoll, uhr);
    } catch (const IoError&) {
    }
    QFile::remove(QDir(tsdir).filePath(QStringLiteral("protokoll_20261209.pzk"))); // keeps the folder small
    return 0;
}
