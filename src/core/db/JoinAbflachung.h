#pragma once

#include <QString>

// The join flattening of the Jet dialect bridge, for speed only: Jet nests every join in parentheses, and a
// LEFT JOIN of a parenthesised group of LEFT JOINs costs SQLite a materialised table on every run.
//
// Statements it rewrites today: the starter field of a group (abfragen::starterfeld, singles and doubles);
// every other statement of the program comes back unchanged. Guarded by tests/core/export/FlacheJoinsTest.cpp
// (FlacheJoins: every export statement on generated tournaments, the flattened text gives the same columns,
// rows and order as the nested one, and exactly the starter field statements are changed), by the cases of
// tests/core/db/JetDialektTest.cpp (what is flattened and what is left alone), and by the fuzz target
// jet_dialekt (text is only moved, never changed). The parser is JoinZerlegung.
namespace quenda::jet {

// "A LEFT JOIN (B LEFT JOIN C ON q) ON p" becomes "A LEFT JOIN B ON p LEFT JOIN C ON q" where both give the
// same rows (the conditions are in JoinAbflachung.cpp); any other text comes back unchanged. Any thread.
QString joinsAbflachen(const QString& jetText);

} // namespace quenda::jet
