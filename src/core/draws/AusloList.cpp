#include "draws/AusloList.h"

#include "db/Abfrage.h"
#include "draws/IntervallDatei.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"

namespace quenda {

namespace {

int zahl(const Abfrage& zeile, const char16_t* spalte) {
    return zeile.feld(QString::fromUtf16(spalte)).alsInt();
}

QString text(const Abfrage& zeile, const char16_t* spalte) {
    return zeile.feld(QString::fromUtf16(spalte)).alsText();
}

// The part of the NEU/VORHANDEN lines after the time stamp and the word.
QString logZeile(const TAuslosung& a) {
    QString zeile = QStringLiteral(" [ID: ") + QString::number(a.syf_id) + QStringLiteral(" ] ");
    if (a.typdaten == typdatenGruppe) {
        zeile += QStringLiteral("Gr. ") + QString::number(a.gruppe) + QStringLiteral(" - ") + a.konkurrenz + u' ' +
                 a.auslosung_bez + QStringLiteral(" : ") + betriebText(a.betrieb);
    } else {
        zeile += a.konkurrenz;
    }
    return zeile;
}

} // namespace

int AusloList::FindAuslosung(int syf_id, int typdaten) const {
    for (size_t i = 0; i < m_eintraege.size(); ++i) {
        if (m_eintraege[i].typdaten == typdaten && m_eintraege[i].syf_id == syf_id) {
            return static_cast<int>(i) + 1;
        }
    }
    return nichtGefunden;
}

void AusloList::AusloList_Daten(TAuslosung& a, const Abfrage& zeile, int typ, int typdaten) {
    if (typdaten == typdatenGruppe) {
        a.konkurrenz = text(zeile, u"kn_bez");
        a.auslosung_bez = text(zeile, u"al_bez");
        a.gruppe = zahl(zeile, u"grnr");
        a.al_id = zahl(zeile, u"al_id");
        a.syf_id = zahl(zeile, u"syf_id");
        a.sy_typ = zahl(zeile, u"sy_typ");
        a.typ = zahl(zeile, u"typ");
        a.grmax = zahl(zeile, u"anz");
        a.betrieb = zahl(zeile, u"al_betrieb");
        a.typdaten = typdatenGruppe;
        a.kl_id = zahl(zeile, u"kl_id");
        // The interval statement has no game counts; the next pass fills them.
        if (typ == quelleErmittlung) {
            a.splerl = zahl(zeile, u"splerl");
            a.sploff = zahl(zeile, u"sploff");
        }
        return;
    }
    a.konkurrenz = text(zeile, u"kn_bez");
    a.auslosung_bez.clear();
    a.gruppe = 0;
    a.al_id = 0;
    a.syf_id = zahl(zeile, u"kn_id");
    a.sy_typ = 0;
    a.typ = zahl(zeile, u"typ");
    a.grmax = zahl(zeile, u"grmax");
    a.betrieb = 0;
    a.typdaten = typdatenTeilnehmer;
    a.kl_id = zahl(zeile, u"kl_id");
    a.splerl = 0;
    a.sploff = 0;
}

void AusloList::AusloList_Insert(const Abfrage& zeile, int typ, int typdaten, const AusloUmgebung& umgebung) {
    TAuslosung a;
    a.inserttime = zeitText(umgebung.uhr.jetzt());
    AusloList_Daten(a, zeile, typ, typdaten);
    const int gespeichert = typdaten == typdatenGruppe ? umgebung.intervalle.IntervallLoad(a.syf_id) : 0;
    a.intervall = gespeichert > 0 ? gespeichert : 1;
    a.aktdatetime = zeitText(umgebung.uhr.jetzt());
    a.updstatus = 0;
    if (typ == quelleErmittlung) {
        umgebung.protokoll.protokoll(a.inserttime + QStringLiteral(" NEU") + logZeile(a));
    }
    m_eintraege.push_back(std::move(a));
}

void AusloList::AusloList_Update(const Abfrage& zeile, int typ, int position, int typdaten,
                                 const AusloUmgebung& umgebung) {
    TAuslosung a = at(position);
    a.updatetime = zeitText(umgebung.uhr.jetzt());
    a.updstatus = 1;
    AusloList_Daten(a, zeile, typ, typdaten);
    if (typ == quelleErmittlung) {
        umgebung.protokoll.protokoll(a.updatetime + QStringLiteral(" VORHANDEN") + logZeile(at(position)));
    }
    at(position) = std::move(a);
}

void AusloList::AusloList_Delete(int position) {
    m_eintraege.erase(m_eintraege.begin() + (position - 1));
}

} // namespace quenda
