#include "db/Turnierauswahl.h"

#include "db/TDM.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace quenda::turnierauswahl {

namespace {

QSettings einstellungen() {
    return QSettings(QStringLiteral("kestrom"), QStringLiteral("quenda20reg"));
}

const QString schluesselPfad = QStringLiteral("DBConnect/dbpath");
const QString schluesselId = QStringLiteral("DBConnect/dbturid");

} // namespace

QString gespeicherterPfad() {
    return einstellungen().value(schluesselPfad, QStringLiteral("no")).toString();
}

int gespeicherteTurnierId() {
    bool ok = false;
    const int id = einstellungen().value(schluesselId, QStringLiteral("0")).toString().trimmed().toInt(&ok);
    return ok ? id : 0; // a damaged value brings up the choice instead of ending every start
}

void pfadSpeichern(const QString& dbpath) {
    QSettings s = einstellungen();
    s.setValue(schluesselPfad, dbpath);
    s.setValue(schluesselId, QStringLiteral("0"));
    s.sync();
}

void turnierIdSpeichern(int id) {
    QSettings s = einstellungen();
    s.setValue(schluesselId, QString::number(id));
    s.sync();
}

QList<Turnier> turniere(TDM& tdm) {
    tdm.SQLAbfrage2(QStringLiteral("select t.* from turniere t"));
    Abfrage& q = tdm.QuerySQL2;
    QList<Turnier> liste;
    q.first();
    for (int i = 0; i < q.rowCount(); ++i) {
        liste.append({q.feld(QStringLiteral("t_id")).alsInt(), q.feld(QStringLiteral("tur_bez")).alsText()});
        q.next();
    }
    return liste;
}

bool turnierVorhanden(TDM& tdm, int id) {
    tdm.SQLAbfrage2(QStringLiteral("select t.t_id from turniere t where t.t_id=") + QString::number(id));
    return tdm.QuerySQL2.rowCount() > 0;
}

QString turnierName(TDM& tdm, int id) {
    tdm.SQLAbfrage2(QStringLiteral("select t.* from turniere t where t.t_id=") + QString::number(id));
    return tdm.QuerySQL2.feld(QStringLiteral("tur_bez")).alsText();
}

QString tsdirFuer(const QString& dbpath, int id) {
    const QFileInfo info(dbpath);
    return QDir(info.absolutePath()).filePath(QStringLiteral("qnda") + zahl_nullen(id, 3) + info.completeBaseName());
}

void tsdirAnlegen(const QString& tsdir) {
    if (!QDir().mkpath(QDir(tsdir).filePath(QStringLiteral("images")))) {
        throw IoError(QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(tsdir));
    }
}

} // namespace quenda::turnierauswahl
