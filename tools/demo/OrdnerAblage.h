#pragma once

#include "settings/TAblage.h"

#include <QString>

namespace quenda::demo {

// Storage settings with both display targets enabled and delivered by copying into local folders: the
// screen's files below web, the phones' below pocko. The folders are taken as absolute paths and must
// exist before a cycle runs; everything else keeps its default.
TAblage ordnerAblage(const QString& web, const QString& pocko);

} // namespace quenda::demo
