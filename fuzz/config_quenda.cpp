// config_quenda.xml as any bytes: the reader loads, stops with a message or refuses the file, and a
// configuration it loaded whole is written and read back to the same bytes.
#include "FuzzHilfen.h"
#include "presentation/ConfigDatei.h"

using namespace quenda;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString pfad = QDir(fuzz::arbeitsordner()).filePath(QStringLiteral("config_quenda.xml"));
    fuzz::dateiSchreiben(pfad, fuzz::bytes(daten, groesse));
    BildschirmListe liste;
    const Ladeergebnis ergebnis = ConfigLoad(pfad, liste, nullptr, nullptr);
    fuzz::pruefen(ergebnis.status == Ladeergebnis::Status::Geladen ||
                      ergebnis.status == Ladeergebnis::Status::KeineDatei || !ergebnis.fehler.isEmpty(),
                  "a file that did not load says why");
    if (ergebnis.status != Ladeergebnis::Status::Geladen) {
        return 0;
    }
    const QByteArray text = configText(QStringLiteral("Turnier"), liste);
    fuzz::dateiSchreiben(pfad, text);
    BildschirmListe zurueck;
    fuzz::pruefen(ConfigLoad(pfad, zurueck, nullptr, nullptr).status == Ladeergebnis::Status::Geladen,
                  "a written configuration loads");
    fuzz::pruefen(configText(QStringLiteral("Turnier"), zurueck) == text, "written and read back unchanged");
    return 0;
}
