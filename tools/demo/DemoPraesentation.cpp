#include "demo/DemoPraesentation.h"

#include "demo/Sql.h"
#include "presentation/ConfigDatei.h"
#include "presentation/Meldungsdatei.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <memory>
#include <sqlite3.h>

namespace quenda::demo {

namespace {

// An uncompressed 24-bit BMP (the simplest picture kind the targets accept), farbe(x, y) giving 0xRRGGBB.
template <typename F>
void bmpSchreiben(const QString& pfad, int breite, int hoehe, F farbe) {
    const int zeile = (breite * 3 + 3) / 4 * 4;
    QByteArray d(54 + zeile * hoehe, '\0');
    const auto u32 = [&d](int pos, quint32 wert) {
        for (int i = 0; i < 4; ++i) {
            d[pos + i] = static_cast<char>((wert >> (8 * i)) & 0xff);
        }
    };
    d[0] = 'B';
    d[1] = 'M';
    u32(2, static_cast<quint32>(d.size()));
    u32(10, 54);
    u32(14, 40);
    u32(18, static_cast<quint32>(breite));
    u32(22, static_cast<quint32>(hoehe));
    d[26] = 1;
    d[28] = 24;
    for (int y = 0; y < hoehe; ++y) {
        for (int x = 0; x < breite; ++x) {
            const quint32 rgb = farbe(x, hoehe - 1 - y); // rows are stored bottom up
            const int pos = 54 + y * zeile + x * 3;
            d[pos] = static_cast<char>(rgb & 0xff);
            d[pos + 1] = static_cast<char>((rgb >> 8) & 0xff);
            d[pos + 2] = static_cast<char>((rgb >> 16) & 0xff);
        }
    }
    QSaveFile f(pfad);
    if (!f.open(QIODevice::WriteOnly) || f.write(d) != d.size() || !f.commit()) {
        throw IoError(QStringLiteral("%1 kann nicht geschrieben werden").arg(pfad));
    }
}

TPObjekt objekt(int id, int objid, int dauer, int fontgr, std::vector<TAuslo> bezuege, const QString& bild = {}) {
    TPObjekt o;
    o.id = id;
    o.objid = objid;
    o.dauer = dauer;
    o.fontgr = fontgr;
    o.werbungimage = bild;
    o.AuslosungList = std::move(bezuege);
    return o;
}

TBereich bereich(int id, int x, int y, int wd, int hg, bool sortiert, std::vector<TPObjekt> objekte) {
    TBereich b;
    b.id = id;
    b.x = x;
    b.y = y;
    b.wd = wd;
    b.hg = hg;
    b.sc = 1;
    b.nd = objekte.size() > 1 ? 1 : 0;
    b.gd = objekte.size() > 1 ? 1 : 0;
    b.rh = sortiert ? 1 : 0;
    b.ObjektList = std::move(objekte);
    return b;
}

} // namespace

void demoPraesentationSchreiben(const QString& datenbank, int t_id, const QString& tsdir) {
    sqlite3* roh = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(datenbank).constData(), &roh, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(roh, sqlite3_close);
    if (rc != SQLITE_OK) {
        throw QuendaError(QStringLiteral("%1 lässt sich nicht öffnen").arg(datenbank));
    }
    Sql sql(db.get());
    const std::vector<Zeile> turnier = sql.abfragen("SELECT tur_bez FROM turniere WHERE t_id = ?", {t_id});
    if (turnier.empty()) {
        throw QuendaError(QStringLiteral("Turnier %1 ist nicht in %2").arg(t_id).arg(datenbank));
    }
    const QString halle =
        QString::number(sql.zahl("SELECT min(hab_id) FROM tk_turnierhallen WHERE t_id = ?", {t_id}, 0));

    const std::vector<TAuslo> alle{{QStringLiteral("0"), 0, 1}};
    const std::vector<TAuslo> gruppen{{QStringLiteral("0"), 1, 1}};
    const std::vector<TAuslo> ko{{QStringLiteral("0"), 2, 1}};
    const std::vector<TAuslo> hallen{{halle, 0, 1}};
    TEbene fest;
    fest.id = 1;
    fest.wd = 1920;
    fest.hg = 1080;
    fest.backgroundimage = QStringLiteral("hintergrund.bmp");
    fest.BereichList = {
        bereich(1, 0, 0, 1920, 110, true, {objekt(1, 6, 30, 26, alle)}),
        bereich(2, 20, 120, 930, 620, true, {objekt(1, 1, 8, 18, gruppen), objekt(2, 9, 10, 14, gruppen)}),
        bereich(3, 970, 120, 930, 620, false, {objekt(1, 0, 8, 15, alle), objekt(2, 7, 8, 15, alle)}),
        bereich(4, 20, 750, 1290, 320, true, {objekt(1, 4, 10, 13, hallen), objekt(2, 5, 5, 16, hallen)}),
        bereich(5, 1330, 750, 570, 320, true, {objekt(1, 2, 8, 12, ko), objekt(2, 8, 8, 12, alle)}),
    };
    // Comes up for 30 seconds every two minutes, above the starter and participant lists.
    TEbene werbung;
    werbung.id = 2;
    werbung.x = 1330;
    werbung.y = 750;
    werbung.wd = 570;
    werbung.hg = 320;
    werbung.beginn = 120;
    werbung.dauer = 30;
    werbung.border = 4;
    werbung.BereichList = {
        bereich(1, 0, 0, 562, 312, true, {objekt(1, 3, 30, 12, alle, QStringLiteral("werbung.bmp"))})};
    TBildschirm schirm;
    schirm.id = 1;
    schirm.wd = 1920;
    schirm.hg = 1080;
    schirm.EbeneList = {fest, werbung};

    const QString name = text(turnier.front().front());
    QDir().mkpath(QDir(tsdir).filePath(QStringLiteral("images")));
    ConfigSave(configPfad(tsdir), name, {schirm});
    MeldungSave(tsdir, meldungDateiname(1, 1, 1, 1, true),
                {QStringLiteral("Willkommen zum %1! Die Siegerehrung beginnt um 18 Uhr.").arg(name)});
    bmpSchreiben(QDir(tsdir).filePath(QStringLiteral("images/hintergrund.bmp")), 192, 108, [](int, int y) {
        const quint32 b = 0x22 + static_cast<quint32>(y) / 4;
        return (0x0b << 16) | (0x16 << 8) | b;
    });
    bmpSchreiben(QDir(tsdir).filePath(QStringLiteral("images/werbung.bmp")), 280, 150, [](int x, int y) {
        const bool streifen = ((x + y) / 20) % 2 == 0;
        return streifen ? 0xffd54au : (y < 75 ? 0x0a58a8u : 0x3f8f4fu);
    });
}

} // namespace quenda::demo
