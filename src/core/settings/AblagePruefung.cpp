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
        if (!zkdBezeichnungGueltig(zkdNeu->trimmed())) {
            ausgabe.meldung(QStringLiteral("Die ZKD-Ordner Bezeichnung ") + zkdRegel());
            ok = false;
        }
    }
    return ok;
}

bool zkdBezeichnungGueltig(const QString& dbzkd) {
    return ordnername_zeichen_gueltig(dbzkd) && !dbzkd.contains(QChar(0x7f)) && !dbzkd.contains(QStringLiteral("..")) &&
           dbzkd.trimmed() == dbzkd && dbzkd.toUtf8().size() <= 120;
}

QString zkdRegel() {
    return QStringLiteral("darf keines der Zeichen \\ / : * ? \" < > | und kein \"..\" enthalten, nicht mit einem "
                          "Leerzeichen beginnen oder enden und höchstens 120 Bytes lang sein.");
}

} // namespace quenda
