// quenda-demo: generates demo tournament databases and checks their integrity.

#include "demo/Generator.h"
#include "demo/Pruefung.h"
#include "demo/Zeit.h"

#include "util/QuendaError.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>
#include <optional>

using namespace quenda;
using namespace quenda::demo;

namespace {

void ausgeben(std::FILE* ziel, const QString& text) {
    std::fputs((text + u'\n').toLocal8Bit().constData(), ziel);
    std::fflush(ziel);
}

constexpr int fehlerStatus = 1;
constexpr int aufrufStatus = 2;

const QString nutzung =
    QStringLiteral("Aufruf:\n"
                   "  quenda-demo generate --out FILE [--seed N] [--size small|medium|large] [--now \"yyyy-mm-dd "
                   "hh:nn:ss\"]\n"
                   "  quenda-demo check FILE");

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

} // namespace

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
        if (befehl == u"check") {
            return pruefen(argumente);
        }
    } catch (const QuendaError& fehler) {
        ausgeben(stderr, fehler.message());
        return fehlerStatus;
    }
    return aufrufFehler(QStringLiteral("Unbekannter Befehl: ") + befehl);
}
