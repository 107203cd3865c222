#pragma once

#include "util/Ergebnis.h"

#include <QString>
#include <QStringList>

class QTextStream;

namespace quenda {

class Programmuhr;

// The program without windows: options from the command line, connection without dialogs.
// Runs on the main thread of a QCoreApplication.
struct HeadlessOptionen {
    QString db;       // overrides the stored database path
    int turnier = 0;  // overrides the stored tournament id; 0 = not given
    int zyklen = -1;  // stop after this many cycles; -1 = until a signal
    QString fakeZeit; // the program clock starts here and moves 60 s per cycle
    bool resend = false;
};

namespace headless {

inline constexpr int exitOk = 0;
inline constexpr int exitDatenbank = 1;
inline constexpr int exitTurnier = 2;
inline constexpr int exitEinstellungen = 3;
inline constexpr int exitAufruf = 64;

// True when the arguments ask for the headless mode (decided before any application object exists).
bool gewuenscht(int argc, char** argv);

// Parses the arguments (argv[0] included); fails with the message for the user.
Ergebnis<HeadlessOptionen> optionenLesen(const QStringList& argumente);

// Connects and runs. Memo lines go to out, messages to err. Returns the exit status; settings of the
// working folder that do not load end the run before the first cycle (exitEinstellungen).
int ausfuehren(const HeadlessOptionen& optionen, Programmuhr& uhr, QTextStream& out, QTextStream& err);

} // namespace headless
} // namespace quenda
