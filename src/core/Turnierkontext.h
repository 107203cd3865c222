#pragma once

#include <QString>

namespace quenda {

// What the subsystems need to know about the connected tournament. Set by the connection step on the
// UI thread; stable while a transfer runs (the database change is disabled then).
struct Turnierkontext {
    QString dbpath;    // the tournament database file
    int dbturid = 0;   // t_id of the chosen tournament, 0 = none
    QString dbturnier; // its name
    QString tsdir;     // working folder, no trailing separator
    QString apppath;   // the user's program folder, with trailing separator
};

} // namespace quenda
