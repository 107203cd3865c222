#include "presentation/ConfigDatei.h"

#include "presentation/Knotentexte.h"
#include "settings/XmlKonfig.h"
#include "util/Dateiersatz.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

#include <QDir>
#include <QFileInfo>
#include <limits>

namespace quenda {

namespace {

// Attribute value escaping; line breaks and tabs as character references so they survive a round trip,
// other control characters (which XML 1.0 cannot carry) are left out.
QString maskiert(const QString& wert) {
    QString text;
    text.reserve(wert.size());
    for (const QChar c : wert) {
        switch (c.unicode()) {
        case u'&':
            text += QStringLiteral("&amp;");
            break;
        case u'<':
            text += QStringLiteral("&lt;");
            break;
        case u'>':
            text += QStringLiteral("&gt;");
            break;
        case u'"':
            text += QStringLiteral("&quot;");
            break;
        case u'\t':
            text += QStringLiteral("&#9;");
            break;
        case u'\n':
            text += QStringLiteral("&#10;");
            break;
        case u'\r':
            text += QStringLiteral("&#13;");
            break;
        default:
            if (c.unicode() >= 0x20) {
                text += c;
            }
        }
    }
    return text;
}

class Schreiber {
public:
    void oeffnen(int tiefe, const QString& name) { anfang(tiefe, name); }
    void attribut(const QString& name, const QString& wert) {
        m_text += u' ' + name + QStringLiteral("=\"") + maskiert(wert) + u'"';
    }
    void attribut(const QString& name, int wert) { attribut(name, QString::number(wert)); }
    // Ends the start tag: self-closing when the element has no children.
    void kopfEnde(bool kinder) { m_text += kinder ? QStringLiteral(">\r\n") : QStringLiteral("/>\r\n"); }
    void schliessen(int tiefe, const QString& name) {
        m_text += QString(2 * tiefe, u' ') + QStringLiteral("</") + name + QStringLiteral(">\r\n");
    }
    QString m_text;

private:
    void anfang(int tiefe, const QString& name) { m_text += QString(2 * tiefe, u' ') + u'<' + name; }
};

void lageSchreiben(Schreiber& s, int id, int x, int y, int wd, int hg) {
    s.attribut(QStringLiteral("id"), id);
    s.attribut(QStringLiteral("x"), x);
    s.attribut(QStringLiteral("y"), y);
    s.attribut(QStringLiteral("wd"), wd);
    s.attribut(QStringLiteral("hg"), hg);
}

void objektSchreiben(Schreiber& s, const TPObjekt& o) {
    const QString name = QStringLiteral("objekt");
    s.oeffnen(4, name);
    s.attribut(QStringLiteral("id"), o.id);
    s.attribut(QStringLiteral("objid"), o.objid);
    s.attribut(QStringLiteral("dauer"), o.dauer);
    s.attribut(QStringLiteral("fontgr"), o.fontgr);
    s.attribut(QStringLiteral("werbungimage"), o.werbungimage);
    s.kopfEnde(!o.AuslosungList.empty());
    for (const TAuslo& a : o.AuslosungList) {
        s.oeffnen(5, QStringLiteral("auslosung"));
        s.attribut(QStringLiteral("id"), a.id);
        s.attribut(QStringLiteral("aslid"), a.aslid);
        s.attribut(QStringLiteral("typ"), a.typ);
        s.kopfEnde(false);
    }
    if (!o.AuslosungList.empty()) {
        s.schliessen(4, name);
    }
}

void bereichSchreiben(Schreiber& s, const TBereich& r) {
    const QString name = QStringLiteral("bereich");
    s.oeffnen(3, name);
    lageSchreiben(s, r.id, r.x, r.y, r.wd, r.hg);
    s.attribut(QStringLiteral("sc"), r.sc);
    s.attribut(QStringLiteral("nd"), r.nd);
    s.attribut(QStringLiteral("gd"), r.gd);
    s.attribut(QStringLiteral("rh"), r.rh);
    s.attribut(QStringLiteral("backgroundimage"), r.backgroundimage);
    s.kopfEnde(!r.ObjektList.empty());
    for (const TPObjekt& o : r.ObjektList) {
        objektSchreiben(s, o);
    }
    if (!r.ObjektList.empty()) {
        s.schliessen(3, name);
    }
}

void ebeneSchreiben(Schreiber& s, const TEbene& e) {
    const QString name = QStringLiteral("ebene");
    s.oeffnen(2, name);
    lageSchreiben(s, e.id, e.x, e.y, e.wd, e.hg);
    s.attribut(QStringLiteral("beginn"), e.beginn);
    s.attribut(QStringLiteral("dauer"), e.dauer);
    s.attribut(QStringLiteral("border"), e.border);
    s.attribut(QStringLiteral("backgroundimage"), e.backgroundimage);
    s.kopfEnde(!e.BereichList.empty());
    for (const TBereich& r : e.BereichList) {
        bereichSchreiben(s, r);
    }
    if (!e.BereichList.empty()) {
        s.schliessen(2, name);
    }
}

} // namespace

QString configPfad(const QString& tsdir) {
    return QDir(tsdir).filePath(QStringLiteral("config_quenda.xml"));
}

QByteArray configText(const QString& turniername, const BildschirmListe& liste) {
    Schreiber s;
    s.m_text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Turnier>\r\n");
    s.oeffnen(1, QStringLiteral("Turniername"));
    s.attribut(QStringLiteral("bez"), turniername);
    s.kopfEnde(false);
    for (const TBildschirm& b : liste) {
        const QString name = QStringLiteral("bildschirm");
        s.oeffnen(1, name);
        lageSchreiben(s, b.id, b.x, b.y, b.wd, b.hg);
        s.attribut(QStringLiteral("backgroundimage"), b.backgroundimage);
        s.kopfEnde(!b.EbeneList.empty());
        for (const TEbene& e : b.EbeneList) {
            ebeneSchreiben(s, e);
        }
        if (!b.EbeneList.empty()) {
            s.schliessen(1, name);
        }
    }
    s.m_text += QStringLiteral("</Turnier>\r\n");
    return QByteArrayLiteral("\xEF\xBB\xBF") + s.m_text.toUtf8();
}

void ConfigSave(const QString& pfad, const QString& turniername, const BildschirmListe& liste) {
    datei_ersetzen(pfad, configText(turniername, liste));
}

namespace {

// Reads one element's attributes; a missing or malformed value stops the load with a ConversionError.
class Attribute {
public:
    explicit Attribute(const xmlkonfig::Element& e) : m_e(e) {}

