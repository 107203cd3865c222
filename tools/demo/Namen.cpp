#include "demo/Namen.h"

#include "demo/Zufall.h"

#include <QSet>
#include <array>

namespace quenda::demo {

namespace {

template <std::size_t N>
QString auswahl(Zufall& zufall, const std::array<const char16_t*, N>& liste) {
    return QString::fromUtf16(liste[static_cast<std::size_t>(zufall.bereich(0, static_cast<int>(N) - 1))]);
}

constexpr std::array<const char16_t*, 48> maennlich = {
    u"Jürgen",   u"Björn",   u"Günther", u"Lukas",     u"Jonas",  u"Felix",     u"Maximilian", u"Paul",
    u"Tim",      u"Niklas",  u"Sören",   u"Jörg",      u"Uwe",    u"Dirk",      u"Andreas",    u"Stefan",
    u"Matthias", u"Florian", u"Tobias",  u"Sebastian", u"Jan",    u"Moritz",    u"Leon",       u"Finn",
    u"Ben",      u"Elias",   u"Noah",    u"Luca",      u"Henrik", u"Malte",     u"Hauke",      u"Timo",
    u"Kai",      u"Ole",     u"Frank",   u"Rüdiger",   u"Bernd",  u"Jens",      u"Karl-Heinz", u"Thorsten",
    u"Mats",     u"Jannik",  u"Till",    u"Lennart",   u"Götz",   u"Hans-Jörg", u"Emil",       u"Anton"};

constexpr std::array<const char16_t*, 44> weiblich = {
    u"Jana",   u"Lea",    u"Anna",      u"Marie",        u"Sophie",  u"Käthe",  u"Sünje",     u"Maren", u"Katrin",
    u"Sabine", u"Ulrike", u"Birgit",    u"Annika",       u"Lena",    u"Hannah", u"Mia",       u"Emma",  u"Clara",
    u"Jule",   u"Zoë",    u"Charlotte", u"Frieda",       u"Greta",   u"Ida",    u"Merle",     u"Nele",  u"Rieke",
    u"Svenja", u"Tanja",  u"Jördis",    u"Anne-Kathrin", u"Bärbel",  u"Doris",  u"Heike",     u"Petra", u"Silke",
    u"Wiebke", u"Lotte",  u"Mareike",   u"Pia",          u"Marlene", u"Hülya",  u"Franziska", u"Gesine"};

constexpr std::array<const char16_t*, 80> nachnamen = {u"Müller",    u"Schmidt",
                                                       u"Schneider", u"Fischer",
                                                       u"Weber",     u"Meyer",
                                                       u"Wagner",    u"Becker",
                                                       u"Schulz",    u"Hoffmann",
                                                       u"Schäfer",   u"Koch",
                                                       u"Bauer",     u"Richter",
                                                       u"Klein",     u"Wolf",
                                                       u"Schröder",  u"Neumann",
                                                       u"Schwarz",   u"Zimmermann",
                                                       u"Braun",     u"Krüger",
                                                       u"Hofmann",   u"Hartmann",
                                                       u"Lange",     u"Schmitt",
                                                       u"Werner",    u"Schmitz",
                                                       u"Krause",    u"Meier",
                                                       u"Lehmann",   u"Köhler",
                                                       u"Herrmann",  u"König",
                                                       u"Walter",    u"Huber",
                                                       u"Kaiser",    u"Fuchs",
                                                       u"Peters",    u"Möller",
                                                       u"Weiß",      u"Jung",
                                                       u"Hahn",      u"Vogel",
                                                       u"Friedrich", u"Keller",
                                                       u"Günther",   u"Berger",
                                                       u"Winkler",   u"Roth",
                                                       u"Lorenz",    u"Baumann",
                                                       u"Böhm",      u"Jäger",
                                                       u"Groß",      u"Krämer",
                                                       u"Sommer",    u"Brandt",
                                                       u"Haas",      u"Schreiber",
                                                       u"Kühn",      u"Pohl",
                                                       u"Engel",     u"Horn",
                                                       u"Busch",     u"Bergmann",
                                                       u"Voigt",     u"Sauer",
                                                       u"Arnold",    u"Pfeiffer",
                                                       u"D'Angelo",  u"Öztürk",
                                                       u"Nußbaum",   u"Müller-Lüdenscheidt",
                                                       u"Dürr",      u"Fröhlich",
                                                       u"Gräf",      u"Kößler",
                                                       u"O'Connor",  u"Çelik"};

constexpr std::array<const char16_t*, 10> vereinsArten = {u"TTC", u"TSV",   u"TuS", u"SV",  u"DJK",
                                                          u"TTG", u"SpVgg", u"VfL", u"TTF", u"SC"};

constexpr std::array<const char16_t*, 12> vereinsBeinamen = {u"Grün-Weiß", u"Blau-Weiß", u"Eintracht", u"Fortuna",
                                                             u"Germania",  u"Concordia", u"Jahn",      u"Rot-Gold",
                                                             u"Union",     u"Falke",     u"Blitz",     u""};

constexpr std::array<const char16_t*, 40> orte = {
    u"Köln-Sülz", u"Lüdinghausen", u"Bückeburg",    u"Ölbronn",      u"Füssen",          u"Görlitz",      u"Dörverden",
    u"Münster",   u"Würzburg",     u"Tübingen",     u"Saarbrücken",  u"Lörrach",         u"Jülich",       u"Nürtingen",
    u"Ilmenau",   u"Plön",         u"Bad Dürkheim", u"Königswinter", u"Hürth",           u"Gütersloh",    u"Neuß",
    u"Düren",     u"Ahrensbök",    u"Mölln",        u"Lübbecke",     u"Schwäbisch Hall", u"Weißenfels",   u"Zülpich",
    u"Höxter",    u"Überlingen",   u"Fürth",        u"Bünde",        u"Wächtersbach",    u"Straßkirchen", u"Kempen",
    u"Hagen",     u"Ratingen",     u"Emden",        u"Passau",       u"Rheine"};

} // namespace

Name zufallsName(Zufall& zufall, bool istWeiblich) {
    const QString vorname = istWeiblich ? auswahl(zufall, weiblich) : auswahl(zufall, maennlich);
    return {auswahl(zufall, nachnamen), vorname};
}

QStringList vereinsNamen(Zufall& zufall, int anzahl, const QStringList& vorhandene) {
    QSet<QString> vergeben(vorhandene.begin(), vorhandene.end());
    QStringList namen;
    while (namen.size() < anzahl) {
        const QString beiname = auswahl(zufall, vereinsBeinamen);
        QString name = auswahl(zufall, vereinsArten) + u' ';
        if (!beiname.isEmpty()) {
            name += beiname + u' ';
        }
        name += auswahl(zufall, orte);
        if (vergeben.contains(name)) {
            continue;
        }
        vergeben.insert(name);
        namen.append(name);
    }
    return namen;
}

QStringList regionen() {
    return {QStringLiteral("Westfalen"),
            QStringLiteral("Rheinland"),
            QStringLiteral("Baden"),
            QStringLiteral("Württemberg"),
            QStringLiteral("Bayern"),
            QStringLiteral("Niedersachsen"),
            QStringLiteral("Hessen"),
            QStringLiteral("Sachsen"),
            QStringLiteral("Thüringen"),
            QStringLiteral("Saarland"),
            QStringLiteral("Schleswig-Holstein"),
            QStringLiteral("Mecklenburg-Vorpommern")};
}

QStringList fremdRegionen() {
    return {QStringLiteral("Kreis Nord"), QStringLiteral("Kreis Süd")};
}

} // namespace quenda::demo
