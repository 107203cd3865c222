// quenda-demo: generates demo tournament databases, plays them live and checks their integrity.

#include "demo/DemoPraesentation.h"
#include "demo/Generator.h"
#include "demo/JetAusSqlite.h"
#include "demo/JetSchreiber.h"
#include "demo/OrdnerAblage.h"
#include "demo/Pruefung.h"
#include "demo/Simulator.h"
#include "demo/Zeit.h"

#include "draws/AusloList.h"
#include "draws/IntervallDatei.h"
#include "settings/AblageDatei.h"
#include "util/QuendaError.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <thread>

using namespace quenda;
using namespace quenda::demo;

namespace {

volatile std::sig_atomic_t angehalten = 0;

void anhalten(int) {
    angehalten = 1;
}

void ausgeben(std::FILE* ziel, const QString& text) {
    std::fputs((text + u'\n').toLocal8Bit().constData(), ziel);
    std::fflush(ziel);
}

constexpr int fehlerStatus = 1;
constexpr int aufrufStatus = 2;

const QString nutzung = QStringLiteral(
    "Aufruf:\n"
    "  quenda-demo generate --out FILE [--seed N] [--size small|medium|large] [--now \"yyyy-mm-dd "
    "hh:nn:ss\"]\n"
    "  quenda-demo simulate FILE [--steps N | --seconds S] [--seed N] [--pause MS] [--now \"...\"] "
    "[--quiet]\n"
    "  quenda-demo check FILE\n"
    "  quenda-demo mdb SOURCE.sqlite TARGET.mdb [--since EARLIER.sqlite]   (Access-Datei, Jet 4)\n"
    "  quenda-demo ablage TSDIR --web ORDNER --pocko ORDNER [--sofort]   (Verzeichnis-Ablage für beide Ziele)\n"
    "  quenda-demo praesentation TSDIR --db FILE.sqlite [--tournament ID]   (Präsentation der Demo)");

int aufrufFehler(const QString& text) {
    ausgeben(stderr, text + u'\n' + nutzung);
    return aufrufStatus;
}

std::optional<quint64> zahlOption(const QCommandLineParser& parser, const QString& name) {
    bool ok = false;
    const quint64 wert = parser.value(name).toULongLong(&ok);
    return ok ? std::optional<quint64>(wert) : std::nullopt;
}

std::optional<QDateTime> zeitOption(const QCommandLineParser& parser, const QDateTime& ersatz) {
    if (!parser.isSet(QStringLiteral("now"))) {
        return ersatz;
    }
    return zeitLesen(parser.value(QStringLiteral("now")));
}

int generieren(const QStringList& argumente) {
    QCommandLineParser parser;
    parser.addOptions(
        {{QStringLiteral("out"), QStringLiteral("Zieldatei"), QStringLiteral("FILE")},
         {QStringLiteral("seed"), QStringLiteral("Startwert"), QStringLiteral("N"), QStringLiteral("1")},
         {QStringLiteral("size"), QStringLiteral("Größe"), QStringLiteral("SIZE"), QStringLiteral("small")},
         {QStringLiteral("now"), QStringLiteral("Bezugszeit"), QStringLiteral("TIME")}});
    if (!parser.parse(argumente)) {
        return aufrufFehler(parser.errorText());
    }
    Generator::Optionen optionen;
    const auto seed = zahlOption(parser, QStringLiteral("seed"));
    const auto groesse = groesseLesen(parser.value(QStringLiteral("size")));
    const auto jetzt = zeitOption(parser, optionen.jetzt);
    if (!parser.isSet(QStringLiteral("out")) || !seed || !groesse || !jetzt ||
        !parser.positionalArguments().isEmpty()) {
        return aufrufFehler(QStringLiteral("generate: --out, eine Zahl für --seed, small/medium/large für --size und "
                                           "\"yyyy-mm-dd hh:nn:ss\" für --now erwartet."));
    }
    optionen.seed = *seed;
    optionen.groesse = *groesse;
    optionen.jetzt = *jetzt;
    QElapsedTimer uhr;
    uhr.start();
    const Uebersicht uebersicht = Generator(optionen).erzeugen(parser.value(QStringLiteral("out")));
    ausgeben(stdout, uebersicht.text());
    ausgeben(stdout, QStringLiteral("%1 (%2, Startwert %3, Bezugszeit %4) in %5 ms geschrieben.")
                         .arg(parser.value(QStringLiteral("out")), groesseText(optionen.groesse))
                         .arg(optionen.seed)
                         .arg(zeitText(optionen.jetzt))
                         .arg(uhr.elapsed()));
    return 0;
}

int simulieren(const QStringList& argumente) {
    QCommandLineParser parser;
    parser.addOptions({{QStringLiteral("steps"), QStringLiteral("Schritte"), QStringLiteral("N")},
                       {QStringLiteral("seconds"), QStringLiteral("Laufzeit"), QStringLiteral("S")},
                       {QStringLiteral("seed"), QStringLiteral("Startwert"), QStringLiteral("N"), QStringLiteral("1")},
                       {QStringLiteral("pause"), QStringLiteral("Pause je Schritt"), QStringLiteral("MS")},
                       {QStringLiteral("now"), QStringLiteral("Uhrzeit des ersten Schritts"), QStringLiteral("TIME")},
                       {QStringLiteral("quiet"), QStringLiteral("keine Zeile je Schritt")}});
    if (!parser.parse(argumente)) {
        return aufrufFehler(parser.errorText());
    }
    const QStringList dateien = parser.positionalArguments();
    const bool nachSchritten = parser.isSet(QStringLiteral("steps"));
    const bool nachZeit = parser.isSet(QStringLiteral("seconds"));
    const auto schritte = zahlOption(parser, QStringLiteral("steps"));
    const auto sekunden = zahlOption(parser, QStringLiteral("seconds"));
    const auto seed = zahlOption(parser, QStringLiteral("seed"));
    // Steps run back to back by default; a timed run paces them like a tournament desk.
    const auto pause = parser.isSet(QStringLiteral("pause")) ? zahlOption(parser, QStringLiteral("pause"))
                                                             : std::optional<quint64>(nachZeit ? 1000 : 0);
    // Without --now the steps take the wall-clock time; with it the clock runs 30 s per step from there.
    const bool wanduhr = !parser.isSet(QStringLiteral("now"));
    const auto jetzt = zeitOption(parser, ortszeitJetzt());
    if (dateien.size() != 1 || (nachSchritten && nachZeit) || (nachSchritten && !schritte) || (nachZeit && !sekunden) ||
        !seed || !pause || !jetzt) {
        return aufrufFehler(QStringLiteral("simulate: eine Datei und höchstens eine von --steps/--seconds erwartet."));
    }
    Simulator::Optionen optionen;
    optionen.seed = *seed;
    optionen.jetzt = *jetzt;
    if (wanduhr) {
        optionen.sekundenJeSchritt = 0;
    }
    Simulator simulator(dateien.front(), optionen);
    std::signal(SIGINT, anhalten);
    std::signal(SIGTERM, anhalten);
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(sekunden.value_or(0));
    const bool leise = parser.isSet(QStringLiteral("quiet"));
    quint64 gezaehlt = 0;
    while (!angehalten) {
        if (nachSchritten && gezaehlt >= *schritte) {
            break;
        }
        if (nachZeit && std::chrono::steady_clock::now() >= ende) {
            break;
        }
        if (wanduhr) {
            simulator.stelleUhr(ortszeitJetzt());
        }
        const Simulator::Schritt schritt = simulator.schritt();
        ++gezaehlt;
        if (!leise) {
            ausgeben(stdout, zeitText(simulator.jetzt()) + u' ' + schritt.text);
        }
        // Sleep in slices, so that a signal ends the run promptly, but never inside a step.
        const auto weiter = std::chrono::steady_clock::now() + std::chrono::milliseconds(*pause);
        while (!angehalten && std::chrono::steady_clock::now() < weiter) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ausgeben(stdout, QStringLiteral("%1 Schritte simuliert.").arg(gezaehlt));
    return 0;
}

int pruefen(const QStringList& argumente) {
    QCommandLineParser parser;
    if (!parser.parse(argumente) || parser.positionalArguments().size() != 1) {
        return aufrufFehler(QStringLiteral("check: genau eine Datei erwartet."));
    }
    const Befund befund = pruefeDatei(parser.positionalArguments().front());
    if (!befund.ok()) {
        ausgeben(stdout, befund.text());
        ausgeben(stdout, QStringLiteral("%1 Verstöße.").arg(befund.fehler.size()));
        return fehlerStatus;
    }
    ausgeben(stdout, QStringLiteral("Die Datenbank ist in sich stimmig."));
    return 0;
}

// Every table of a SQLite tournament as an Access file, replaced atomically. With --since, the file holds the
// earlier state as laid out at a compaction and the changes since as a day of edits leaves them.
int mdbSchreiben(const QStringList& argumente) {
    QCommandLineParser parser;
    parser.addOptions({{QStringLiteral("since"), QStringLiteral("früherer Stand"), QStringLiteral("FILE")}});
    if (!parser.parse(argumente) || parser.positionalArguments().size() != 2) {
        return aufrufFehler(QStringLiteral("mdb: eine SQLite-Datei und eine Zieldatei erwartet."));
    }
    const QStringList dateien = parser.positionalArguments();
    QElapsedTimer uhr;
    uhr.start();
    JetSchreiber schreiber;
    qint64 zeilen = 0;
    qint64 geaendert = 0;
    for (JetTabelle& tabelle : jetTabellenAusSqlite(dateien.at(0), parser.value(QStringLiteral("since")))) {
        zeilen += static_cast<qint64>(tabelle.zeilen.size() + tabelle.bearbeitung.hinzugefuegt.size() -
                                      tabelle.bearbeitung.geloescht.size());
        geaendert += static_cast<qint64>(tabelle.bearbeitung.geloescht.size() + tabelle.bearbeitung.geaendert.size() +
                                         tabelle.bearbeitung.hinzugefuegt.size());
        schreiber.hinzufuegen(std::move(tabelle));
    }
    schreiber.schreiben(dateien.at(1));
    ausgeben(stdout, QStringLiteral("%1 geschrieben: %2 Zeilen, davon %3 seit dem früheren Stand geändert, in %4 ms.")
                         .arg(dateien.at(1))
                         .arg(zeilen)
                         .arg(geaendert)
                         .arg(uhr.elapsed()));
    return 0;
}

} // namespace

// Storage settings for a demo: both display targets enabled, delivered by copying into local folders.
int ablageSchreiben(const QStringList& argumente) {
    QCommandLineParser parser;
    parser.addOptions({{QStringLiteral("web"), QStringLiteral("Ablage Beamer/Bildschirm"), QStringLiteral("DIR")},
                       {QStringLiteral("pocko"), QStringLiteral("Ablage Mobiltelefon"), QStringLiteral("DIR")},
                       {QStringLiteral("sofort"), QStringLiteral("Sofort bei Änderung")}});
    if (!parser.parse(argumente) || parser.positionalArguments().size() != 1 || !parser.isSet(QStringLiteral("web")) ||
        !parser.isSet(QStringLiteral("pocko"))) {
        return aufrufFehler(parser.errorText());
    }
    const TAblage werte = ordnerAblage(parser.value(QStringLiteral("web")), parser.value(QStringLiteral("pocko")));
    TAblage ablage;
    const QString tsdir = parser.positionalArguments().first();
    QDir().mkpath(tsdir);
    Ablagesave(tsdir, ablage, werte, QStringLiteral("demo"), standardJetzt());
    ausgeben(stdout, QDir(tsdir).filePath(ablageDateiname()) + QStringLiteral(" geschrieben."));
    if (parser.isSet(QStringLiteral("sofort"))) {
        Intervallsave(tsdir, AusloList{}, true); // results reach the targets seconds after they are entered
        ausgeben(stdout, QDir(tsdir).filePath(intervallDateiname()) + QStringLiteral(" geschrieben."));
    }
    return 0;
}

// The demo's presentation (config_quenda.xml, message, pictures) in the working folder.
int praesentationSchreiben(const QStringList& argumente) {
    QCommandLineParser parser;
    parser.addOptions(
        {{QStringLiteral("db"), QStringLiteral("Turnierdatei (SQLite)"), QStringLiteral("FILE")},
         {QStringLiteral("tournament"), QStringLiteral("Turnier"), QStringLiteral("ID"), QStringLiteral("1")}});
    const auto turnier = parser.parse(argumente) ? zahlOption(parser, QStringLiteral("tournament")) : std::nullopt;
    if (!turnier || parser.positionalArguments().size() != 1 || !parser.isSet(QStringLiteral("db"))) {
        return aufrufFehler(QStringLiteral("praesentation: TSDIR und --db erwartet."));
    }
    const QString tsdir = parser.positionalArguments().first();
    demoPraesentationSchreiben(parser.value(QStringLiteral("db")), static_cast<int>(*turnier), tsdir);
    ausgeben(stdout, QDir(tsdir).filePath(QStringLiteral("config_quenda.xml")) + QStringLiteral(" geschrieben."));
    return 0;
}

int main(int argc, char** argv) {
    QStringList argumente;
    for (int i = 0; i < argc; ++i) {
        argumente.append(QString::fromLocal8Bit(argv[i]));
    }
    if (argumente.size() < 2) {
        return aufrufFehler(QStringLiteral("Kein Befehl angegeben."));
    }
    // QCommandLineParser takes the program name first; the command word is dropped.
    const QString befehl = argumente.takeAt(1);
    try {
        if (befehl == u"generate") {
            return generieren(argumente);
        }
        if (befehl == u"simulate") {
            return simulieren(argumente);
        }
        if (befehl == u"check") {
            return pruefen(argumente);
        }
        if (befehl == u"mdb") {
            return mdbSchreiben(argumente);
        }
        if (befehl == u"ablage") {
            return ablageSchreiben(argumente);
        }
        if (befehl == u"praesentation") {
            return praesentationSchreiben(argumente);
        }
    } catch (const QuendaError& fehler) {
        ausgeben(stderr, fehler.message());
        return fehlerStatus;
    }
    return aufrufFehler(QStringLiteral("Unbekannter Befehl: ") + befehl);
}
