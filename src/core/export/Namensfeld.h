#pragma once

#include <QString>

// How the exporters render a starter's name field and its optional parts.
namespace quenda {

// Removes leading and trailing blanks and control characters (every character up to U+0020).
QString trimmen(const QString& text);

// The optional start number S and region R: the text in brackets when the option is on, else empty.
QString klammerTeil(const QString& text, bool an);

// Game lines: Trim(S + " " + N + " " + R).
QString namensfeldSpiel(const QString& s, const QString& n, const QString& r);
// Starter, table and knock-out lines: Trim(S + " " + N) + " " + R; with R empty the field ends in a blank,
// which the display pages expect.
QString namensfeldStarter(const QString& s, const QString& n, const QString& r);

} // namespace quenda
