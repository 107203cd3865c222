// config_ablage.xml as any bytes: the load never fails other than with its failure text, and settings it
// took are written and read back unchanged.
#include "FuzzHilfen.h"
#include "settings/AblageDatei.h"
#include "util/QuendaError.h"

using namespace quenda;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString tsdir = fuzz::arbeitsordner();
    const QString pfad = QDir(tsdir).filePath(ablageDateiname());
    fuzz::dateiSchreiben(pfad, fuzz::bytes(daten, groesse));
    TAblage ablage;
    if (!AblageLoad(tsdir, ablage).ok()) {
        return 0;
    }
    const QDateTime jetzt(QDate(2026, 12, 9), QTime(9, 0), Qt::UTC);
    TAblage gespeichert = ablage;
    Ablagesave(tsdir, gespeichert, jetzt);
    TAblage zurueck;
    fuzz::pruefen(AblageLoad(tsdir, zurueck).ok(), "a saved file loads");
    if (ablage.dbzkd.isEmpty()) {
        ablage.dbzkd = gespeichert.dbzkd; // the first save stamps the folder name
    }
    fuzz::pruefen(zurueck == ablage, "saved settings load back unchanged");
    return 0;
}
