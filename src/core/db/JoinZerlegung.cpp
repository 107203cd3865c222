#include "db/JoinZerlegung.h"

#include <algorithm>

namespace quenda::jet::joins {

namespace {

// Nesting beyond this is left alone (and keeps the recursion shallow on any input).
constexpr int maxTiefe = 64;

} // namespace

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

bool JoinZerlegung::ist(size_t i, QStringView wort) const {
    return i < m_tokens.size() && m_tokens[i].art == Art::Wort &&
           QStringView(m_text)
                   .sliced(m_tokens[i].anfang, m_tokens[i].ende - m_tokens[i].anfang)
                   .compare(wort, Qt::CaseInsensitive) == 0;
}

bool JoinZerlegung::zeichen(size_t i, QChar c) const {
    return i < m_tokens.size() && m_tokens[i].art == Art::Zeichen && m_text[m_tokens[i].anfang] == c;
}

bool JoinZerlegung::schluesselwort(size_t i) const {
    static const QStringView woerter[] = {u"on",    u"left",   u"inner",   u"outer", u"join",  u"right",
                                          u"full",  u"cross",  u"natural", u"using", u"where", u"order",
                                          u"group", u"having", u"union",   u"limit", u"as",    u"select",
                                          u"from",  u"and",    u"or",      u"not"};
    return std::any_of(std::begin(woerter), std::end(woerter), [&](QStringView w) { return ist(i, w); });
}

bool JoinZerlegung::bezeichner(size_t i) const {
    return i < m_tokens.size() &&
           ((m_tokens[i].art == Art::Wort && !m_text[m_tokens[i].anfang].isDigit() && !schluesselwort(i)) ||
            m_tokens[i].art == Art::Klammer);
}

QString JoinZerlegung::name(size_t i) const {
    const Token& t = m_tokens[i];
    QString s = m_text.mid(t.anfang, t.ende - t.anfang);
    if (t.art == Art::Klammer) {
        s = s.mid(1, s.size() - 2);
    }
    return s.toLower();
}

bool JoinZerlegung::klauselEnde(size_t i) const {
    return i >= m_tokens.size() || zeichen(i, u')') || ist(i, u"where") || ist(i, u"order") || ist(i, u"group") ||
           ist(i, u"having") || ist(i, u"union") || ist(i, u"limit");
}

std::optional<Kette> JoinZerlegung::kette(size_t& i, int tiefe) const {
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
            } else if (ebene == 0 &&
                       (ist(i, u"left") || ist(i, u"inner") || ist(i, u"join") || ist(i, u"right") || ist(i, u"full") ||
                        ist(i, u"cross") || ist(i, u"natural") || zeichen(i, u',') || klauselEnde(i))) {
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

bool JoinZerlegung::operand(size_t& i, int tiefe, Operand& op) const {
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

std::optional<std::vector<std::pair<QString, QString>>> JoinZerlegung::gleichungen(size_t von, size_t bis) const {
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

bool JoinZerlegung::namenSammeln(const Operand& op, QSet<QString>& namen) {
    if (op.gruppe) {
        return namenSammeln(*op.gruppe, namen);
    }
    if (namen.contains(op.name)) {
        return false;
    }
    namen.insert(op.name);
    return true;
}

bool JoinZerlegung::namenSammeln(const Kette& k, QSet<QString>& namen) {
    bool eindeutig = namenSammeln(k.erstes, namen);
    for (const Schritt& s : k.schritte) {
        eindeutig = namenSammeln(s.rechts, namen) && eindeutig;
    }
    return eindeutig;
}

QString JoinZerlegung::ausgeben(const Kette& k) const {
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

QString JoinZerlegung::ausgeben(const Operand& op) const {
    if (op.gruppe) {
        return QStringLiteral("(") + ausgeben(*op.gruppe) + QStringLiteral(")");
    }
    return m_text.mid(op.anfang, op.ende - op.anfang);
}

} // namespace quenda::jet::joins