    QString text(const QString& name) const {
        if (!m_e.attribute.hasAttribute(name)) {
            throw ConversionError(QStringLiteral("Im Element „%1“ fehlt das Attribut „%2“.").arg(m_e.name, name));
        }
        return m_e.attribute.value(name).toString();
    }

    int zahl(const QString& name) const {
        const QString wert = text(name);
        const auto zahl = ganzeZahl(wert);
        if (!zahl || *zahl < std::numeric_limits<int>::min() || *zahl > std::numeric_limits<int>::max()) {
            throw ConversionError(QStringLiteral("„%1“ ist kein gültiger ganzzahliger Wert (Attribut „%2“ im "
                                                 "Element „%3“).")
                                      .arg(wert, name, m_e.name));
        }
        return static_cast<int>(*zahl);
    }

    int zahlOderNull(const QString& name) const {
        bool ok = false;
        const int zahl = m_e.attribute.value(name).toString().toInt(&ok);
        return ok ? zahl : 0;
    }

private:
    const xmlkonfig::Element& m_e;
};

[[noreturn]] void ohneEltern(const QString& name) {
    throw ConversionError(
        QStringLiteral("Das Element „%1“ steht an einer Stelle, an der es kein übergeordnetes Element gibt.")
            .arg(name));
}

template <typename T>
T& letztes(std::vector<T>& liste, const QString& name) {
    if (liste.empty()) {
        ohneEltern(name);
    }
    return liste.back();
}

class Leser {
public:
    Leser(BildschirmListe& liste, Namensabfrage* namen, KonfigAufbau* aufbau)
        : m_liste(liste), m_namen(namen), m_aufbau(aufbau) {}

