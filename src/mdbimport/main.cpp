// quenda-mdbimport SOURCE.mdb TARGET.sqlite: copies every user table of an Access file into a new SQLite
// snapshot. Runs as a child of the program, so that a crash or hang of libmdb on a damaged or half-written
// file never takes the program down. Exit status 0 on success, else one line on stderr with the reason.

#include "Importfehler.h"
#include "MdbQuelle.h"
#include "Snapshotdatei.h"

#include <QFileInfo>
#include <QStringList>
#include <cstdio>

using namespace quenda::mdbimport;

namespace {

int beenden(int status, const QString& meldung) {
    std::fputs((meldung + u'\n').toLocal8Bit().constData(), stderr);
    return status;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList argumente;
    for (int i = 1; i < argc; ++i) {
        argumente.append(QString::fromLocal8Bit(argv[i]));
    }
    if (argumente.size() != 2) {
        return beenden(aufruf, QStringLiteral("Aufruf: quenda-mdbimport QUELLE.mdb ZIEL.sqlite"));
    }
    const QString quelle = argumente.at(0);
    const QString ziel = argumente.at(1);
    if (!QFileInfo(quelle).isFile()) {
        return beenden(quelleUnlesbar, QStringLiteral("Die Datei %1 wurde nicht gefunden.").arg(quelle));
    }
    try {
        MdbQuelle mdb(quelle);
        Snapshotdatei snapshot(ziel);
        for (const QString& tabelle : mdb.tabellen()) {
            mdb.lesen(
                tabelle, [&](const std::vector<Spalte>& spalten) { snapshot.tabelleAnlegen(tabelle, spalten); },
                [&](const std::vector<Zelle>& zellen) { snapshot.zeileEinfuegen(zellen); });
        }
        snapshot.fertig();
    } catch (const Importfehler& e) {
        return beenden(e.status(), e.meldung());
    } catch (const std::bad_alloc&) {
        return beenden(quelleUnlesbar, QStringLiteral("Die Datei ist beschädigt: zu wenig Speicher beim Lesen."));
    }
    return erfolg;
}
