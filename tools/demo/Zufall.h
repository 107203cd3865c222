#pragma once

#include <QtGlobal>
#include <utility>
#include <vector>

namespace quenda::demo {

// Deterministic pseudo-random numbers (splitmix64). The standard distributions differ between standard
// libraries, so every range is derived here: the same seed gives the same tournament everywhere.
// Owned by one thread.
class Zufall {
public:
    // strom separates independent sequences of one seed (names, results, ...), so that adding draws to one
    // part does not shift the numbers of another.
    explicit Zufall(quint64 seed, quint64 strom = 0);

    quint64 naechste();
    // Uniform in [von, bis], both included.
    int bereich(int von, int bis);
    // True with the probability prozent / 100.
    bool prozent(int prozent);

    template <class T>
    void mischen(std::vector<T>& werte) {
        for (std::size_t i = werte.size(); i > 1; --i) {
            const auto j = static_cast<std::size_t>(bereich(0, static_cast<int>(i) - 1));
            std::swap(werte[i - 1], werte[j]);
        }
    }

    template <class T>
    const T& wahl(const std::vector<T>& werte) {
        return werte[static_cast<std::size_t>(bereich(0, static_cast<int>(werte.size()) - 1))];
    }

private:
    quint64 m_zustand;
};

// A fixed scramble of a number (one splitmix64 round), e.g. the playing strength of an entry.
quint64 streuwert(quint64 wert);

} // namespace quenda::demo
