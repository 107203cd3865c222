#include "demo/JetSchreiber.h"

#include "demo/JetSeiten.h"
#include "demo/JetZeilen.h"
#include "util/QuendaError.h"

#include <QSaveFile>
#include <map>
#include <set>

namespace quenda::demo {

using namespace jetformat;

namespace {

constexpr double erstelltAm = 46023.0; // 1.1.2026: a fixed creation date keeps the output deterministic
constexpr quint32 kartenSeite = 1;     // the file's own usage map (of free pages: none here)
constexpr quint32 katalogSeite = 2;    // readers find the catalog's definition there
constexpr int kartenJeSeite = (seitengroesse - datenseiteKopf) / (umapZeile + 2);
constexpr int tdefKopf = 63;
constexpr int spalteneintrag = 25;
constexpr quint16 sortierung = 0x0409; // "General"

// Catalog ids of the containers; a table's id is the page of its definition.
constexpr qint64 wurzel = 0x0F000000;
constexpr qint64 tabellenOrdner = 0x0F000001;
constexpr qint64 datenbankenOrdner = 0x0F000002;
constexpr qint64 beziehungenOrdner = 0x0F000003;
constexpr qint64 datenbankObjekt = 0x10000000;
constexpr qint64 systemObjekt = -2147483647 - 1; // flag 0x80000000 as the signed Long it is stored in
constexpr qint64 typTabelle = 1;
constexpr qint64 typDatenbank = 2;
constexpr qint64 typOrdner = 3;

// Where one table's rows and long values went.
struct Lage {
    Zeilenformat format;
    quint32 tdef = 0;
    bool system = false;
    quint32 zeilen = 0;
    std::set<quint32> daten;
    std::map<int, std::set<quint32>> langwerte; // per memo column
    std::vector<QByteArray> karten;             // usage maps: the table's pages, pages with room, per memo column
    std::vector<Platz> kartenPlaetze;
};

// Lays out the rows of one table on new pages at the end of the file.
class Ablage {
public:
    Ablage(Seiten& seiten, Lage& lage) : m_seiten(seiten), m_lage(lage) {}

    // Appends a row to the table's last data page, or to a new one when it does not fit there or the last
    // page is the one to avoid.
    Platz ablegen(const QByteArray& zeile, quint16 flags = 0, quint32 meiden = 0) {
        if (!m_letzte || m_letzte == meiden || !Datenseite::passt(m_seiten[m_letzte], static_cast<int>(zeile.size()))) {
            neueDatenseite();
        }
        return {m_letzte, Datenseite::anfuegen(m_seiten[m_letzte], zeile, flags)};
    }

    // A memo value on long-value pages: one row when it fits a page, else a chain of page-filling rows.
    QByteArray auslagern(int spalte, const QByteArray& daten) {
        constexpr int eineZeile = seitengroesse - datenseiteKopf - 2;
        constexpr int jeGlied = eineZeile - 4; // each link starts with the pointer to the next
        QByteArray feld(memoKopf, '\0');
        std::set<quint32>& eigene = m_lage.langwerte[spalte];
        if (daten.size() <= eineZeile) {
            quint32& letzte = m_letzteLangwerte[spalte];
            if (!letzte || !Datenseite::passt(m_seiten[letzte], static_cast<int>(daten.size()))) {
                letzte = neueLangwertseite(eigene);
            }
            const Platz platz{letzte, Datenseite::anfuegen(m_seiten[letzte], daten)};
            put32(feld, 0, static_cast<quint32>(daten.size()) | memoEineZeile);
            put32(feld, 4, platz.zeiger());
            return feld;
        }
        std::vector<quint32> kette;
        for (qsizetype pos = 0; pos < daten.size(); pos += jeGlied) {
            kette.push_back(neueLangwertseite(eigene));
        }
        for (size_t i = 0; i < kette.size(); ++i) {
            QByteArray glied(4, '\0');
            put32(glied, 0, i + 1 < kette.size() ? Platz{kette[i + 1], 0}.zeiger() : 0);
            glied += daten.mid(static_cast<qsizetype>(i) * jeGlied, jeGlied);
            Datenseite::anfuegen(m_seiten[kette[i]], glied);
        }
        put32(feld, 0, static_cast<quint32>(daten.size()));
        put32(feld, 4, Platz{kette.front(), 0}.zeiger());
        return feld;
    }

    Auslagern auslagernFuer() {
        return [this](int spalte, const QByteArray& daten) { return auslagern(spalte, daten); };
    }

