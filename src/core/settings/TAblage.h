// TAblage — the storage settings of both display targets
#pragma once

#include <QString>

namespace quenda {

// The webserver storage settings of the connected tournament (beamer/screen target "anzweb", mobile-phone
// target "pocko"). Owned by the main window on the UI thread; read by the cycle thread while a transfer
// runs, when nothing may change it.
struct TAblage {
    int aktiv = 0;            // beamer/screen transport: 1 directory, otherwise HTTP(S)
    QString verzeichnis;      // storage root in directory mode, ends in a separator
    QString host;             // base address of the webserver
    QString steuerdatei;      // folder of httppost.php on that server
    int anzweb = 0;           // 1 = beamer/screen target enabled
    int pocko = 0;            // 1 = mobile-phone target enabled
    int aktivpocko = 2;       // mobile-phone transport: 1 directory, otherwise HTTP(S)
    QString verzeichnispocko; // storage root of the mobile-phone target
    QString hostpocko;
    QString steuerdateipocko;
    QString impressum;   // URL of the legal notice of the mobile pages
    QString datenschutz; // URL of the privacy page
    QString dbzkd;       // suffix of the tournament's data folder "zkd" + dbzkd on the targets
    // Shared secrets of the control scripts (empty: none); without one, anyone who finds the script can
    // write files to the webserver.
    QString token;
    QString tokenpocko;

    bool operator==(const TAblage&) const = default;
};

} // namespace quenda
