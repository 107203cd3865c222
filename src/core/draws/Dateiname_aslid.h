// Dateiname_aslid — which tracked item a data file of the working folder belongs to
#pragma once

#include <QString>

namespace quenda {

// Result of Dateiname_aslid for a file that belongs to no tracked item.
inline constexpr int keinDatenfile = 99999;

// Maps a file name of the working folder to the item its data belong to: the al_id of a draw group
// (kind 1: starter, tabelle, spiele, tabspiele files) or the kn_id of a participant list (kind 2:
// teilnehmer files), read from the digits after the prefix and its underscore. Other files give
// keinDatenfile and leave kind unchanged. A name with a data prefix but no number there throws
// ConversionError. Free function, any thread.
int Dateiname_aslid(const QString& dateiname, int& kind);

} // namespace quenda
