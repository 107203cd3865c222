#include "presentation/Meldungsdatei.h"

#include "util/Dateiersatz.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace quenda {

namespace {

const QByteArray bomUtf8 = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray bomUtf16Le = QByteArrayLiteral("\xFF\xFE");
const QByteArray bomUtf16Be = QByteArrayLiteral("\xFE\xFF");

QByteArray kodiert(const QString& text, Meldungskodierung kodierung) {
    switch (kodierung) {
    case Meldungskodierung::Ansi:
        break;
    case Meldungskodierung::Utf8Bom:
        return bomUtf8 + text.toUtf8();
    case Meldungskodierung::Utf16LeBom:
        return bomUtf16Le + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    case Meldungskodierung::Utf16BeBom:
        return bomUtf16Be + QStringEncoder(QStringEncoder::Utf16BE).encode(text);
    }
    return textdatei::zuAnsi(text);
}

Meldungstext dekodiert(const QByteArray& daten) {
    Meldungstext m;
    if (daten.startsWith(bomUtf8)) {
        m.kodierung = Meldungskodierung::Utf8Bom;
        m.text = QString::fromUtf8(daten.mid(bomUtf8.size()));
    } else if (daten.startsWith(bomUtf16Le)) {
        m.kodierung = Meldungskodierung::Utf16LeBom;
        m.text = QStringDecoder(QStringDecoder::Utf16LE).decode(daten.mid(2));
    } else if (daten.startsWith(bomUtf16Be)) {
        m.kodierung = Meldungskodierung::Utf16BeBom;
        m.text = QStringDecoder(QStringDecoder::Utf16BE).decode(daten.mid(2));
    } else {
        m.text = textdatei::vonAnsi(daten);
    }
    m.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return m;
}

} // namespace

QString meldungDateiname(int bs, int eb, int br, int obj, bool org) {
    return QStringLiteral("meldung_%1_%2_%3_%4%5")
        .arg(zahl_nullen(bs, 2), zahl_nullen(eb, 2), zahl_nullen(br, 2), zahl_nullen(obj, 2),
             org ? QStringLiteral("_org.txt") : QStringLiteral(".txt"));
}

void MeldungSave(const QString& tsdir, const QString& name, const Meldungstext& meldung) {
    const QString pfad = QDir(tsdir).filePath(name);
    QString text = meldung.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
    datei_ersetzen(pfad, kodiert(text, meldung.kodierung));
}

Meldungstext MeldungLoad(const QString& tsdir, const QString& orgName) {
    QString pfad = QDir(tsdir).filePath(orgName);
    if (!QFile::exists(pfad)) {
        pfad = QDir(tsdir).filePath(orgName.left(orgName.size() - 8) + QStringLiteral(".txt"));
    }
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        throw IoError(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(pfad, datei.errorString()));
    }
    return dekodiert(datei.readAll());
}

void MeldungDelete(const QString& tsdir, const QString& name) {
    QFile::remove(QDir(tsdir).filePath(name));
}

} // namespace quenda
