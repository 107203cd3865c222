#include "db/JetDialekt.h"

#include <QSet>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

// Jet nests every join in parentheses. SQLite turns a parenthesised join into a subquery and cannot
// flatten one that is the right operand of a LEFT JOIN: it materialises the whole group (every row of its
// tables) and indexes it on each run. A LEFT JOIN of a group of LEFT JOINs is written as a flat chain here
// when that is the same relation:
//
//   A LEFT JOIN (B LEFT JOIN C ON q) ON p   ==   (A LEFT JOIN B ON p) LEFT JOIN C ON q
//
// holds when p refers only to A and B, and q refers only to B and C and is never true for a row of B that
// is all NULL (then an A row without a B partner stays one row with NULL for B and C on both sides). Both
// are checked on the text: every ON must be a conjunction of equalities between qualified columns, and q
// must compare at least one column of the tables before C. Anything else (INNER JOIN in the group, other
// operators, subqueries, USING, comma joins, names that repeat) leaves the FROM clause as it is.

namespace quenda::jet {

namespace {

enum class Art { Wort, Klammer, Text, Zeichen };

struct Token {
    qsizetype anfang;
    qsizetype ende;
    Art art;
};

std::vector<Token> zerlegen(const QString& text) {
    std::vector<Token> tokens;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        const qsizetype anfang = i;
        if (c == u'\'' || c == u'"' || c == u'[') {
            const QChar schluss = c == u'[' ? QChar(u']') : c;
            ++i;
            while (i < n && text[i] != schluss) {
                ++i;
            }
            i = std::min(i + 1, n);
            tokens.push_back({anfang, i, c == u'[' ? Art::Klammer : Art::Text});
        } else if (c.isLetterOrNumber() || c == u'_') {
            while (i < n && (text[i].isLetterOrNumber() || text[i] == u'_')) {
                ++i;
            }
            tokens.push_back({anfang, i, Art::Wort});
        } else {
            ++i;
            tokens.push_back({anfang, i, Art::Zeichen});
        }
    }
    return tokens;
}

struct Kette;

struct Operand {
    qsizetype anfang = 0; // a table: its name and alias in the text
    qsizetype ende = 0;
    QString name; // the name the statement refers to it by, lower case
    std::unique_ptr<Kette> gruppe;
};

struct Schritt {
    bool links = false;      // LEFT [OUTER] JOIN
    qsizetype artAnfang = 0; // the join keywords in the text
    qsizetype artEnde = 0;
    Operand rechts;
    qsizetype onAnfang = 0;  // ON as written
    qsizetype bedAnfang = 0; // the ON condition (without ON) in the text
    qsizetype bedEnde = 0;
    size_t bedToken = 0; // first and end token of the condition
    size_t bedTokenEnde = 0;
};

struct Kette {
    Operand erstes;
    std::vector<Schritt> schritte;
};

// Nesting beyond this is left alone (and keeps the recursion shallow on any input).
constexpr int maxTiefe = 64;

class Leser {
public:
    Leser(const QString& text, const std::vector<Token>& tokens) : m_text(text), m_tokens(tokens) {}

