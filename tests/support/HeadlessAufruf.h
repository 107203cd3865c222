#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace quenda::test {

// The environment for running one of our programs from a test: home, settings, caches and data below
// heim, so that a run neither reads nor changes the user's (stored database choice, snapshot cache,
// profiles), and no importer override, so the program finds its importer beside itself as users run it.
QProcessEnvironment isolierteUmgebung(const QString& heim);

// The arguments of `quenda --headless` on tournament 1 of db for the given number of cycles, on simulated
// time from fakeZeit ("yyyy-MM-dd hh:mm:ss") when one is given.
QStringList headlessAufruf(const QString& db, int zyklen, const QString& fakeZeit = {});

} // namespace quenda::test
