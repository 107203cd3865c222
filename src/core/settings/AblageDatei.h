// AblageLoad, Ablagesave — reading and writing the storage settings file config_ablage.xml
#pragma once

#include "settings/TAblage.h"
#include "util/Ergebnis.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace quenda {

// "config_ablage.xml" in the working folder: load and save of the storage settings. Free functions,
// called on the UI thread (connection step, settings dialog, profile load).

QString ablageDateiname();

// Reads the file of tsdir into ablage. Without a file the defaults are set. A file that cannot be read or is
// not well-formed ("XML-Datei konnte nicht geladen werden") fails and leaves ablage as it was; a required
// attribute that is missing or no number fails there (fields read before it keep their new values). The
// caller shows the text.
Ergebnis<void> AblageLoad(const QString& tsdir, TAblage& ablage);

// Writes the file from werte and settles dbzkd in ablage: zkdNeu (the unlocked folder-name field) when
// given, else the current dbzkd, else a new 14-digit stamp of jetzt. Only dbzkd of ablage changes, and
// only after the file was written. Throws IoError.
void Ablagesave(const QString& tsdir, TAblage& ablage, const TAblage& werte, const std::optional<QString>& zkdNeu,
                const QDateTime& jetzt);
// Rewrites the file from ablage itself (after a profile load).
void Ablagesave(const QString& tsdir, TAblage& ablage, const QDateTime& jetzt);

} // namespace quenda