    void leereSeiteSichern() {
        if (!m_letzte) {
            neueDatenseite();
        }
    }

private:
    quint32 neueLangwertseite(std::set<quint32>& eigene) {
        const quint32 nr = m_seiten.neu();
        Datenseite::anlegen(m_seiten, nr, 0, true);
        eigene.insert(nr);
        return nr;
    }
    void neueDatenseite() {
        m_letzte = m_seiten.neu();
        Datenseite::anlegen(m_seiten, m_letzte, m_lage.tdef);
        m_lage.daten.insert(m_letzte);
    }

    Seiten& m_seiten;
    Lage& m_lage;
    quint32 m_letzte = 0;
    std::map<int, quint32> m_letzteLangwerte;
};

[[noreturn]] void bearbeitungFalsch(const Lage& lage, size_t index) {
    throw QuendaError(QStringLiteral("Tabelle %1: Zeile %2 gibt es nicht, oder sie ist schon gelöscht oder geändert")
                          .arg(lage.format.tabelle)
                          .arg(index));
}

// Deleted rows keep their slot with both flags; a changed row that no longer fits its slot moves to
// another page, flagged so that a scan skips it there, and its old slot points to it.
void bearbeiten(Seiten& seiten, Ablage& ablage, Lage& lage, const std::vector<Platz>& plaetze,
                const JetBearbeitung& bearbeitung) {
    std::vector<bool> angefasst(plaetze.size());
    const auto anfassen = [&](size_t index) {
        if (index >= plaetze.size() || angefasst[index]) {
            bearbeitungFalsch(lage, index);
        }
        angefasst[index] = true;
        return plaetze[index];
    };
    for (const size_t index : bearbeitung.geloescht) {
        const Platz platz = anfassen(index);
        Datenseite::flaggen(seiten[platz.seite], platz.zeile, geloescht | ausgelagert);
        --lage.zeilen;
    }
    for (const auto& [index, werte] : bearbeitung.geaendert) {
        const Platz platz = anfassen(index);
        const QByteArray zeile = zeilePacken(lage.format, werte, ablage.auslagernFuer());
        QByteArray& seite = seiten[platz.seite];
        const int anfang = Datenseite::anfang(seite, platz.zeile);
        const int laenge = Datenseite::laenge(seite, platz.zeile);
        if (zeile.size() <= laenge) {
            seite.replace(anfang, laenge, auffuellen(lage.format, zeile, laenge));
            continue;
        }
        const Platz neu = ablage.ablegen(zeile, geloescht, platz.seite);
        QByteArray zeiger(laenge, '\0');
        zeiger[0] = static_cast<char>(neu.zeile);
        put24(zeiger, 1, neu.seite);
        seiten[platz.seite].replace(anfang, laenge, zeiger);
        Datenseite::flaggen(seiten[platz.seite], platz.zeile, ausgelagert);
    }
    for (const JetZeile& werte : bearbeitung.hinzugefuegt) {
        ablage.ablegen(zeilePacken(lage.format, werte, ablage.auslagernFuer()));
        ++lage.zeilen;
    }
}

Lage anordnen(Seiten& seiten, const JetTabelle& tabelle, quint32 tdef, bool system) {
    Lage lage;
    lage.format = zeilenformat(tabelle.name, tabelle.spalten);
    lage.tdef = tdef;
    lage.system = system;
    Ablage ablage(seiten, lage);
    std::vector<Platz> plaetze;
    plaetze.reserve(tabelle.zeilen.size());
    for (const JetZeile& zeile : tabelle.zeilen) {
        plaetze.push_back(ablage.ablegen(zeilePacken(lage.format, zeile, ablage.auslagernFuer())));
    }
    lage.zeilen = static_cast<quint32>(plaetze.size());
    bearbeiten(seiten, ablage, lage, plaetze, tabelle.bearbeitung);
    ablage.leereSeiteSichern(); // every table owns a data page, an empty one too
    return lage;
}

// The usage maps of a table: its data pages, those with room for another row, and per memo column its
// long-value pages and those with room.
void kartenBilden(Seiten& seiten, Lage& lage) {
    const auto mitPlatz = [&](const std::set<quint32>& belegt) {
        std::set<quint32> frei;
        for (const quint32 nr : belegt) {
            if (Datenseite::passt(seiten[nr], 2 + lage.format.festGroesse + 8)) {
                frei.insert(nr);
            }
        }
        return frei;
    };
    lage.karten.push_back(nutzungskarte(seiten, lage.daten));
    lage.karten.push_back(nutzungskarte(seiten, mitPlatz(lage.daten)));
    for (size_t i = 0; i < lage.format.spalten.size(); ++i) {
        if (lage.format.spalten[i].typ == JetTyp::Memo) {
            const std::set<quint32>& belegt = lage.langwerte[static_cast<int>(i)];
            lage.karten.push_back(nutzungskarte(seiten, belegt));
            lage.karten.push_back(nutzungskarte(seiten, mitPlatz(belegt)));
        }
    }
}

void definitionSchreiben(Seiten& seiten, const Lage& lage) {
    QByteArray& s = seiten[lage.tdef];
    const Zeilenformat& f = lage.format;
    const int spalten = static_cast<int>(f.spalten.size());
    s[0] = 0x02;
    s[1] = 0x01;
    put32(s, 12, tabellenKennung);
    put32(s, 16, lage.zeilen);
    s[24] = 0x01;
    s[40] = lage.system ? 0x53 : 0x4e;
    put16(s, 41, static_cast<quint32>(spalten));
    put16(s, 43, static_cast<quint32>(f.varAnzahl));
    put16(s, 45, static_cast<quint32>(spalten));
    put32(s, 55, lage.kartenPlaetze[0].zeiger());
    put32(s, 59, lage.kartenPlaetze[1].zeiger());
    QByteArray rest;
    for (int i = 0; i < spalten; ++i) {
        const JetTyp typ = f.spalten[static_cast<size_t>(i)].typ;
        QByteArray e(spalteneintrag, '\0');
        e[0] = static_cast<char>(typCode(typ));
        put32(e, 1, tabellenKennung);
        put16(e, 5, static_cast<quint32>(i));
        put16(e, 7, static_cast<quint32>(std::max(0, f.varNummer[static_cast<size_t>(i)])));
        put16(e, 9, static_cast<quint32>(i));
        put16(e, 11, sortierung);
        e[15] = istFest(typ) ? 0x03 : 0x02;                               // fixed size; may be NULL
        e[16] = typ == JetTyp::Text || typ == JetTyp::Memo ? 0x01 : 0x00; // compressed text allowed
        put16(e, 21, static_cast<quint32>(std::max(0, f.festOffset[static_cast<size_t>(i)])));
        put16(e, 23, static_cast<quint32>(spaltenlaenge(typ)));
        rest += e;
    }
    for (const JetSpalte& spalte : f.spalten) {
        QByteArray name(2, '\0');
        for (const QChar c : spalte.name) {
            name.append(static_cast<char>(c.unicode() & 0xff)).append(static_cast<char>(c.unicode() >> 8));
        }
        put16(name, 0, static_cast<quint32>(name.size() - 2));
        rest += name;
    }
    size_t karte = 2;
    for (int i = 0; i < spalten; ++i) {
        if (f.spalten[static_cast<size_t>(i)].typ == JetTyp::Memo) {
            QByteArray e(10, '\0');
            put16(e, 0, static_cast<quint32>(i));
            put32(e, 2, lage.kartenPlaetze[karte++].zeiger());
            put32(e, 6, lage.kartenPlaetze[karte++].zeiger());
            rest += e;
        }
    }
    rest += QByteArray(2, '\xff');
    const int laenge = tdefKopf + static_cast<int>(rest.size());
    if (laenge > seitengroesse - 8) {
        throw QuendaError(QStringLiteral("Tabelle %1: zu viele Spalten für eine Definitionsseite").arg(f.tabelle));
    }
    s.replace(tdefKopf, rest.size(), rest);
    put32(s, 8, static_cast<quint32>(laenge));
    put16(s, 2, static_cast<quint32>(seitengroesse - laenge - 8));
}

JetTabelle katalog(const std::vector<JetTabelle>& tabellen, const std::vector<quint32>& tdefs) {
    const auto s = [](const char* name, JetTyp typ) { return JetSpalte{QString::fromLatin1(name), typ}; };
    JetTabelle k;
    k.name = QStringLiteral("MSysObjects");
    k.spalten = {s("Id", JetTyp::LongInteger),
                 s("ParentId", JetTyp::LongInteger),
                 s("Name", JetTyp::Text),
                 s("Type", JetTyp::Integer),
                 s("DateCreate", JetTyp::DatumZeit),
                 s("DateUpdate", JetTyp::DatumZeit),
                 s("Owner", JetTyp::Binaer),
                 s("Flags", JetTyp::LongInteger),
                 s("Database", JetTyp::Memo),
                 s("Connect", JetTyp::Memo),
                 s("ForeignName", JetTyp::Text),
                 s("RmtInfoShort", JetTyp::Binaer),
                 s("RmtInfoLong", JetTyp::Ole),
                 s("Lv", JetTyp::Ole),
                 s("LvProp", JetTyp::Ole),
                 s("LvModule", JetTyp::Ole),
                 s("LvExtra", JetTyp::Ole)};
    const auto objekt = [&](qint64 id, qint64 eltern, const QString& name, qint64 typ, qint64 flags) {
        JetZeile z(k.spalten.size());
        z[0] = id;
        z[1] = eltern;
        z[2] = name;
        z[3] = typ;
        z[4] = erstelltAm;
        z[5] = erstelltAm;
        z[7] = flags;
        k.zeilen.push_back(std::move(z));
    };
    objekt(tabellenOrdner, wurzel, QStringLiteral("Tables"), typOrdner, systemObjekt);
    objekt(datenbankenOrdner, wurzel, QStringLiteral("Databases"), typOrdner, systemObjekt);
    objekt(beziehungenOrdner, wurzel, QStringLiteral("Relationships"), typOrdner, systemObjekt);
    objekt(datenbankObjekt, datenbankenOrdner, QStringLiteral("MSysDb"), typDatenbank, systemObjekt);
    objekt(katalogSeite, tabellenOrdner, k.name, typTabelle, systemObjekt);
    for (size_t i = 0; i < tabellen.size(); ++i) {
        objekt(tdefs[i], tabellenOrdner, tabellen[i].name, typTabelle, 0);
    }
    return k;
}

size_t kartenzahl(const JetTabelle& tabelle) {
    size_t n = 2;
    for (const JetSpalte& spalte : tabelle.spalten) {
        n += spalte.typ == JetTyp::Memo ? 2 : 0;
    }
    return n;
}

} // namespace

void JetSchreiber::hinzufuegen(JetTabelle tabelle) {
    if (tabelle.name.isEmpty() || tabelle.spalten.empty()) {
        throw QuendaError(QStringLiteral("Eine Tabelle braucht einen Namen und Spalten."));
    }
    m_tabellen.push_back(std::move(tabelle));
}

QByteArray JetSchreiber::datei() const {
    Seiten seiten;
    seiten.neu(); // the header, written last
    Datenseite::anlegen(seiten, seiten.neu(), kartenSeite);
    seiten.neu(); // the catalog's definition
    const JetTabelle vorlage = katalog(m_tabellen, std::vector<quint32>(m_tabellen.size()));
    size_t karten = kartenzahl(vorlage);
    for (const JetTabelle& tabelle : m_tabellen) {
        karten += kartenzahl(tabelle);
    }
    std::vector<quint32> kartenseiten;
    for (size_t i = 0; i < karten; i += kartenJeSeite) {
        kartenseiten.push_back(seiten.neu());
        Datenseite::anlegen(seiten, kartenseiten.back(), 0);
    }
    std::vector<quint32> tdefs;
    for (size_t i = 0; i < m_tabellen.size(); ++i) {
        tdefs.push_back(seiten.neu());
    }
    std::vector<Lage> lagen;
    for (size_t i = 0; i < m_tabellen.size(); ++i) {
        lagen.push_back(anordnen(seiten, m_tabellen[i], tdefs[i], false));
        kartenBilden(seiten, lagen.back());
    }
    // The catalog's rows come last, so that a copy cut short misses the catalog and is seen as damaged.
    lagen.insert(lagen.begin(), anordnen(seiten, katalog(m_tabellen, tdefs), katalogSeite, true));
    kartenBilden(seiten, lagen.front());

    QByteArray& eigene = seiten[kartenSeite];
    Datenseite::anfuegen(eigene, nutzungskarte(seiten, {}));
    Datenseite::anfuegen(eigene, QByteArray(umapZeile, '\0'));
    size_t naechste = 0;
    for (Lage& lage : lagen) {
        for (const QByteArray& karte : lage.karten) {
            const quint32 seite = kartenseiten[naechste++ / kartenJeSeite];
            lage.kartenPlaetze.push_back({seite, Datenseite::anfuegen(seiten[seite], karte)});
        }
        definitionSchreiben(seiten, lage);
    }
    if (seiten.anzahl() > hoechstensSeiten) {
        throw QuendaError(QStringLiteral("Die Access-Datei würde größer als 2 GB."));
    }
    seiten[0] = kopfseite(erstelltAm);
    return seiten.alle();
}

void JetSchreiber::schreiben(const QString& pfad) const {
    const QByteArray inhalt = datei();
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size() || !datei.commit()) {
        throw QuendaError(QStringLiteral("%1 kann nicht geschrieben werden: %2").arg(pfad, datei.errorString()));
    }
}

} // namespace quenda::demo
