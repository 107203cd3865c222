#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace quenda {

// The German text of a failure, to construct a failed Ergebnis: return Fehlschlag{text};
struct Fehlschlag {
    QString text;
};

// The outcome of a file, settings or import operation whose failure the caller handles: the value, or the
// German text saying why not. The operation shows nothing itself; the caller decides whether the text goes
// to a message box (MeldungsAusgabe), the memo or the event log. Faults that end a cycle or an action are
// exceptions (QuendaError) instead. A value type, usable on any thread.
template <class T>
class [[nodiscard]] Ergebnis {
public:
    Ergebnis(T wert) : m_wert(std::move(wert)) {}
    Ergebnis(Fehlschlag fehlschlag) : m_fehler(std::move(fehlschlag.text)) {}

    bool ok() const { return m_wert.has_value(); }
    // Only when ok(); throws std::bad_optional_access otherwise (a fault of the caller).
    const T& wert() const& { return m_wert.value(); }
    T& wert() & { return m_wert.value(); }
    T&& wert() && { return std::move(m_wert.value()); }
    // Empty when ok().
    const QString& fehler() const { return m_fehler; }

private:
    std::optional<T> m_wert;
    QString m_fehler;
};

// An operation without a value: done, or why not.
template <>
class [[nodiscard]] Ergebnis<void> {
public:
    Ergebnis() = default;
    Ergebnis(Fehlschlag fehlschlag) : m_ok(false), m_fehler(std::move(fehlschlag.text)) {}

    bool ok() const { return m_ok; }
    const QString& fehler() const { return m_fehler; }

private:
    bool m_ok = true;
    QString m_fehler;
};

} // namespace quenda
