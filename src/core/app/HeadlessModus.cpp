#include "app/HeadlessModus.h"

#include "db/TDM.h"
#include "db/Turnierauswahl.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>
#include <cstring>

namespace quenda::headless {

bool gewuenscht(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            return true;
        }
    }
    return false;
}

std::optional<HeadlessOptionen> optionenLesen(const QStringList& argumente, QString* fehler) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption headless(QStringLiteral("headless"));
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("PFAD"));
    const QCommandLineOption turnier(QStringLiteral("tournament"), QString(), QStringLiteral("ID"));
    const QCommandLineOption zyklen(QStringLiteral("cycles"), QString(), QStringLiteral("N"));
    const QCommandLineOption fake(QStringLiteral("fake-time"), QString(), QStringLiteral("ZEIT"));
    const QCommandLineOption resend(QStringLiteral("resend"));
    parser.addOptions({headless, db, turnier, zyklen, fake, resend});
    if (!parser.parse(argumente)) {
        *fehler = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *fehler = QStringLiteral("Unbekanntes Argument: ") + parser.positionalArguments().first();
        return std::nullopt;
    }
    HeadlessOptionen o;
    o.db = parser.value(db);
    o.resend = parser.isSet(resend);
    bool ok = true;
    if (parser.isSet(turnier)) {
        o.turnier = parser.value(turnier).toInt(&ok);
        if (!ok || o.turnier <= 0) {
            *fehler = QStringLiteral("--tournament erwartet eine Turnier-ID größer 0.");
            return std::nullopt;
        }
    }
    if (parser.isSet(zyklen)) {
        o.zyklen = parser.value(zyklen).toInt(&ok);
        if (!ok || o.zyklen < 0) {
            *fehler = QStringLiteral("--cycles erwartet eine Anzahl ab 0.");
            return std::nullopt;
        }
    }
    if (parser.isSet(fake)) {
        o.fakeZeit = parser.value(fake);
        try {
            datumzeit_lesen(o.fakeZeit);
        } catch (const ConversionError& e) {
            *fehler = QStringLiteral("--fake-time: ") + e.message();
            return std::nullopt;
        }
    }
    return o;
}

namespace {

void turniereAuflisten(const QList<turnierauswahl::Turnier>& liste, QTextStream& err) {
    err << "Turniere der Datenbank (--tournament ID):\n";
    for (const turnierauswahl::Turnier& t : liste) {
        err << "  " << t.t_id << "  " << t.tur_bez << '\n';
    }
}

} // namespace

int ausfuehren(const HeadlessOptionen& optionen, Programmuhr& uhr, QTextStream& out, QTextStream& err) {
    if (!optionen.fakeZeit.isEmpty()) {
        uhr.festsetzen(datumzeit_lesen(optionen.fakeZeit));
    }
    const QString dbpath = optionen.db.isEmpty() ? turnierauswahl::gespeicherterPfad() : optionen.db;
    TDM dm;
    try {
        if (!QFileInfo(dbpath).isFile()) {
            throw DatabaseError(QStringLiteral("Die Datenbank %1 wurde nicht gefunden.").arg(dbpath));
        }
        dm.oeffnen(dbpath);
    } catch (const QuendaError& e) {
        err << e.message() << '\n';
        return exitDatenbank;
    }
    try {
        const QList<turnierauswahl::Turnier> liste = turnierauswahl::turniere(dm);
        int id = optionen.turnier > 0 ? optionen.turnier : turnierauswahl::gespeicherteTurnierId();
        if (optionen.turnier <= 0 && (id <= 0 || !turnierauswahl::turnierVorhanden(dm, id))) {
            id = liste.size() == 1 ? liste.first().t_id : 0;
        }
        if (id <= 0 || !turnierauswahl::turnierVorhanden(dm, id)) {
            err << (id > 0 ? QStringLiteral("Das Turnier %1 gibt es in der Datenbank nicht.\n").arg(id)
                           : QStringLiteral("Bitte das Turnier mit --tournament wählen.\n"));
            turniereAuflisten(liste, err);
            return exitTurnier;
        }
        const QString tsdir = turnierauswahl::tsdirFuer(dbpath, id);
        turnierauswahl::tsdirAnlegen(tsdir);
        out << zeitText(uhr.jetzt()) << " Turnier " << id << " \"" << turnierauswahl::turnierName(dm, id)
            << "\" verbunden, Arbeitsordner " << tsdir << '\n';
    } catch (const QuendaError& e) {
        err << e.message() << '\n';
        return exitDatenbank;
    }
    err << "Der Daten-Transfer ist in dieser Version noch nicht verfügbar.\n";
    return exitOk;
}

} // namespace quenda::headless
