#pragma once

#include <QString>

namespace quenda {

// Where the core shows a message box. The GUI implements it with a modal box on the UI thread,
// the headless mode prints to stderr, tests record the texts. Implementations must be callable
// from any thread.
class MeldungsAusgabe {
public:
    virtual ~MeldungsAusgabe() = default;
    virtual void meldung(const QString& text) = 0;
    // A message the caller does not wait for (the box may still be open when this returns).
    virtual void hinweis(const QString& text) { meldung(text); }
};

} // namespace quenda
