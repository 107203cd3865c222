#include "Elementdialog.h"
#include "GuiTestMain.h"
#include "TFormAuslo_eg.h"
#include "TFormBildschirm_eg.h"
#include "TFormEbene_eg.h"
#include "TFormIntervall_eg.h"
#include "TFormObjekt_eg.h"
#include "presentation/Praesentationsmodell.h"
#include "support/MeldungenMerken.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>
#include <functional>

using namespace quenda;
using namespace quenda::test;

namespace {

QSpinBox* feld(const QDialog* dialog, const char* name) {
    return dialog->findChild<QSpinBox*>(QString::fromLatin1(name));
}

} // namespace

// The element dialogs of the presentation editor and the interval dialog, driven by the keyboard.
class ElementdialogTest : public QObject {
    Q_OBJECT
    MeldungenMerken meldungen;

    // Replaces the field's text by typing, then leaves it with Tab, as a user does.
    static void tippenUndVerlassen(QDialog* dialog, QSpinBox* feld, const QString& text) {
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        feld->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(feld->hasFocus());
        QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(feld, text);
        QTest::keyClick(feld, Qt::Key_Tab);
        QVERIFY(!feld->hasFocus());
    }

private Q_SLOTS:
    void typedValuesBeyondALimitBecomeThatLimit() {
        struct Fall {
            const char* name;
            // Makes the dialog with its limits and returns the field under test.
            std::function<QSpinBox*(std::unique_ptr<QDialog>&, MeldungenMerken&)> feld;
            QString getippt;
            int erwartet;
        };
        const auto ebene = [](std::unique_ptr<QDialog>& d, MeldungenMerken& m) {
            auto* e = new TFormEbene_eg(m);
            e->obereGrenzen(1920, 1080);
            d.reset(e);
            return e;
        };
        const Fall faelle[] = {
            {"width above the screen", [&](auto& d, auto& m) { return feld(ebene(d, m), "breite"); },
             QStringLiteral("3000"), 1920},
            {"height above the screen", [&](auto& d, auto& m) { return feld(ebene(d, m), "hoehe"); },
             QStringLiteral("5000"), 1080},
            {"width within the screen", [&](auto& d, auto& m) { return feld(ebene(d, m), "breite"); },
             QStringLiteral("1500"), 1500},
            {"x below zero", [&](auto& d, auto& m) { return feld(ebene(d, m), "posX"); }, QStringLiteral("-5"), 0},
            {"border above 20", [&](auto& d, auto& m) { return feld(ebene(d, m), "randstaerke"); },
             QStringLiteral("25"), 20},
            {"display interval above a day", [&](auto& d, auto& m) { return feld(ebene(d, m), "anzeigeIntervall"); },
             QStringLiteral("90000"), 86400},
            {"screen without limits",
             [](auto& d, auto& m) {
                 auto* b = new TFormBildschirm_eg(m);
                 b->obereGrenzen(0, 0);
                 d.reset(b);
                 return feld(b, "breite");
             },
             QStringLiteral("3000"), 3000},
            {"font size below 6",
             [](auto& d, auto& m) {
                 auto* o = new TFormObjekt_eg(m);
                 d.reset(o);
                 return feld(o, "schriftgroesse");
             },
             QStringLiteral("3"), 6},
            {"font size above 50",
             [](auto& d, auto& m) {
                 auto* o = new TFormObjekt_eg(m);
                 d.reset(o);
                 return feld(o, "schriftgroesse");
             },
             QStringLiteral("99"), 50},
            {"interval above 240 minutes",
             [](auto& d, auto&) {
                 auto* i = new TFormIntervall_eg(5);
                 d.reset(i);
                 return i->findChild<QSpinBox*>();
             },
             QStringLiteral("300"), 240},
            {"interval of 0 minutes",
             [](auto& d, auto&) {
                 auto* i = new TFormIntervall_eg(5);
                 d.reset(i);
                 return i->findChild<QSpinBox*>();
             },
             QStringLiteral("0"), 1},
        };
        for (const Fall& fall : faelle) {
            std::unique_ptr<QDialog> dialog;
            QSpinBox* feld = fall.feld(dialog, meldungen);
            QVERIFY2(feld, fall.name);
            tippenUndVerlassen(dialog.get(), feld, fall.getippt);
            QVERIFY2(feld->value() == fall.erwartet, qPrintable(QStringLiteral("%1: %2 instead of %3")
                                                                    .arg(QString::fromLatin1(fall.name))
                                                                    .arg(feld->value())
                                                                    .arg(fall.erwartet)));
            QCOMPARE(feld->text(), QString::number(fall.erwartet));
        }
    }

    // Return in a field confirms the dialog with the corrected value, not with the last accepted keystroke.
    void returnConfirmsTheCorrectedValue() {
        TFormEbene_eg dialog(meldungen);
        dialog.obereGrenzen(1920, 1080);
        QSpinBox* breite = feld(&dialog, "breite");
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        breite->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(breite, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(breite, QStringLiteral("2500"));
        QTest::keyClick(breite, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(breite->value(), 1920);
    }

    // The reference dialog fits what its kind shows, also after a use with the long draw list: exactly as tall
    // as its fields, and as large as a dialog of that kind used for the first time.
    void referenceDialogFitsItsKindAfterEveryUse() {
        Referenzlisten listen;
        for (int i = 1; i <= 30; ++i) {
            listen.auslosungen.append({QStringLiteral("Auslosung %1").arg(i), QString::number(i)});
        }
        listen.hallen = {{QStringLiteral("Halle 1"), QStringLiteral("1")},
                         {QStringLiteral("Halle 2"), QStringLiteral("2")}};
        listen.konkurrenzen = {{QStringLiteral("ALLE Konkurrenzen"), QStringLiteral("0")}};
        const auto zeigen = [](TFormAuslo_eg& d, int art) {
            d.neu(art);
            d.show();
            return QTest::qWaitForWindowExposed(&d);
        };
        TFormAuslo_eg dialog(meldungen);
        dialog.listenFuellen(listen);
        const int arten[] = {0, 4, 0, 8, 5};
        for (int art : arten) {
            TFormAuslo_eg erstmals(meldungen);
            erstmals.listenFuellen(listen);
            QVERIFY(zeigen(erstmals, art));
            QVERIFY(zeigen(dialog, art));
            QVERIFY2(dialog.size() == erstmals.size(), qPrintable(QStringLiteral("kind %1: %2x%3 instead of %4x%5")
                                                                      .arg(art)
                                                                      .arg(dialog.width())
                                                                      .arg(dialog.height())
                                                                      .arg(erstmals.width())
                                                                      .arg(erstmals.height())));
            QCOMPARE(dialog.height(), dialog.sizeHint().height()); // no empty space left below the fields
            dialog.hide();
        }
    }
};

QUENDA_GUI_TEST_MAIN(ElementdialogTest)
#include "ElementdialogTest.moc"
