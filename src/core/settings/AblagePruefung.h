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

} // namespace quenda
