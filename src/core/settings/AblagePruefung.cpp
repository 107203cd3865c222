#include "settings/AblagePruefung.h"

#include "util/MeldungsAusgabe.h"
#include "util/Routinen.h"

namespace quenda {

bool ablageEingabenPruefen(const TAblage& werte, const std::optional<QString>& zkdNeu, MeldungsAusgabe& ausgabe) {
    bool ok = true;
    const auto pruefe = [&](const QString& text, const char16_t* feld) {
        ok = eingabe_prf(text, QString::fromUtf16(feld), ausgabe) && ok;
    };
    if (werte.anzweb == 1) {
        if (werte.aktiv == 1) {
            pruefe(werte.verzeichnis, u"Verzeichnis Webserver Ablage");
        } else {
            pruefe(werte.host, u"HOST (Internetadresse)");
            pruefe(werte.steuerdatei, u"Steuerdatei (php)");
        }
    }
    if (werte.pocko == 1) {
        if (werte.aktivpocko == 1) {
            pruefe(werte.verzeichnispocko, u"Verzeichnis Pocko Webserver Ablage");
        } else {
            pruefe(werte.hostpocko, u"HOST (Internetadresse) Pocko");
            pruefe(werte.steuerdateipocko, u"Steuerdatei (php) Pocko");
        }
    }
    if (zkdNeu) {
        pruefe(*zkdNeu, u"ZKD-Ordner Bezeichnung");
        if (!zkdNeu->trimmed().isEmpty() && !ordnername_zeichen_gueltig(zkdNeu->trimmed())) {
            ausgabe.meldung(QStringLiteral("Die ZKD-Ordner Bezeichnung darf keines der Zeichen \\ / : * ? \" < > | "
                                           "enthalten."));
            ok = false;
        }
    }
    return ok;
}

} // namespace quenda
