#include "support/DemoVorlage.h"

#include "demo/Generator.h"

#include <QTemporaryDir>

namespace quenda::test {

QString demoVorlage() {
    static QTemporaryDir ordner;
    static const QString pfad = [] {
        const QString datei = ordner.filePath(QStringLiteral("demo.db"));
        demo::Generator({1, demo::Groesse::Klein, demo::standardJetzt()}).erzeugen(datei);
        return datei;
    }();
    return pfad;
}

} // namespace quenda::test
