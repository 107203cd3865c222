#pragma once

#include <QtGlobal>

namespace quenda {

class Wert;

// A draw's display option set (turopt or sglopt). A value type, used on the thread that read it.
class Optionen {
public:
    Optionen() = default;
    // NULL turns every option off. Throws ConversionError for a value that is no whole number.
    explicit Optionen(const Wert& wert);

    // Bit value b (1, 2, 4, 8, 16) is on when the set AND b equals b.
    bool an(int bitwert) const { return (m_wert & bitwert) == bitwert; }

private:
    qint64 m_wert = 0;
};

// The bit values: the same first three in both sets; 8 is the scheduled time in turopt, the balls in sglopt.
inline constexpr int optVerein = 1;
inline constexpr int optRegion = 2;
inline constexpr int optStartnummer = 4;
inline constexpr int optSpielzeit = 8;
inline constexpr int optBaelle = 8;
inline constexpr int optSaetze = 16;

} // namespace quenda
