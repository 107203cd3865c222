#include "export/Dateinamen.h"

#include "util/Routinen.h"

#include <QRegularExpression>

namespace quenda::dateinamen {

namespace {

constexpr int id = 4;
constexpr int nummer = 2;

QString name(const char* stamm, std::initializer_list<std::pair<qint64, int>> schluessel) {
    QString text = QString::fromLatin1(stamm);
    for (const auto& [wert, breite] : schluessel) {
        text += u'_' + zahl_nullen(wert, breite);
    }
    return text + QStringLiteral("_org.txt");
}

} // namespace

QString spiele(qint64 al_id, qint64 grnr, qint64 rd_nr) {
    return name("spiele", {{al_id, id}, {grnr, nummer}, {rd_nr, nummer}});
}

QString tabelle(qint64 al_id, qint64 grnr) {
    return name("tabelle", {{al_id, id}, {grnr, nummer}});
}

QString starter(qint64 al_id, qint64 grnr) {
    return name("starter", {{al_id, id}, {grnr, nummer}});
}

QString spielraster(qint64 al_id, qint64 grnr) {
    return name("spielraster", {{al_id, id}, {grnr, nummer}});
}

QString kofeld(qint64 al_id) {
    return name("kofeld", {{al_id, id}});
}

QString tabspiele(qint64 al_id, qint64 grnr) {
    return name("tabspiele", {{al_id, id}, {grnr, nummer}});
}

QString teilnehmer(qint64 kn_id) {
    return name("teilnehmer", {{kn_id, id}});
}

QString tischbelegung(qint64 hab_id) {
    return name("tischbelegung", {{hab_id, id}});
}

QString tischspiel(qint64 hab_id, qint64 ti_nr) {
    return name("tischspiel", {{hab_id, id}, {ti_nr, nummer}});
}

bool versandfaehig(const QString& name) {
    static const QRegularExpression muster(QStringLiteral(
        "^(spiele_[0-9]{4,}_[0-9]{2,}_[0-9]{2,}|(tabelle|starter|spielraster|tabspiele)_[0-9]{4,}_[0-9]{2,}|"
        "(kofeld|teilnehmer|tischbelegung)_[0-9]{4,}|tischspiel_[0-9]{4,}_[0-9]{2,}|auslodat|auslodatpocko|"
        "meldung_[0-9]{2,}_[0-9]{2,}_[0-9]{2,}_[0-9]{2,})\\.txt$"));
    return muster.match(name).hasMatch();
}

} // namespace quenda::dateinamen
