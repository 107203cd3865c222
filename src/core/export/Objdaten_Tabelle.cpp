#include "db/TDM.h"
#include "export/Dateinamen.h"
#include "export/Direktervergleich.h"
#include "export/Exportabfragen.h"
#include "export/Gruppentabelle.h"
#include "export/Namensfeld.h"
#include "export/Objdatenexport.h"
#include "export/Optionen.h"
#include "export/Satz.h"

#include <QHash>
#include <array>

namespace quenda {

namespace {

QString tabellenergebnisse(int syf_id) {
    return QStringLiteral("SELECT sp.sp_idgv1, sp.sp_idgv2, erg.sg, erg.sv, erg.s1, erg.s2, erg.s3, erg.s4, erg.s5, "
                          "erg.s6, erg.s7, erg.status FROM sb_ergebnisse erg INNER JOIN sy_spiel sp ON erg.sp_id = "
                          "sp.sp_id WHERE erg.status=4 and (erg.sg>0 or erg.sv>0) and erg.syf_id=") +
           QString::number(syf_id);
}

// The first n characters (code points, as the display's single-byte text counts them).
QString gekuerzt(const QString& text, qsizetype n) {
    qsizetype ende = 0;
    for (qsizetype zeichen = 0; zeichen < n && ende < text.size(); ++zeichen) {
        ende += text.at(ende).isHighSurrogate() && ende + 1 < text.size() ? 2 : 1;
    }
    return text.left(ende);
}

Tabelleneintrag eintrag(const Abfrage& z) {
    Tabelleneintrag e;
    e.stf_id = z.feld(QStringLiteral("stf_id")).alsInt();
    e.posnr = z.feld(QStringLiteral("posnr")).alsInt();
    e.grnr = z.feld(QStringLiteral("grnr")).alsInt();
    e.stnr = gekuerzt(z.feld(QStringLiteral("stnr")).alsText(), 20);
    e.starter = gekuerzt(z.feld(QStringLiteral("starter")).alsText(), 200);
    e.verein = gekuerzt(z.feld(QStringLiteral("verein")).alsText(), 100);
    e.zd_gebiet = gekuerzt(z.feld(QStringLiteral("zd_gebiet")).alsText(), 50);
    e.sperre = z.feld(QStringLiteral("sperre")).alsInt();
    return e;
}

void gutschreiben(Tabelleneintrag& p, Tabelleneintrag& q, qint64 sg, qint64 sv, const Baelle& baelle) {
    // Equal set counts (inconsistent data) count as a win of the second player.
    Tabelleneintrag& sieger = sg > sv ? p : q;
    Tabelleneintrag& verlierer = sg > sv ? q : p;
    ++sieger.spieleGewonnen;
    ++verlierer.spieleVerloren;
    p.saetzeGewonnen += sg;
    p.saetzeVerloren += sv;
    q.saetzeGewonnen += sv;
    q.saetzeVerloren += sg;
    p.baelleGewonnen += baelle.erster;
    p.baelleVerloren += baelle.zweiter;
    q.baelleGewonnen += baelle.zweiter;
    q.baelleVerloren += baelle.erster;
}

} // namespace

void Objdatenexport::Objdaten_Tabelle(int al_id, int syf_id, int typ, int betrieb, const QString& stempel) {
    m_dm.SQLAbfrage2(abfragen::auslosungszeile(al_id));
    const Abfrage& zeile = m_dm.QuerySQL2;
    const Optionen sglopt(zeile.feld(QStringLiteral("sglopt")));
    const QString kn_bez = zeile.feld(QStringLiteral("kn_bez")).alsText();
    const QString sy_typ = zeile.feld(QStringLiteral("sy_typ")).alsText();

    // Any number of starters; results are credited by position number, whatever the numbering.
    std::vector<Tabelleneintrag> eintraege;
    QHash<int, std::size_t> nachPosition;
    m_dm.SQLAbfrage1(abfragen::starterfeld(syf_id, typ));
    for (Abfrage& starter = m_dm.QuerySQL1; !starter.eof(); starter.next()) {
        eintraege.push_back(eintrag(starter));
        if (!nachPosition.contains(eintraege.back().posnr)) { // a doubled position: its first starter
            nachPosition.insert(eintraege.back().posnr, eintraege.size() - 1);
        }
    }

    m_dm.SQLAbfrage1(tabellenergebnisse(syf_id));
    for (Abfrage& spiel = m_dm.QuerySQL1; !spiel.eof(); spiel.next()) {
        const int p = spiel.feld(QStringLiteral("sp_idgv1")).alsInt();
        const int q = spiel.feld(QStringLiteral("sp_idgv2")).alsInt();
        static const std::array<QString, 7> satzspalten = {
            QStringLiteral("s1"), QStringLiteral("s2"), QStringLiteral("s3"), QStringLiteral("s4"),
            QStringLiteral("s5"), QStringLiteral("s6"), QStringLiteral("s7")};
        std::array<QString, 7> saetze;
        for (std::size_t i = 0; i < saetze.size(); ++i) {
            saetze[i] = spiel.feld(satzspalten[i]).alsText();
        }
        const Baelle baelle = satzbaelle(saetze);
        const qint64 sg = spiel.feld(QStringLiteral("sg")).alsInt64();
        const qint64 sv = spiel.feld(QStringLiteral("sv")).alsInt64();
        if (!nachPosition.contains(p) || !nachPosition.contains(q)) {
            protokollieren(
                QStringLiteral("Tabelle Auslosung %1 Gruppe %2: Ergebnis der Positionen %3 und %4 "
                               "übergangen, die Gruppe hat dort keinen Starter.")
                    .arg(QString::number(al_id), QString::number(syf_id), QString::number(p), QString::number(q)));
            continue;
        }
        gutschreiben(eintraege[nachPosition.value(p)], eintraege[nachPosition.value(q)], sg, sv, baelle);
    }

    const bool mitBaellen = sglopt.an(optBaelle);
    Direktervergleich vergleich(m_dm, syf_id);
    tabelle_sort(eintraege, mitBaellen, [&vergleich](int x, int y) { return vergleich(x, y); });

    QStringList zeilen;
    for (std::size_t k = 0; k < eintraege.size(); ++k) {
        const Tabelleneintrag& e = eintraege[k];
        const QStringList felder = {
            kn_bez,
            QString::number(e.grnr),
            QString::number(k + 1),
            namensfeldStarter(klammerTeil(e.stnr, sglopt.an(optStartnummer)), e.starter,
                              klammerTeil(e.zd_gebiet, sglopt.an(optRegion))),
            sglopt.an(optVerein) ? e.verein : QString(),
            mitBaellen ? QString::number(e.baelleGewonnen) : QString(),
            mitBaellen ? QString::number(e.baelleVerloren) : QString(),
            QString::number(e.saetzeGewonnen),
            QString::number(e.saetzeVerloren),
            QString::number(e.spieleGewonnen),
            QString::number(e.spieleVerloren),
            QString::number(e.sperre),
            mitBaellen ? QStringLiteral("-1") : QStringLiteral("0"),
            QString::number(syf_id),
            sy_typ,
        };
        zeilen.append(felder.join(u'|'));
        tabspieleliste.append(zeilen.back());
    }

    abgeben(dateinamen::tabelle(al_id, eintraege.empty() ? gruppennummer(syf_id) : eintraege.front().grnr), zeilen,
            stempel, zielVonBetrieb(betrieb));
}

int Objdatenexport::gruppennummer(int syf_id) {
    // A group without starters names its file after its own number, not after a stale or missing slot.
    m_dm.SQLAbfrage2(abfragen::gruppennummer(syf_id));
    return m_dm.QuerySQL2.rowCount() == 0 ? 0 : m_dm.QuerySQL2.feld(QStringLiteral("grnr")).alsInt();
}

} // namespace quenda
