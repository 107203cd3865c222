#include "demo/Zufall.h"

#include <limits>

namespace quenda::demo {

quint64 streuwert(quint64 wert) {
    wert += 0x9E3779B97F4A7C15ULL;
    wert = (wert ^ (wert >> 30)) * 0xBF58476D1CE4E5B9ULL;
    wert = (wert ^ (wert >> 27)) * 0x94D049BB133111EBULL;
    return wert ^ (wert >> 31);
}

Zufall::Zufall(quint64 seed, quint64 strom) : m_zustand(streuwert(seed ^ streuwert(strom))) {}

quint64 Zufall::naechste() {
    m_zustand += 0x9E3779B97F4A7C15ULL;
    quint64 z = m_zustand;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Zufall::bereich(int von, int bis) {
    if (bis <= von) {
        return von;
    }
    const auto spanne = static_cast<quint64>(static_cast<qint64>(bis) - von + 1);
    // Rejection keeps the result uniform; a plain modulo would favour the low values.
    const quint64 grenze = std::numeric_limits<quint64>::max() - std::numeric_limits<quint64>::max() % spanne;
    quint64 x = naechste();
    while (x >= grenze) {
        x = naechste();
    }
    return static_cast<int>(von + static_cast<qint64>(x % spanne));
}

bool Zufall::prozent(int prozent) {
    return bereich(1, 100) <= prozent;
}

} // namespace quenda::demo
