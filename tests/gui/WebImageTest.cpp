#include "WebImage.h"
#include "GuiTestMain.h"
#include "Stil.h"
#include "presentation/Praesentation.h"

#include <QImage>
#include <QTest>
#include <cmath>

using namespace quenda;

namespace {

TBildschirm bildschirm(int id, int wd, int hg) {
    TBildschirm b;
    b.id = id;
    b.wd = wd;
    b.hg = hg;
    return b;
}

TEbene ebene(int id, int x, int y, int wd, int hg) {
    TEbene e;
    e.id = id;
    e.x = x;
    e.y = y;
    e.wd = wd;
    e.hg = hg;
    return e;
}

TBereich bereich(int id, int x, int y, int wd, int hg) {
    TBereich r;
    r.id = id;
    r.x = x;
    r.y = y;
    r.wd = wd;
    r.hg = hg;
    return r;
}

// Screen 1 (800×600): layer 1 at (100, 50) with areas 1 and 2, the first holding an object; layer 2 at
// (500, 50) with no areas. Screen 2 (1920×1080) is empty.
Praesentation beispiel() {
    Praesentation p;
    TBildschirm s = bildschirm(1, 800, 600);
    TEbene l1 = ebene(1, 100, 50, 400, 300);
    TBereich a1 = bereich(1, 10, 20, 200, 100);
    TPObjekt o;
    o.id = 1;
    a1.ObjektList.push_back(o);
    l1.BereichList.push_back(a1);
    l1.BereichList.push_back(bereich(2, 10, 150, 100, 100));
    s.EbeneList.push_back(l1);
    s.EbeneList.push_back(ebene(2, 500, 50, 200, 200));
    p.BildschirmList.push_back(s);
    p.BildschirmList.push_back(bildschirm(2, 1920, 1080));
    return p;
}

QImage gerendert(QWidget& w) {
    QImage bild(w.size(), QImage::Format_RGB32);
    bild.fill(Qt::magenta);
    w.render(&bild);
    return bild;
}

} // namespace

class WebImageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundsHalvesToTheEvenNeighbour() {
        const std::pair<double, int> faelle[] = {{0.5, 0},           {1.5, 2},   {2.5, 2},  {3.5, 4},  {-0.5, 0},
                                                 {-1.5, -2},         {-2.5, -2}, {2.49, 2}, {2.51, 3}, {710.6, 711},
                                                 {399.9999999, 400}, {-0.2, 0},  {7.0, 7}};
        for (const auto& [wert, erwartet] : faelle) {
            QCOMPARE(runden(wert), erwartet);
        }
    }

    void scaleFitsTheWindowWidthLessHundredAndThePreviewHeightButNeverEnlarges() {
        const TBildschirm hd = bildschirm(1, 1920, 1080);
        const double f = WebImageFaktor(1060, 400, hd);
        QVERIFY(std::abs(f - 400.0 / 1080.0) < 1e-12);
        QCOMPARE(runden(1920 * f), 711);
        QCOMPARE(runden(1080 * f), 400);
        QCOMPARE(WebImageFaktor(1060, 2000, hd), 0.5); // the width limits
        QCOMPARE(WebImageFaktor(3000, 2000, bildschirm(1, 800, 600)), 1.0);
        QCOMPARE(WebImageFaktor(900, 600, bildschirm(1, 800, 600)), 1.0); // exactly fitting
        QCOMPARE(WebImageFaktor(50, 600, bildschirm(1, 800, 600)), 0.0);  // no negative scale
        QCOMPARE(WebImageFaktor(1060, 400, bildschirm(1, 0, 0)), 1.0);
    }

    void framesArePlacedRelativeToTheirLayerAndLabelledAtPlusFive() {
        Praesentation p = beispiel();
        p.auswaehlen({1, 0, 0, 0, 0});
        const auto e = WebImageElemente(p, 1, 1.0);
        QCOMPARE(e.size(), std::size_t(5));
        QCOMPARE(e[0].art, Vorschauelement::Art::Bildschirm);
        QCOMPARE(QRect(QPoint(e[0].x1, e[0].y1), QPoint(e[0].x2, e[0].y2)), QRect(QPoint(0, 0), QPoint(800, 600)));
        QCOMPARE(e[1].art, Vorschauelement::Art::Ebene);
        QCOMPARE((std::array{e[1].x1, e[1].y1, e[1].x2, e[1].y2}), (std::array{100, 50, 500, 350}));
        QCOMPARE(e[1].textpunkt, QPoint(105, 55));
        QCOMPARE(e[1].text, QStringLiteral("Ebene 1"));
        QCOMPARE(e[2].art, Vorschauelement::Art::Bereich);
        QCOMPARE((std::array{e[2].x1, e[2].y1, e[2].x2, e[2].y2}), (std::array{110, 70, 310, 170}));
        QCOMPARE(e[2].textpunkt, QPoint(115, 75));
        QCOMPARE(e[2].text, QStringLiteral("Bereich 1"));
        QCOMPARE(e[3].text, QStringLiteral("Bereich 2")); // a layer's areas follow it, before the next layer
        QCOMPARE(e[4].text, QStringLiteral("Ebene 2"));

        // Scaled: every corner is rounded on its own, after adding the offsets.
        const auto halb = WebImageElemente(p, 1, 0.5);
        QCOMPARE((std::array{halb[2].x1, halb[2].y1, halb[2].x2, halb[2].y2}), (std::array{55, 35, 155, 85}));
        QCOMPARE(halb[2].textpunkt, QPoint(60, 40));
        QCOMPARE(halb[0].x2, 400);
    }

    void onlyTheSelectedLayerOrAreaIsFilled() {
        struct Fall {
            TNodeInfo knoten;
            std::array<bool, 5> gefuellt; // screen, layer 1, area 1, area 2, layer 2
        };
        const Fall faelle[] = {
            {{1, 0, 0, 0, 0}, {false, false, false, false, false}},
            // Layer 2 selected: area 2 of layer 1 has the id of that position and stays empty.
            {{1, 2, 0, 0, 0}, {false, false, false, false, true}},
            {{1, 1, 0, 0, 0}, {false, true, false, false, false}},
            {{1, 1, 2, 0, 0}, {false, false, false, true, false}},
            {{1, 1, 1, 1, 0}, {false, false, true, false, false}}, // an object fills its area
        };
        for (const Fall& fall : faelle) {
            Praesentation p = beispiel();
            p.auswaehlen(fall.knoten);
            const auto e = WebImageElemente(p, p.bs_Item, 1.0);
            QCOMPARE(e.size(), std::size_t(5));
            for (std::size_t i = 0; i < e.size(); ++i) {
                QCOMPARE(e[i].gefuellt, fall.gefuellt[i]);
            }
        }
    }

    void rendersTheScaledScreenAndTakesItsWidth() {
        Praesentation p = beispiel();
        p.auswaehlen({2, 0, 0, 0, 0});
        QWidget fenster;
        fenster.resize(1060, 700);
        WebImage w(p, &fenster, &fenster);
        w.setGeometry(0, 0, 1000, 400);
        gerendert(w);
        QVERIFY(std::abs(w.faktor() - 400.0 / 1080.0) < 1e-12);
        QCOMPARE(w.width(), 711);

        const QImage bild = gerendert(w);
        QCOMPARE(bild.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(bild.pixelColor(710, 0), QColor(Qt::black));
        QCOMPARE(bild.pixelColor(0, 399), QColor(Qt::black));
        QCOMPARE(bild.pixelColor(710, 399), QColor(Qt::black));
        QCOMPARE(bild.pixelColor(1, 1), QColor(Qt::white));
        QCOMPARE(bild.pixelColor(709, 398), QColor(Qt::white));
        QCOMPARE(bild.pixelColor(355, 200), QColor(Qt::white));
    }

    void selectedLayerAndAreaAreFilledInTheTooltipColour() {
        Praesentation p = beispiel();
        QWidget fenster;
        fenster.resize(2000, 900);
        WebImage w(p, &fenster, &fenster);
        w.setGeometry(0, 0, 900, 600);
        const QColor tipp = w.palette().color(QPalette::ToolTipBase);
        QVERIFY(tipp != QColor(Qt::white));

        p.auswaehlen({1, 2, 0, 0, 0});
        QImage bild = gerendert(w);
        QCOMPARE(w.faktor(), 1.0);
        QCOMPARE(w.width(), 800);
        QCOMPARE(bild.pixelColor(650, 200), tipp);              // inside layer 2
        QCOMPARE(bild.pixelColor(500, 50), QColor(Qt::red));    // its corner
        QCOMPARE(bild.pixelColor(699, 249), QColor(Qt::red));   // its far corner
        QCOMPARE(bild.pixelColor(300, 300), QColor(Qt::white)); // layer 1
        QCOMPARE(bild.pixelColor(150, 250), QColor(Qt::white)); // area 2 of layer 1

        p.auswaehlen({1, 1, 1, 1, 0});
        bild = gerendert(w);
        QCOMPARE(bild.pixelColor(200, 150), tipp);             // area 1
        QCOMPARE(bild.pixelColor(110, 70), QColor(Qt::blue));  // its corner
        QCOMPARE(bild.pixelColor(309, 169), QColor(Qt::blue)); // its far corner
        QCOMPARE(bild.pixelColor(300, 300), QColor(Qt::white));
        QCOMPARE(bild.pixelColor(150, 250), QColor(Qt::white));
        QCOMPARE(bild.pixelColor(650, 200), QColor(Qt::white));
    }

    void withoutAnEditorWindowOnlyTheHeightLimitsAndTheWidthSettles() {
        Praesentation p = beispiel();
        p.auswaehlen({2, 0, 0, 0, 0});
        WebImage w(p, nullptr);
        w.resize(1000, 400);
        for (int mal = 0; mal < 3; ++mal) {
            gerendert(w);
            QCOMPARE(w.width(), 711);
        }
    }

    void rootSelectedDrawsNothing() {
        Praesentation p = beispiel();
        QWidget fenster;
        fenster.resize(2000, 900);
        WebImage w(p, &fenster, &fenster);
        w.setGeometry(0, 0, 900, 600);
        p.auswaehlen({});
        const QImage bild = gerendert(w);
        for (const QPoint punkt : {QPoint(0, 0), QPoint(1, 1), QPoint(300, 300), QPoint(650, 200)}) {
            QCOMPARE(bild.pixelColor(punkt), stil::geldgruen);
        }
        p.auswaehlen({7, 0, 0, 0, 0}); // a screen that is not there
        QCOMPARE(gerendert(w).pixelColor(1, 1), stil::geldgruen);
    }

    void followsTheWidthOfTheEditorWindow() {
        Praesentation p = beispiel();
        p.auswaehlen({2, 0, 0, 0, 0});
        QWidget fenster;
        fenster.resize(1060, 700);
        WebImage w(p, &fenster, &fenster);
        w.setGeometry(0, 0, 1000, 400);
        fenster.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenster));
        QTRY_COMPARE(w.width(), 711);
        fenster.resize(560, 700); // 460 / 1920 is now below 400 / 1080
        QTRY_COMPARE(w.width(), 460);
        QCOMPARE(w.faktor(), 460.0 / 1920.0);
    }
};

QUENDA_GUI_TEST_MAIN(WebImageTest)
#include "WebImageTest.moc"
