#pragma once

#include <QSet>
#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The parser of the join flattening (JoinAbflachung): splits a Jet statement into tokens, reads the join
// expression after a FROM into a tree and writes a tree back as text. It understands only what the
// flattening needs: tables with optional aliases, parenthesised join groups, [INNER|LEFT [OUTER]] JOIN ... ON,
// and ON conditions that are conjunctions of equalities between qualified columns. Used on the thread that
// opens the statement.
namespace quenda::jet::joins {

enum class Art { Wort, Klammer, Text, Zeichen };

struct Token {
    qsizetype anfang;
    qsizetype ende;
    Art art;
};

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

// Words, bracketed names, quoted texts and single characters; blanks separate them and are dropped.
std::vector<Token> zerlegen(const QString& text);

class JoinZerlegung {
public:
    // text must outlive the object.
    explicit JoinZerlegung(const QString& text) : m_text(text), m_tokens(zerlegen(text)) {}

    const std::vector<Token>& tokens() const { return m_tokens; }

    bool ist(size_t i, QStringView wort) const;
    bool zeichen(size_t i, QChar c) const;
    bool schluesselwort(size_t i) const;
    // A table or column name: a word that is no keyword and no number, or a name in brackets.
    bool bezeichner(size_t i) const;
    QString name(size_t i) const;
    // Where the FROM clause's join expression may end.
    bool klauselEnde(size_t i) const;

    // The join chain starting at token i; i ends after it. Nothing when the text is anything else.
    std::optional<Kette> kette(size_t& i, int tiefe) const;
    // A table with an optional alias, or a join group in parentheses.
    bool operand(size_t& i, int tiefe, Operand& op) const;
    // The tables each equality of a condition compares ("x.a = y.b AND (z.c = x.d)"), or nothing when the
    // condition is anything else.
    std::optional<std::vector<std::pair<QString, QString>>> gleichungen(size_t von, size_t bis) const;

    // Adds every table name of the expression; false when one repeats.
    static bool namenSammeln(const Operand& op, QSet<QString>& namen);
    static bool namenSammeln(const Kette& k, QSet<QString>& namen);

    // The chain as text: the tables, join keywords and conditions as written, one blank between them.
    QString ausgeben(const Kette& k) const;

private:
    QString ausgeben(const Operand& op) const;

    const QString& m_text;
    std::vector<Token> m_tokens;
};

} // namespace quenda::jet::joins
