#pragma once

#include "util/Ergebnis.h"

#include <QString>
#include <atomic>

namespace quenda {

// The importer writes its snapshot under ziel + this ending and renames it when complete.
inline constexpr const char* mdbImportTeilEndung = ".teil";

// Runs the importer quenda-mdbimport as a child process: Access file -> SQLite snapshot at ziel.
// A crash, a hang beyond the time limit or a damaged file of the child never reaches this process.
// Fails with the reason in German. abbruch (may be null) ends it early.
Ergebnis<void> mdbImportieren(const QString& quelle, const QString& ziel, int zeitlimitMs,
                              const std::atomic<bool>* abbruch = nullptr);

// The importer program: the environment variable QUENDA_MDBIMPORT, else the file beside the program.
QString mdbImportProgramm();

} // namespace quenda
