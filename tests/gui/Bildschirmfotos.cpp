// Screenshots of the editor and the dialogs as a user sees them, for a look by eye: run under a real X server
// of the desk's size (scripts/screenshots.sh starts one with Xvfb at 1366 x 768). Writes one PNG per window
// into the folder given as argument, on a generated demo tournament with its demo presentation.
#include "TFormAblage.h"
#include "TFormAuslo_eg.h"
#include "TFormEbene_eg.h"
#include "TFormIntervall.h"
#include "TFormIntervall_eg.h"
#include "TFormPraesent.h"
#include "TFormWarnung.h"
#include "Turnierkontext.h"
#include "Uebersetzung.h"
#include "db/TDM.h"
#include "demo/DemoPraesentation.h"
#include "draws/AusloList.h"
#include "presentation/Namensabfragen.h"
#include "presentation/Praesentationsmodell.h"
#include "support/DemoHilfen.h"
#include "transfer/Fehlerzustand.h"
#include "util/MeldungsAusgabe.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>

using namespace quenda;

namespace {

struct MeldungenAusgeben : MeldungsAusgabe {
    void meldung(const QString& text) override { std::fprintf(stderr, "Meldung: %s\n", qPrintable(text)); }
};

bool aufnehmen(QWidget* fenster, const QString& ordner, const QString& name) {
    fenster->show();
    if (!QTest::qWaitForWindowExposed(fenster)) {
        std::fprintf(stderr, "%s: nicht sichtbar geworden\n", qPrintable(name));
        return false;
    }
    QTest::qWait(200);
    const QString pfad = QDir(ordner).filePath(name + QStringLiteral(".png"));
    if (!fenster->grab().save(pfad)) {
        std::fprintf(stderr, "%s kann nicht geschrieben werden\n", qPrintable(pfad));
        return false;
    }
    std::printf("%s  %dx%d\n", qPrintable(pfad), fenster->width(), fenster->height());
    return true;
}

TAuslosung auslosung(int syf_id, const QString& konkurrenz, const QString& bez, int gruppe, int intervall) {
    TAuslosung a;
    a.syf_id = syf_id;
    a.konkurrenz = konkurrenz;
    a.auslosung_bez = bez;
    a.gruppe = gruppe;
    a.intervall = intervall;
    a.typdaten = 1;
    return a;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    deutschLaden(app);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: %s ORDNER\n", argv[0]);
        return 2;
    }
    const QString ziel = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(ziel);

    QTemporaryDir dir;
    const QString db = demo::test::erzeugen(dir, QStringLiteral("turnier.sqlite"), demo::Groesse::Klein, 1);
    TDM dm;
    dm.oeffnen(db, TDM::Frische::Aktuell);
    Turnierkontext kontext;
    kontext.dbturid = 1;
    kontext.dbturnier = QStringLiteral("Südpark-Pokal 2026");
    kontext.tsdir = dir.filePath(QStringLiteral("qnda"));
    QDir().mkpath(kontext.tsdir);
    demo::demoPraesentationSchreiben(db, 1, kontext.tsdir);
    MeldungenAusgeben meldungen;
    bool ok = true;

    QWidget haupt; // stands for the main window the dialogs belong to
    haupt.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    haupt.show();

    TFormPraesent editor(kontext, dm, meldungen, &haupt);
    const Referenzlisten listen = referenzlistenLaden(dm, kontext.dbturid);
    editor.listenFuellen(objektArten(), listen);
    // Maximised as the menu item opens it; without a window manager that is the screen's whole area.
    editor.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    editor.show();
    // The deepest node with the longest caption, as a user inspects a reference.
    QTreeWidgetItem* laengster = nullptr;
    auto* baum = editor.findChild<QTreeWidget*>(QStringLiteral("baum"));
    for (QTreeWidgetItemIterator it(baum); *it; ++it) {
        if (!laengster || (*it)->text(0).size() > laengster->text(0).size()) {
            laengster = *it;
        }
    }
    baum->setCurrentItem(laengster);
    ok = aufnehmen(&editor, ziel, QStringLiteral("editor")) && ok;

    auto* ebene = editor.findChild<TFormEbene_eg*>();
    ebene->obereGrenzen(1920, 1080);
    ok = aufnehmen(ebene, ziel, QStringLiteral("ebene")) && ok;
    ebene->hide();
    auto* referenz = editor.findChild<TFormAuslo_eg*>();
    referenz->neu(0);
    referenz->alleAuslosungen(false);
    ok = aufnehmen(referenz, ziel, QStringLiteral("auslosung")) && ok;
    referenz->hide();
    referenz->neu(4);
    ok = aufnehmen(referenz, ziel, QStringLiteral("auslosung-halle")) && ok;
    referenz->hide();
    editor.hide();

    AusloList liste;
    liste.anhaengen(auslosung(17, QStringLiteral("Herren A"), QStringLiteral("Vorrunde"), 2, 1));
    liste.anhaengen(auslosung(18, QStringLiteral("Herren-Doppel Leistungsklasse"), QStringLiteral("Endrunde"), 1, 5));
    liste.anhaengen(auslosung(21, QStringLiteral("Damen"), QString(), 1, 3));
    TFormIntervall intervall(liste, kontext.tsdir, meldungen, &haupt);
    ok = aufnehmen(&intervall, ziel, QStringLiteral("intervall")) && ok;
    intervall.hide();
    TFormIntervall_eg intervallEingabe(5, &haupt);
    ok = aufnehmen(&intervallEingabe, ziel, QStringLiteral("intervall-eingabe")) && ok;
    intervallEingabe.hide();

    TAblage ablage;
    ablage.anzweb = 1;
    ablage.aktiv = 2;
    ablage.host = QStringLiteral("https://turnier.example");
    ablage.steuerdatei = QStringLiteral("web/");
    ablage.pocko = 1;
    ablage.aktivpocko = 1;
    ablage.verzeichnispocko = QStringLiteral("/srv/handy/");
    ablage.dbzkd = QStringLiteral("20261209090000");
    TFormAblage ablageDialog(ablage, meldungen, &haupt);
    ok = aufnehmen(&ablageDialog, ziel, QStringLiteral("ablage")) && ok;
    ablageDialog.hide();

    Fehlerzustand fehler;
    TFormWarnung warnung(fehler, &haupt);
    warnung.SetWarnung(QStringLiteral("Upload Fehler!"), QStringLiteral("tabelle_0001_01.txt"));
    ok = aufnehmen(&warnung, ziel, QStringLiteral("warnung")) && ok;
    return ok ? 0 : 1;
}