    bool ist(size_t i, QStringView wort) const {
        return i < m_tokens.size() && m_tokens[i].art == Art::Wort &&
               QStringView(m_text)
                       .sliced(m_tokens[i].anfang, m_tokens[i].ende - m_tokens[i].anfang)
                       .compare(wort, Qt::CaseInsensitive) == 0;
    }
    bool zeichen(size_t i, QChar c) const {
        return i < m_tokens.size() && m_tokens[i].art == Art::Zeichen && m_text[m_tokens[i].anfang] == c;
    }
    bool schluesselwort(size_t i) const {
        static const QStringView woerter[] = {u"on",    u"left",   u"inner",   u"outer", u"join",  u"right",
                                              u"full",  u"cross",  u"natural", u"using", u"where", u"order",
                                              u"group", u"having", u"union",   u"limit", u"as",    u"select",
                                              u"from",  u"and",    u"or",      u"not"};
        return std::any_of(std::begin(woerter), std::end(woerter), [&](QStringView w) { return ist(i, w); });
    }
    // A table or column name: a word that is no keyword and no number, or a name in brackets.
    bool bezeichner(size_t i) const {
        return i < m_tokens.size() &&
               ((m_tokens[i].art == Art::Wort && !m_text[m_tokens[i].anfang].isDigit() && !schluesselwort(i)) ||
                m_tokens[i].art == Art::Klammer);
    }
    QString name(size_t i) const {
        const Token& t = m_tokens[i];
        QString s = m_text.mid(t.anfang, t.ende - t.anfang);
        if (t.art == Art::Klammer) {
            s = s.mid(1, s.size() - 2);
        }
        return s.toLower();
    }
    // Where the FROM clause's join expression may end.
    bool klauselEnde(size_t i) const {
        return i >= m_tokens.size() || zeichen(i, u')') || ist(i, u"where") || ist(i, u"order") || ist(i, u"group") ||
               ist(i, u"having") || ist(i, u"union") || ist(i, u"limit");
    }

    std::optional<Kette> kette(size_t& i, int tiefe) {
        if (tiefe > maxTiefe) {
            return std::nullopt;
        }
        Kette k;
        if (!operand(i, tiefe, k.erstes)) {
            return std::nullopt;
        }
        while (true) {
            Schritt s;
            s.artAnfang = i < m_tokens.size() ? m_tokens[i].anfang : 0;
            if (ist(i, u"left")) {
                s.links = true;
                ++i;
                if (ist(i, u"outer")) {
                    ++i;
                }
            } else if (ist(i, u"inner")) {
                ++i;
            } else if (!ist(i, u"join")) {
                return k; // the end of this chain; the caller checks what follows
            }
            if (!ist(i, u"join")) {
                return std::nullopt;
            }
            s.artEnde = m_tokens[i].ende;
            ++i;
            if (!operand(i, tiefe, s.rechts) || !ist(i, u"on")) {
                return std::nullopt;
            }
            s.onAnfang = m_tokens[i].anfang;
            ++i;
            s.bedToken = i;
            int ebene = 0;
            while (i < m_tokens.size()) {
                if (zeichen(i, u'(')) {
                    ++ebene;
                } else if (zeichen(i, u')')) {
                    if (ebene == 0) {
                        break;
                    }
                    --ebene;
                } else if (ebene == 0 && (ist(i, u"left") || ist(i, u"inner") || ist(i, u"join") || ist(i, u"right") ||
                                          ist(i, u"full") || ist(i, u"cross") || ist(i, u"natural") ||
                                          zeichen(i, u',') || klauselEnde(i))) {
                    break;
                }
                ++i;
            }
            if (i == s.bedToken) {
                return std::nullopt;
            }
            s.bedTokenEnde = i;
            s.bedAnfang = m_tokens[s.bedToken].anfang;
            s.bedEnde = m_tokens[i - 1].ende;
            k.schritte.push_back(std::move(s));
        }
    }

    // A table with an optional alias, or a join group in parentheses.
    bool operand(size_t& i, int tiefe, Operand& op) {
        if (zeichen(i, u'(')) {
            ++i;
            auto innen = kette(i, tiefe + 1);
            if (!innen || !zeichen(i, u')')) {
                return false;
            }
            ++i;
            if (bezeichner(i) || ist(i, u"as")) {
                return false; // an aliased group is a subquery of its own
            }
            op.gruppe = std::make_unique<Kette>(std::move(*innen));
            return true;
        }
        if (!bezeichner(i)) {
            return false; // also "(SELECT", which starts with a keyword
        }
        op.anfang = m_tokens[i].anfang;
        op.name = name(i);
        ++i;
        if (zeichen(i, u'.')) {
            return false; // schema-qualified tables do not occur
        }
        if (ist(i, u"as")) {
            ++i;
            if (!bezeichner(i)) {
                return false;
            }
        }
        if (bezeichner(i)) {
            op.name = name(i);
            ++i;
        }
        op.ende = m_tokens[i - 1].ende;
        return true;
    }

