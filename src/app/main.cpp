#include "Stil.h"
#include "TFormHaupt.h"
#include "TFormsplash.h"
#include "app/HeadlessModus.h"
#include "db/Turnierauswahl.h"
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
    QString fehler;
    const auto optionen = quenda::headless::optionenLesen(QCoreApplication::arguments(), &fehler);
    if (!optionen) {
        err << fehler
            << "\nAufruf: quenda --headless --db PFAD [--tournament ID] [--cycles N] "
               "[--fake-time \"yyyy-mm-dd hh:nn:ss\"] [--resend]\n";
        return quenda::headless::exitAufruf;
    }
    return quenda::headless::ausfuehren(*optionen, quenda::programmuhr(), out, err);
}

} // namespace

int main(int argc, char** argv) {
    // Decided before any application object exists: the headless mode never creates a QApplication.
    if (quenda::headless::gewuenscht(argc, argv)) {
        return headlessStarten(argc, argv);
    }
    QApplication app(argc, argv);
    quenda::stil::anwenden(app);
    QApplication::setApplicationDisplayName(QStringLiteral("Quenda 2.0"));

    // "quenda --db PATH" opens that database, as if it had been chosen in the database dialog.
    const QStringList argumente = QCoreApplication::arguments();
    const qsizetype db = argumente.indexOf(QStringLiteral("--db"));
    if (db > 0 && db + 1 < argumente.size()) {
        const QString pfad = QFileInfo(argumente[db + 1]).absoluteFilePath();
        if (pfad != quenda::turnierauswahl::gespeicherterPfad()) {
            quenda::turnierauswahl::pfadSpeichern(pfad);
        }
    }

    quenda::TFormHaupt haupt(quenda::programmuhr());
    {
        quenda::TFormsplash splash(haupt.prgversion);
        haupt.fensterAnlegen([&splash](int fortschritt) { splash.Shownextstep(fortschritt); });
    }
    haupt.show();
    return app.exec();
}
