#pragma once

#include <QByteArray>
#include <QString>

namespace quenda {

// How a replaced file reaches the disk.
enum class Ablauf {
    Dauerhaft, // forced to disk before it takes the name (settings, lists of pending deliveries)
    // Left to the system's write-back: the data files of a cycle, written anew by every cycle that finds
    // them changed. A forced write costs milliseconds per file, which a cycle of thousands of files cannot
    // afford; the replacement is just as atomic for readers and for a crash of the program.
    Zyklus,
};

// Replaces the file at pfad with inhalt atomically: readers and a killed program see the old or the new
// content, never a part, and no copy under another name is left behind. A symbolic link at pfad is
// replaced itself; the file it points to is never written. Throws IoError.
void datei_ersetzen(const QString& pfad, const QByteArray& inhalt, Ablauf ablauf = Ablauf::Dauerhaft);

// Removes a symbolic link at pfad (never what it points to), so that the program's own files in the working
// folder cannot be used to write a file elsewhere. Throws IoError when the link stays.
void linkEntfernen(const QString& pfad);

// Gives the file von the name nach, replacing a file of that name in one step where the system allows it, so
// that a crash never leaves neither. False when it failed.
bool datei_umbenennen(const QString& von, const QString& nach);

} // namespace quenda