    // The tables each equality of a condition compares ("x.a = y.b AND (z.c = x.d)"), or nothing when the
    // condition is anything else.
    std::optional<std::vector<std::pair<QString, QString>>> gleichungen(size_t von, size_t bis) const {
        std::vector<std::pair<QString, QString>> ergebnis;
        size_t i = von;
        int ebene = 0;
        const auto spalte = [&](QString& tabelle) {
            if (!bezeichner(i) || !zeichen(i + 1, u'.') || !bezeichner(i + 2)) {
                return false;
            }
            tabelle = name(i);
            i += 3;
            return true;
        };
        while (true) {
            while (i < bis && zeichen(i, u'(')) {
                ++ebene;
                ++i;
            }
            QString links;
            QString rechts;
            if (!spalte(links) || !zeichen(i, u'=')) {
                return std::nullopt;
            }
            ++i;
            if (!spalte(rechts)) {
                return std::nullopt;
            }
            ergebnis.emplace_back(links, rechts);
            while (i < bis && zeichen(i, u')')) {
                --ebene;
                ++i;
            }
            if (ebene < 0 || i > bis) {
                return std::nullopt;
            }
            if (i == bis) {
                break;
            }
            if (!ist(i, u"and")) {
                return std::nullopt;
            }
            ++i;
        }
        if (ebene != 0) {
            return std::nullopt;
        }
        return ergebnis;
    }

    // Flattens every group that may be flattened, innermost first; true when anything changed.
    bool abflachen(Kette& k) {
        bool geaendert = false;
        if (k.erstes.gruppe) {
            geaendert |= abflachen(*k.erstes.gruppe);
        }
        std::vector<Schritt> neu;
        QSet<QString> links;
        namenSammeln(k.erstes, links);
        for (Schritt& s : k.schritte) {
            if (s.rechts.gruppe) {
                geaendert |= abflachen(*s.rechts.gruppe);
            }
            if (s.links && s.rechts.gruppe) {
                Kette g = aufreihen(std::move(*s.rechts.gruppe));
                if (flachGleich(g, s, links)) {
                    Schritt erster = std::move(s);
                    erster.rechts = std::move(g.erstes);
                    namenSammeln(erster.rechts, links);
                    neu.push_back(std::move(erster));
                    for (Schritt& t : g.schritte) {
                        namenSammeln(t.rechts, links);
                        neu.push_back(std::move(t));
                    }
                    geaendert = true;
                    continue;
                }
                s.rechts.gruppe = std::make_unique<Kette>(std::move(g));
            }
            namenSammeln(s.rechts, links);
            neu.push_back(std::move(s));
        }
        k.schritte = std::move(neu);
        return geaendert;
    }

    // Adds every table name of the expression; false when one repeats.
    static bool namenSammeln(const Operand& op, QSet<QString>& namen) {
        if (op.gruppe) {
            return namenSammeln(*op.gruppe, namen);
        }
        if (namen.contains(op.name)) {
            return false;
        }
        namen.insert(op.name);
        return true;
    }
    static bool namenSammeln(const Kette& k, QSet<QString>& namen) {
        bool eindeutig = namenSammeln(k.erstes, namen);
        for (const Schritt& s : k.schritte) {
            eindeutig = namenSammeln(s.rechts, namen) && eindeutig;
        }
        return eindeutig;
    }

    QString ausgeben(const Kette& k) const {
        QString text = ausgeben(k.erstes);
        for (const Schritt& s : k.schritte) {
            text.append(u' ');
            text.append(QStringView(m_text).sliced(s.artAnfang, s.artEnde - s.artAnfang));
            text.append(u' ');
            text.append(ausgeben(s.rechts));
            text.append(u' ');
            text.append(QStringView(m_text).sliced(s.onAnfang, 2));
            text.append(u' ');
            text.append(QStringView(m_text).sliced(s.bedAnfang, s.bedEnde - s.bedAnfang));
        }
        return text;
    }

private:
    QString ausgeben(const Operand& op) const {
        if (op.gruppe) {
            return QStringLiteral("(") + ausgeben(*op.gruppe) + QStringLiteral(")");
        }
        return m_text.mid(op.anfang, op.ende - op.anfang);
    }

