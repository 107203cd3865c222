#include "Uebersetzung.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quenda {

bool deutschLaden(QCoreApplication& app) {
    auto* uebersetzung = new QTranslator(&app); // lives as long as the application
    if (!uebersetzung->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete uebersetzung;
        return false;
    }
    return QCoreApplication::installTranslator(uebersetzung);
}

} // namespace quenda
