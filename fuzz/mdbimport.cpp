// The Access import as the program runs it: the mutated file goes through mdbImportieren, which starts the
// importer quenda-mdbimport as a child with a time limit. A crash or hang of libmdb in the child is a failed
// import (the program carries on with its previous snapshot); what must hold is the parent's contract: a
// snapshot that opens as a database, or a reason and no file left behind. A sanitizer report from the
// child whose innermost frame of ours lies in our own sources is a finding, and aborts here.
#include "db/MdbImport.h"
#include "FuzzHilfen.h"

#include <QDirIterator>
#include <sqlite3.h>

using namespace quenda;

namespace {

constexpr int zeitlimitMs = 5000;

// The first frame of a sanitizer report that is not in the sanitizer runtime or the C library.
QString innersterFrame(const QString& bericht) {
    for (const QString& zeile : bericht.split(u'\n')) {
        const QString z = zeile.trimmed();
        if (!z.startsWith(u'#') || z.contains(QStringLiteral("libclang_rt")) || z.contains(QStringLiteral("libc.so")) ||
            z.contains(QStringLiteral("compiler-rt")) || z.contains(QStringLiteral("libglib"))) {
            continue;
        }
        return z;
    }
    return {};
}

void kinderberichtePruefen(const QString& ordner) {
    QDirIterator it(ordner, {QStringLiteral("kind.*")}, QDir::Files);
    while (it.hasNext()) {
        const QString pfad = it.next();
        QFile datei(pfad);
        datei.open(QIODevice::ReadOnly);
        const QString bericht = QString::fromLocal8Bit(datei.readAll());
        datei.close();
        QFile::remove(pfad);
        const QString frame = innersterFrame(bericht);
        if (frame.contains(QStringLiteral(QUENDA_SOURCE_DIR "/src/"))) {
            std::fprintf(stderr, "the importer failed in our code:\n%s\n", qPrintable(bericht));
            std::abort();
        }
    }
}

bool snapshotLesbar(const QString& pfad) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(QFile::encodeName(pfad).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    sqlite3_stmt* st = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &st, nullptr) == SQLITE_OK &&
         sqlite3_step(st) == SQLITE_ROW &&
         QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "ok";
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const QString berichte = fuzz::arbeitsordner();
    qputenv("QUENDA_MDBIMPORT", QUENDA_MDBIMPORT_PROGRAMM);
    // The child's sanitizer reports go to files, to be told apart from libmdb's own faults.
    const QByteArray log = QFile::encodeName(QDir(berichte).filePath(QStringLiteral("kind")));
    qputenv("ASAN_OPTIONS", "log_path=" + log + ":detect_leaks=0");
    qputenv("UBSAN_OPTIONS", "log_path=" + log + ":print_stacktrace=1");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QDir ordner(fuzz::arbeitsordner());
    const QString quelle = ordner.filePath(QStringLiteral("turnier.mdb"));
    const QString ziel = ordner.filePath(QStringLiteral("turnier.sqlite"));
    QFile::remove(ziel);
    fuzz::dateiSchreiben(quelle, fuzz::bytes(daten, groesse));
    const Ergebnis<void> importiert = mdbImportieren(quelle, ziel, zeitlimitMs);
    kinderberichtePruefen(ordner.path());
    if (importiert.ok()) {
        fuzz::pruefen(snapshotLesbar(ziel), "a successful import leaves a readable snapshot");
    } else {
        fuzz::pruefen(!QFile::exists(ziel) && !QFile::exists(ziel + QString::fromLatin1(mdbImportTeilEndung)),
                      "a failed import leaves no file");
    }
    return 0;
}
