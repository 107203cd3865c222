#include "export/Direktervergleich.h"

#include "db/TDM.h"

namespace quenda {

namespace {

QString gruppenspiele(int syf_id) {
    return QStringLiteral("SELECT sp.sp_idgv1, sp.sp_idgv2, erg.sg, erg.sv FROM sb_ergebnisse erg INNER JOIN sy_spiel "
                          "sp ON erg.sp_id = sp.sp_id WHERE erg.syf_id=") +
           QString::number(syf_id);
}

quint64 schluessel(qint64 erster, qint64 zweiter) {
    return (static_cast<quint64>(static_cast<quint32>(erster)) << 32) | static_cast<quint32>(zweiter);
}

// A position as a statement's "sp_idgv1=<int>" matches it: only a whole number in the range of int (the
// columns are INTEGER, so a text or a NULL there never equals a number).
std::optional<qint64> position(const Wert& wert) {
    const QVariant& roh = wert.roh();
    if (roh.typeId() != QMetaType::LongLong) {
        return std::nullopt;
    }
    const qint64 zahl = roh.toLongLong();
    if (zahl < std::numeric_limits<int>::min() || zahl > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return zahl;
}

} // namespace

void Direktervergleich::lesen() {
    m_gelesen = true;
    m_dm.SQLAbfrage1(gruppenspiele(m_syf_id));
    for (Abfrage& spiel = m_dm.QuerySQL1; !spiel.eof(); spiel.next()) {
        const auto erster = position(spiel.feld(QStringLiteral("sp_idgv1")));
        const auto zweiter = position(spiel.feld(QStringLiteral("sp_idgv2")));
        if (!erster || !zweiter) {
            continue;
        }
        Paarung& p = m_paarungen[schluessel(*erster, *zweiter)];
        if (++p.spiele == 1) {
            p.sg = spiel.feld(QStringLiteral("sg"));
            p.sv = spiel.feld(QStringLiteral("sv"));
        }
    }
}

const Direktervergleich::Paarung* Direktervergleich::paarung(int erster, int zweiter) const {
    const auto it = m_paarungen.constFind(schluessel(erster, zweiter));
    return it == m_paarungen.cend() || it->spiele != 1 ? nullptr : &it.value();
}

bool Direktervergleich::operator()(int x, int y) {
    if (!m_gelesen) {
        lesen();
    }
    if (const Paarung* p = paarung(x, y)) {
        return p->sv->alsInt64() > p->sg->alsInt64();
    }
    if (const Paarung* p = paarung(y, x)) {
        return p->sg->alsInt64() > p->sv->alsInt64();
    }
    return false;
}

} // namespace quenda
