// quenda-hauptfensterfoto --db PATH --out FOLDER [--tournament ID] [--cycles N] [--time "yyyy-mm-dd hh:nn:ss"]
// Opens the main window on a tournament as the desk sees it, runs N transfer cycles back to back on a
// program clock that starts at the given time, stops and saves the window as FOLDER/hauptfenster.png.
// Run under Xvfb (scripts/screenshots.sh), with the storage settings already in the working folder.
#include "Stil.h"
#include "TFormHaupt.h"
#include "Uebersetzung.h"
#include "db/Turnierauswahl.h"
#include "transfer/Transfersteuerung.h"
#include "util/Programmuhr.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <QTextStream>
#include <QThread>

namespace {

QString argument(const QStringList& argumente, const QString& name, const QString& vorgabe = {}) {
    const qsizetype i = argumente.indexOf(name);
    return i > 0 && i + 1 < argumente.size() ? argumente[i + 1] : vorgabe;
}

// Handles events until bedingung holds; false after the time limit.
template <typename F>
bool warten(F bedingung, int grenzeMs) {
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung()) {
        if (uhr.elapsed() > grenzeMs) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    return true;
}

// Chooses a menu item of the window, found by its object name.
void ausloesen(const QObject& fenster, const char* name) {
    if (auto* aktion = fenster.findChild<QAction*>(QString::fromLatin1(name))) {
        aktion->trigger();
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quenda::stil::anwenden(app);
    quenda::deutschLaden(app);
    QTextStream err(stderr);
    const QStringList argumente = QCoreApplication::arguments();
    const QString db = argument(argumente, QStringLiteral("--db"));
    // Absolute now: the main window makes the program's folder the current one.
    const QString ordner = QDir(argument(argumente, QStringLiteral("--out"))).absolutePath();
    const int zyklen = argument(argumente, QStringLiteral("--cycles"), QStringLiteral("4")).toInt();
    const int turnier = argument(argumente, QStringLiteral("--tournament"), QStringLiteral("1")).toInt();
    const QDateTime beginn =
        QDateTime::fromString(argument(argumente, QStringLiteral("--time"), QStringLiteral("2026-12-12 09:00:00")),
                              QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (db.isEmpty() || argument(argumente, QStringLiteral("--out")).isEmpty() || zyklen < 1 || turnier < 1 ||
        !beginn.isValid()) {
        err << "Aufruf: quenda-hauptfensterfoto --db PFAD --out ORDNER [--tournament ID] [--cycles N] [--time "
               "\"yyyy-mm-dd hh:nn:ss\"]\n";
        return 64;
    }

    quenda::Programmuhr uhr;
    uhr.festsetzen(beginn);
    quenda::TFormHaupt haupt(uhr);
    // Stored as the desk's last choice, so that the window connects this tournament without asking.
    quenda::turnierauswahl::pfadSpeichern(QFileInfo(db).absoluteFilePath());
    quenda::turnierauswahl::turnierIdSpeichern(turnier);
    haupt.fensterAnlegen([](int) {});
    haupt.show();
    if (!warten([&haupt]() { return haupt.turnierkontext().dbturid > 0; }, 30'000)) {
        err << "Das Turnier wurde nicht verbunden.\n";
        return 1;
    }
    haupt.transfersteuerung().setSimulierteZeit(true);
    ausloesen(haupt, "menueStarten");
    if (!warten([&haupt, zyklen]() { return haupt.uebertragungen() >= zyklen; }, 600'000)) {
        err << "Die Übertragung lief nicht.\n";
        return 1;
    }
    ausloesen(haupt, "menueStoppen");
    warten([&haupt]() { return haupt.threadfrei(); }, 60'000);
    warten([]() { return false; }, 500); // the last signals of the cycle reach the window
    QDir().mkpath(ordner);
    const QString datei = QDir(ordner).filePath(QStringLiteral("hauptfenster.png"));
    if (!haupt.grab().save(datei)) {
        err << "Kann " << datei << " nicht schreiben.\n";
        return 1;
    }
    return 0;
}
