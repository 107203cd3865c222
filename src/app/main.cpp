#include "Stil.h"
#include "TFormHaupt.h"
#include "TFormsplash.h"
#include "Uebersetzung.h"
#include "app/HeadlessModus.h"
#include "db/Verbindung.h"
#include "util/Programmuhr.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace {

int headlessStarten(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto optionen = quenda::headless::optionenLesen(QCoreApplication::arguments());
    if (!optionen.ok()) {
        err << optionen.fehler()
            << "\nAufruf: quenda --headless --db PFAD [--tournament ID] [--cycles N] "
               "[--fake-time \"yyyy-mm-dd hh:nn:ss\"] [--resend]\n";
        return quenda::headless::exitAufruf;
    }
    return quenda::headless::ausfuehren(optionen.wert(), quenda::programmuhr(), out, err);
}

} // namespace

int main(int argc, char** argv) {
    quenda::Verbindung::bibliothekEinrichten();
    // Decided before any application object exists: the headless mode never creates a QApplication.
    if (quenda::headless::gewuenscht(argc, argv)) {
        return headlessStarten(argc, argv);
    }
    QApplication app(argc, argv);
    quenda::stil::anwenden(app);
    quenda::deutschLaden(app); // without it, Qt's own buttons and dialogs stay English

    quenda::TFormHaupt haupt(quenda::programmuhr());
    // "quenda --db PATH" opens that database instead of the stored one; it is stored once it connected.
    const QStringList argumente = QCoreApplication::arguments();
    const qsizetype db = argumente.indexOf(QStringLiteral("--db"));
    if (db > 0 && db + 1 < argumente.size()) {
        haupt.setStartpfad(QFileInfo(argumente[db + 1]).absoluteFilePath());
    }
    {
        quenda::TFormsplash splash(haupt.programmversion());
        haupt.fensterAnlegen([&splash](int fortschritt) { splash.Shownextstep(fortschritt); });
    }
    haupt.show();
    return app.exec();
}
