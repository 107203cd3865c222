#include "demo/Generator.h"
#include "demo/OrdnerAblage.h"
#include "demo/Zeit.h"
#include "settings/AblageDatei.h"
#include "support/HeadlessAufruf.h"
#include "support/HttpHilfen.h"

#include "support/ZipLesen.h"
#include <QDirIterator>
#include <QProcess>

using namespace quenda;
using namespace quenda::test;

namespace {

// Every file below a folder with its bytes, by relative path.
QMap<QString, QByteArray> dateienUnter(const QString& ordner) {
    QMap<QString, QByteArray> dateien;
    QDirIterator it(ordner, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString pfad = it.next();
        dateien.insert(QDir(ordner).relativeFilePath(pfad), lesen(pfad));
    }
    return dateien;
}

// The entries of the archives in a folder, as if unpacked there.
QMap<QString, QByteArray> entpackt(const QString& ordner) {
    QMap<QString, QByteArray> dateien;
    for (const QString& name : QDir(ordner).entryList({QStringLiteral("*.zip")}, QDir::Files)) {
        const auto eintraege = zipLesen(QDir(ordner).filePath(name));
        if (!eintraege) {
            ADD_FAILURE() << "cannot open " << name;
            continue;
        }
        for (const Zipeintrag& e : *eintraege) {
            dateien.insert(QStringLiteral("upload/") + e.name, e.inhalt);
        }
    }
    return dateien;
}

// Two headless cycles of the same generated tournament, published with the given settings.
QString laufen(const QString& ordner, const TAblage& werte) {
    QDir().mkpath(ordner);
    const QString db = QDir(ordner).filePath(QStringLiteral("turnier.sqlite"));
    demo::Generator({1, demo::Groesse::Klein, demo::standardJetzt()}).erzeugen(db);
    const QString tsdir = QDir(ordner).filePath(QStringLiteral("qnda001turnier"));
    QDir().mkpath(tsdir);
    TAblage ablage;
    Ablagesave(tsdir, ablage, werte, QStringLiteral("e2e"), demo::standardJetzt());
    QProcess p;
    p.setProcessEnvironment(isolierteUmgebung(QDir(ordner).filePath(QStringLiteral("heim"))));
    p.start(QStringLiteral(QUENDA_BINARY), headlessAufruf(db, 2, QStringLiteral("2026-12-09 09:00:00")));
    if (!p.waitForFinished(180000) || p.exitCode() != 0) {
        ADD_FAILURE() << "quenda failed: " << p.readAllStandardError().toStdString();
    }
    EXPECT_TRUE(QDir(tsdir).entryList({QStringLiteral("*.zip")}).isEmpty()) << "every archive was sent";
    return QString::fromUtf8(p.readAllStandardError());
}

TEST(HeadlessHttp, bothTargetsByHttpReceiveWhatDirectoryModeDelivers) {
    QTemporaryDir dir;
    const QString web = dir.filePath(QStringLiteral("web"));
    const QString pocko = dir.filePath(QStringLiteral("pocko"));
    QDir().mkpath(web);
    QDir().mkpath(pocko);
    EXPECT_EQ(laufen(dir.filePath(QStringLiteral("verzeichnis")), demo::ordnerAblage(web, pocko)), QString());

    // Both targets through the control script on one server, with a shared secret.
    PhpServer server;
    server.steuern(QStringLiteral("token"), QStringLiteral("e2e-geheim"));
    const QString handyWurzel = dir.filePath(QStringLiteral("handy"));
    QDir().mkpath(handyWurzel);
    TAblage http;
    http.anzweb = 1;
    http.aktiv = 2;
    http.host = server.basis();
    http.steuerdatei = QStringLiteral("web");
    http.token = QStringLiteral("e2e-geheim");
    http.pocko = 1;
    http.aktivpocko = 2;
    http.hostpocko = server.basis() + u' ';
    http.steuerdateipocko = QStringLiteral(" web");
    http.tokenpocko = QStringLiteral("e2e-geheim");
    EXPECT_EQ(laufen(dir.filePath(QStringLiteral("http")), http), QString());

    const QString zkd = QStringLiteral("/zkde2e");
    const QMap<QString, QByteArray> anzeigeVerzeichnis = dateienUnter(web + zkd);
    const QMap<QString, QByteArray> gesendet = dateienUnter(server.wurzel() + zkd);
    ASSERT_TRUE(anzeigeVerzeichnis.contains(QStringLiteral("upload/20261209090000_auslodat.txt")));
    const QMap<QString, QByteArray> handyVerzeichnis = dateienUnter(pocko + zkd);
    ASSERT_TRUE(handyVerzeichnis.contains(QStringLiteral("upload/20261209090000_auslodatpocko.txt")));

    // Both targets share one storage root here, and the script unpacks the phone archives beside the screen's
    // files: the folder holds what the two directory targets hold together.
    QMap<QString, QByteArray> beide = anzeigeVerzeichnis;
    for (auto it = handyVerzeichnis.cbegin(); it != handyVerzeichnis.cend(); ++it) {
        EXPECT_EQ(beide.value(it.key(), it.value()), it.value()) << it.key().toStdString();
        beide.insert(it.key(), it.value());
    }
    QMap<QString, QByteArray> anzeigeHttp = gesendet;
    anzeigeHttp.removeIf([](const auto& e) { return e.key().endsWith(QStringLiteral(".zip")); });
    EXPECT_EQ(anzeigeHttp.keys(), beide.keys());
    EXPECT_TRUE(anzeigeHttp == beide) << "same bytes";

    const QMap<QString, QByteArray> handyHttp = entpackt(server.wurzel() + zkd + QStringLiteral("/upload"));
    EXPECT_EQ(handyHttp.keys(), handyVerzeichnis.keys());
    EXPECT_TRUE(handyHttp == handyVerzeichnis) << "same bytes";
    EXPECT_TRUE(QFile::exists(server.wurzel() + zkd + QStringLiteral("/upload/20261209090000_pockoupload.zip")));
}

} // namespace
