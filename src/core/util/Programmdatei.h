#pragma once

#include <QString>

namespace quenda {

// Where the maker's version service is and where a new version can be downloaded.
struct Versionsdienst {
    QString server;   // host name of the version service, optionally with ":port"
    QString download; // address named in the new-version message
};

// The program's own values in quenda20.ini beside the program (section [quenda20], made from
// src/app/quenda20.ini.in). This is the one place that reads the file.
struct Programmdatei {
    QString version; // "4.0" without the file, "4.000" without the key
    Versionsdienst dienst;
};

// Reads quenda20.ini in the program's folder exepath; a missing key (or file) gives its default. Free
// function, any thread.
Programmdatei programmdateiLesen(const QString& exepath);

} // namespace quenda
