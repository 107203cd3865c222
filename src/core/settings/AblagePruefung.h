#pragma once

#include "settings/TAblage.h"

#include <QString>
#include <optional>

namespace quenda {

class MeldungsAusgabe;

// The checks of the storage dialog's OK button, without widgets. werte holds the dialog's values (anzweb
// and pocko 1/0, aktiv and aktivpocko 1 for "über Verzeichnis", 2 for "HTTP(S)"); zkdNeu the text of the
// folder-name field when it was unlocked. Every applicable check runs and shows its message; fields of a
// target that is not ticked are not checked. True when all passed.
bool ablageEingabenPruefen(const TAblage& werte, const std::optional<QString>& zkdNeu, MeldungsAusgabe& ausgabe);

// The folder-name suffix dbzkd ("zkd" + dbzkd on the targets) by the rule the server scripts apply to it, so
// that nothing the upload script would refuse is stored: no blank at either end, none of \ / : * ? " < > |,
// no control character, no "..", at most 120 bytes in UTF-8. Empty passes (a new settings file gets a stamp).
bool zkdBezeichnungGueltig(const QString& dbzkd);
// What the rule says, to follow "Die ZKD-Ordner Bezeichnung" in a message.
QString zkdRegel();

} // namespace quenda
