#include "util/Routinen.h"

#include "util/MeldungsAusgabe.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

namespace quenda {

const std::array<QStringView, 7> wochentage = {u"Sonntag",    u"Montag",  u"Dienstag", u"Mittwoch",
                                               u"Donnerstag", u"Freitag", u"Samstag"};

QString wochentagDatum(const QDate& datum) {
    const QStringView name = wochentage[static_cast<size_t>(datum.dayOfWeek() % 7)]; // Qt counts Sunday as 7
    return name.left(2).toString() + QStringLiteral(". ") + datum.toString(QStringLiteral("dd.MM.yyyy"));
}

QString zahl_nullen(qint64 wert, int breite) {
    QString text = QString::number(wert);
    const qsizetype fehlend = qMin<qsizetype>(qMax<qsizetype>(breite - text.size(), 0), 9);
    return QString(fehlend, u'0') + text;
}

namespace {

QByteArray ganzLesen(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        throw IoError(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(pfad, datei.errorString()));
    }
    QByteArray inhalt = datei.readAll();
    if (datei.error() != QFileDevice::NoError) {
        throw IoError(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(pfad, datei.errorString()));
    }
    return inhalt;
}

// One integer part of a version text; text that is no number counts as 0.
int versionsteil(QStringView text) {
    bool ok = false;
    const int wert = text.trimmed().toInt(&ok);
    return ok ? wert : 0;
}

// The four parts a.b.c.d: up to three parts before a ".", the remaining text as the last one.
std::array<int, 4> versionsteile(const QString& version) {
    std::array<int, 4> teile{0, 0, 0, 0};
    QString rest = version;
    for (int i = 0; i < 3; ++i) {
        const qsizetype punkt = rest.indexOf(u'.');
        if (punkt < 0) {
            break;
        }
        teile[i] = versionsteil(QStringView(rest).left(punkt));
        rest = rest.mid(punkt + 1, 30);
    }
    teile[3] = versionsteil(rest);
    return teile;
}

} // namespace

void datei_kopieren(const QString& quelle, const QString& ziel, Ablauf ablauf) {
    datei_ersetzen(ziel, ganzLesen(quelle), ablauf);
}

bool datei_gleich(const QString& pfadA, const QString& pfadB) {
    const QByteArray a = ganzLesen(pfadA);
    const QByteArray b = ganzLesen(pfadB);
    return a.size() == b.size() && a == b;
}

bool ordner_loeschen(const QString& ordner) {
    if (ordner.trimmed().isEmpty()) {
        return false; // QDir("") is the working directory
    }
    QDir dir(ordner);
    if (!dir.exists() || dir.isRoot()) {
        return false;
    }
    return dir.removeRecursively();
}

bool eingabe_prf(const QString& text, const QString& feldname, MeldungsAusgabe& ausgabe) {
    if (!text.trimmed().isEmpty()) {
        return true;
    }
    ausgabe.meldung(QStringLiteral("Es ist eine Eingabe im Feld ") + feldname + QStringLiteral(" erforderlich."));
    return false;
}

QString hochkomma_ersetzen(const QString& text) {
    QString ergebnis = text;
    const qsizetype pos = ergebnis.indexOf(u'\'');
    if (pos >= 0) {
        ergebnis[pos] = u'`';
    }
    return ergebnis;
}

QString einzeilig(QString text) {
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control) {
            c = u' ';
        }
    }
    return text;
}

QString feldtext(QString text) {
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control) {
            c = u' ';
        } else if (c == u'|') {
            c = u'\u00a6';
        }
    }
    return text;
}

QStringList zeile_zerlegen(const QString& text, QChar trenner) {
    constexpr int maxTeile = 100;
    QStringList teile;
    QString rest = text;
    qsizetype pos = rest.indexOf(trenner);
    // The last of the 100 entries keeps the unsplit rest rather than writing past the array.
    while (pos >= 0 && teile.size() < maxTeile - 1) {
        const QString teil = pos == 0 ? QStringLiteral(" ") : rest.left(pos);
        teile.append(hochkomma_ersetzen(teil));
        rest = rest.mid(pos + 1);
        pos = rest.indexOf(trenner);
    }
    teile.append(hochkomma_ersetzen(rest));
    return teile;
}

bool ordnername_zeichen_gueltig(QStringView name) {
    for (QChar c : name) {
        if (c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c)) {
            return false;
        }
    }
    return true;
}

std::optional<qint64> ganzeZahl(const QString& text) {
    static const QRegularExpression muster(QStringLiteral("^-?[0-9]{1,18}$"));
    if (!muster.match(text).hasMatch()) {
        return std::nullopt;
    }
    return text.toLongLong();
}

QDateTime datumzeit_lesen(const QString& text) {
    const auto fehler = [&text]() {
        return ConversionError(QStringLiteral("'%1' ist kein gültiger Zeitpunkt (yyyy-mm-dd hh:nn:ss)").arg(text));
    };
    const auto zahl = [&](int start, int laenge) {
        const QStringView teil = QStringView(text).mid(start - 1, laenge);
        if (teil.size() != laenge) {
            throw fehler();
        }
        for (QChar c : teil) {
            if (!c.isDigit() || c.unicode() > 127) {
                throw fehler();
            }
        }
        return teil.toInt();
    };
    const QDate datum(zahl(1, 4), zahl(6, 2), zahl(9, 2));
    const QTime zeit(zahl(12, 2), zahl(15, 2), zahl(18, 2));
    if (!datum.isValid() || !zeit.isValid()) {
        throw fehler();
    }
    // Wall-clock values: kept in UTC so that no daylight-saving rule shifts or rejects them.
    return QDateTime(datum, zeit, Qt::UTC);
}

QString sonderordner_pfad(int nummer) {
    QString pfad;
    switch (nummer) {
    case 26: // roaming application data
#ifdef Q_OS_WIN
        pfad = qEnvironmentVariable("APPDATA");
#else
        pfad = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
        break;
    case 5: // personal documents
        pfad = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        break;
    case 0: // desktop
        pfad = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        break;
    default:
        break;
    }
    while (pfad.size() > 1 && (pfad.endsWith(u'/') || pfad.endsWith(u'\\'))) {
        pfad.chop(1);
    }
    return pfad;
}

QString appdata_pfad() {
    return sonderordner_pfad(26);
}

bool version_neuer(const QString& aktuell, const QString& andere) {
    const std::array<int, 4> a = versionsteile(aktuell);
    const std::array<int, 4> b = versionsteile(andere);
    for (int i = 0; i < 4; ++i) {
        if (a[i] != b[i]) {
            return b[i] > a[i];
        }
    }
    return false;
}

} // namespace quenda