    // "Last" is always the most recently appended element of a level, as the file is written; the
    // nesting itself is not checked.
    void element(const xmlkonfig::Element& e) {
        const Attribute a(e);
        if (e.name == QStringLiteral("bildschirm")) {
            TBildschirm b;
            b.y = a.zahl(QStringLiteral("y"));
            b.wd = a.zahl(QStringLiteral("wd"));
            b.hg = a.zahl(QStringLiteral("hg"));
            b.id = a.zahl(QStringLiteral("id"));
            b.x = a.zahl(QStringLiteral("x"));
            b.backgroundimage = a.text(QStringLiteral("backgroundimage"));
            m_pfad = {b.id, 0, 0, 0, 0};
            melden(Ebenenstufe::Bildschirm, knotentext(b));
            m_liste.push_back(std::move(b));
        } else if (e.name == QStringLiteral("ebene")) {
            TEbene eb;
            eb.y = a.zahl(QStringLiteral("y"));
            eb.wd = a.zahl(QStringLiteral("wd"));
            eb.hg = a.zahl(QStringLiteral("hg"));
            eb.id = a.zahl(QStringLiteral("id"));
            eb.x = a.zahl(QStringLiteral("x"));
            eb.backgroundimage = a.text(QStringLiteral("backgroundimage"));
            eb.beginn = a.zahl(QStringLiteral("beginn"));
            eb.dauer = a.zahl(QStringLiteral("dauer"));
            eb.border = a.zahl(QStringLiteral("border"));
            auto& bildschirm = letztes(m_liste, e.name);
            m_pfad = {m_pfad.bs_id, eb.id, 0, 0, 0};
            melden(Ebenenstufe::Ebene, knotentext(eb));
            bildschirm.EbeneList.push_back(std::move(eb));
        } else if (e.name == QStringLiteral("bereich")) {
            TBereich r;
            r.y = a.zahl(QStringLiteral("y"));
            r.wd = a.zahl(QStringLiteral("wd"));
            r.hg = a.zahl(QStringLiteral("hg"));
            r.id = a.zahl(QStringLiteral("id"));
            r.sc = a.zahl(QStringLiteral("sc"));
            r.nd = a.zahl(QStringLiteral("nd"));
            r.gd = a.zahl(QStringLiteral("gd"));
            r.rh = a.zahl(QStringLiteral("rh"));
            r.x = a.zahl(QStringLiteral("x"));
            r.backgroundimage = a.text(QStringLiteral("backgroundimage"));
            auto& ebene = letztes(letztes(m_liste, e.name).EbeneList, e.name);
            m_pfad = {m_pfad.bs_id, m_pfad.eb_id, r.id, 0, 0};
            melden(Ebenenstufe::Bereich, knotentext(r));
            ebene.BereichList.push_back(std::move(r));
        } else if (e.name == QStringLiteral("objekt")) {
            TPObjekt o;
            o.dauer = a.zahl(QStringLiteral("dauer"));
            o.id = a.zahl(QStringLiteral("id"));
            o.objid = a.zahl(QStringLiteral("objid"));
            o.werbungimage = a.text(QStringLiteral("werbungimage"));
            o.fontgr = a.zahl(QStringLiteral("fontgr"));
            auto& bereich = letztesBereich(e.name);
            const QString text = knotentext(o); // also refuses a kind outside 0 to 9
            m_pfad = {m_pfad.bs_id, m_pfad.eb_id, m_pfad.br_id, o.id, 0};
            melden(Ebenenstufe::Objekt, text);
            bereich.ObjektList.push_back(std::move(o));
        } else if (e.name == QStringLiteral("auslosung")) {
            TAuslo r;
            r.typ = a.zahlOderNull(QStringLiteral("typ"));
            r.id = a.zahl(QStringLiteral("id"));
            r.aslid = a.text(QStringLiteral("aslid"));
            auto& objekt = letztes(letztesBereich(e.name).ObjektList, e.name);
            m_pfad = {m_pfad.bs_id, m_pfad.eb_id, m_pfad.br_id, m_pfad.obj_id, r.id};
            if (m_aufbau) {
                melden(Ebenenstufe::Auslosung, m_namen ? knotentext(r, objekt.objid, *m_namen) : QString());
            }
            objekt.AuslosungList.push_back(std::move(r));
        }
    }

private:
    TBereich& letztesBereich(const QString& name) {
        return letztes(letztes(letztes(m_liste, name).EbeneList, name).BereichList, name);
    }

    void melden(Ebenenstufe stufe, const QString& text) {
        if (m_aufbau) {
            m_aufbau->knoten(stufe, m_pfad, text);
        }
    }

    BildschirmListe& m_liste;
    Namensabfrage* m_namen;
    KonfigAufbau* m_aufbau;
    TNodeInfo m_pfad;
};

} // namespace

Ladeergebnis ConfigLoad(const QString& pfad, BildschirmListe& liste, Namensabfrage* namen, KonfigAufbau* aufbau) {
    Ladeergebnis ergebnis;
    if (!QFileInfo::exists(pfad)) {
        return ergebnis;
    }
    const Ergebnis<QList<xmlkonfig::Element>> elemente = xmlkonfig::elementeLesen(pfad);
    if (!elemente.ok()) {
        return {Ladeergebnis::Status::NichtLadbar, elemente.fehler()};
    }
    Leser leser(liste, namen, aufbau);
    try {
        for (const auto& e : elemente.wert()) {
            leser.element(e);
        }
    } catch (const QuendaError& fehler) {
        return {Ladeergebnis::Status::Abgebrochen, fehler.message()};
    }
    ergebnis.status = Ladeergebnis::Status::Geladen;
    return ergebnis;
}

void turniernameSetzen(const QString& pfad, const QString& bez) {
    BildschirmListe liste;
    const Ladeergebnis ergebnis = ConfigLoad(pfad, liste, nullptr, nullptr);
    if (ergebnis.status == Ladeergebnis::Status::KeineDatei) {
        return;
    }
    if (ergebnis.status != Ladeergebnis::Status::Geladen) {
        throw IoError(QStringLiteral("Die Datei %1 wurde nicht geändert: %2").arg(pfad, ergebnis.fehler));
    }
    ConfigSave(pfad, bez, liste);
}

} // namespace quenda
