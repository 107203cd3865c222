#include "demo/OrdnerAblage.h"

#include <QDir>

namespace quenda::demo {

TAblage ordnerAblage(const QString& web, const QString& pocko) {
    const auto ordner = [](const QString& pfad) { return QDir(pfad).absolutePath() + QDir::separator(); };
    TAblage werte;
    werte.aktiv = 1;
    werte.anzweb = 1;
    werte.verzeichnis = ordner(web);
    werte.aktivpocko = 1;
    werte.pocko = 1;
    werte.verzeichnispocko = ordner(pocko);
    return werte;
}

} // namespace quenda::demo
