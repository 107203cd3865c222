#pragma once

#include <QString>

namespace quenda {

// The cycle's archive for the mobile-phone target sent over HTTP(S). Cycle thread only.
class ZyklusArchiv {
public:
    virtual ~ZyklusArchiv() = default;
    // Adds the file under the entry name (no folder part), compressed. Throws IoError.
    virtual void hinzufuegen(const QString& datei, const QString& eintrag) = 0;
};

} // namespace quenda