    // A join is evaluated left to right, so a group that opens a chain needs no parentheses.
    static Kette aufreihen(Kette k) {
        while (k.erstes.gruppe) {
            Kette innen = std::move(*k.erstes.gruppe);
            for (Schritt& s : k.schritte) {
                innen.schritte.push_back(std::move(s));
            }
            k = std::move(innen);
        }
        return k;
    }

    // Whether "left LEFT JOIN (g) ON s" equals the flat chain "left LEFT JOIN g.erstes ON s ... g.schritte".
    bool flachGleich(const Kette& g, const Schritt& s, const QSet<QString>& links) const {
        QSet<QString> davor{g.erstes.name};
        const auto aussen = gleichungen(s.bedToken, s.bedTokenEnde);
        if (!aussen) {
            return false;
        }
        for (const auto& [a, b] : *aussen) {
            if (!(links.contains(a) || davor.contains(a)) || !(links.contains(b) || davor.contains(b))) {
                return false;
            }
        }
        for (const Schritt& t : g.schritte) {
            if (!t.links || t.rechts.gruppe) {
                return false;
            }
            const auto innen = gleichungen(t.bedToken, t.bedTokenEnde);
            if (!innen) {
                return false;
            }
            bool nullAbweisend = false;
            for (const auto& [a, b] : *innen) {
                const auto inGruppe = [&](const QString& n) { return davor.contains(n) || n == t.rechts.name; };
                if (!inGruppe(a) || !inGruppe(b)) {
                    return false;
                }
                nullAbweisend = nullAbweisend || davor.contains(a) || davor.contains(b);
            }
            if (!nullAbweisend) {
                return false;
            }
            davor.insert(t.rechts.name);
        }
        return true;
    }

    const QString& m_text;
    const std::vector<Token>& m_tokens;
};

} // namespace

QString joinsAbflachen(const QString& jetText) {
    if (!jetText.contains(QStringLiteral("join"), Qt::CaseInsensitive)) {
        return jetText;
    }
    const std::vector<Token> tokens = zerlegen(jetText);
    Leser leser(jetText, tokens);
    struct Ersatz {
        qsizetype anfang;
        qsizetype ende;
        QString text;
    };
    std::vector<Ersatz> ersetzungen;
    for (size_t f = 0; f < tokens.size(); ++f) {
        if (!leser.ist(f, u"from")) {
            continue;
        }
        size_t i = f + 1;
        auto k = leser.kette(i, 0);
        if (!k || i == f + 1 || !leser.klauselEnde(i)) {
            continue;
        }
        // A name used twice would refer elsewhere once the parentheses are gone.
        QSet<QString> namen;
        if (Leser::namenSammeln(*k, namen) && leser.abflachen(*k)) {
            ersetzungen.push_back({tokens[f + 1].anfang, tokens[i - 1].ende, leser.ausgeben(*k)});
        }
    }
    // A FROM inside a condition of another FROM's chain: change neither.
    QString ergebnis = jetText;
    for (size_t e = ersetzungen.size(); e-- > 0;) {
        const bool ueberlappt = std::any_of(ersetzungen.begin(), ersetzungen.end(), [&](const Ersatz& x) {
            return &x != &ersetzungen[e] && x.anfang < ersetzungen[e].ende && ersetzungen[e].anfang < x.ende;
        });
        if (!ueberlappt) {
            ergebnis.replace(ersetzungen[e].anfang, ersetzungen[e].ende - ersetzungen[e].anfang, ersetzungen[e].text);
        }
    }
    return ergebnis;
}

} // namespace quenda::jet
