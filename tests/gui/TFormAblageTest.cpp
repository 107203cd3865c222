#include "TFormAblage.h"
#include "GuiTestMain.h"
#include "settings/AblageDatei.h"
#include "util/MeldungsAusgabe.h"
#include "util/Programmuhr.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace quenda;

namespace {

struct MeldungenMerken : MeldungsAusgabe {
    QStringList texte;
    void meldung(const QString& text) override { texte.append(text); }
};

// Runs aktion on the storage dialog once it is up, polling from the event loop so that the dialog's own
// loop stays free.
void imDialog(std::function<void(TFormAblage*)> aktion) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, aktion]() {
        if (auto* dialog = qobject_cast<TFormAblage*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            aktion(dialog);
        }
    });
    timer->start(10);
}

QString erforderlich(const char* feld) {
    return QStringLiteral("Es ist eine Eingabe im Feld ") + QString::fromUtf8(feld) + QStringLiteral(" erforderlich.");
}

} // namespace

class TFormAblageTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    MeldungenMerken meldungen;
    Programmuhr uhr;

    TAblage gespeichert() {
        TAblage a;
        MeldungenMerken m;
        AblageLoad(dir.path(), a, m);
        return a;
    }

private Q_SLOTS:
    void init() {
        meldungen.texte.clear();
        QFile::remove(QDir(dir.path()).filePath(QStringLiteral("config_ablage.xml")));
        uhr.festsetzen(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 33), Qt::UTC));
    }

    void controlsShowTheRecord() {
        TAblage a;
        a.anzweb = 1;
        a.aktiv = 0; // no settings file yet: shown as HTTP(S)
        a.pocko = 0;
        a.aktivpocko = 1;
        a.host = QStringLiteral("https://h");
        a.impressum = QStringLiteral("https://i");
        a.dbzkd = QStringLiteral("20261201080000");
        TFormAblage dialog(a, meldungen);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Webserver Ablage"));
        QVERIFY(dialog.CheckBoxAnzweb->isChecked());
        QVERIFY(dialog.RadioHttp->isChecked());
        QVERIFY(!dialog.CheckBoxPocko->isChecked());
        QVERIFY(dialog.RadioVerzeichnisPocko->isChecked());
        QCOMPARE(dialog.EditHost->text(), QStringLiteral("https://h"));
        QCOMPARE(dialog.EditImpressum->text(), QStringLiteral("https://i"));
        QCOMPARE(dialog.EditZkd->text(), QStringLiteral("20261201080000"));
        QVERIFY(dialog.EditZkd->isReadOnly());
        QVERIFY(dialog.ButtonOk->isDefault());
    }

    // The fields of both sections begin at one x, the locked folder name looks read-only until it is unlocked,
    // and no two buttons share an accelerator letter.
    void layoutLinesUpAndEveryButtonHasItsOwnAccelerator() {
        TAblage a;
        a.dbzkd = QStringLiteral("20261201080000");
        TFormAblage dialog(a, meldungen);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const auto x = [&dialog](const QWidget* w) { return w->mapTo(&dialog, QPoint(0, 0)).x(); };
        const int links = x(dialog.EditHost);
        for (const QWidget* feld : std::initializer_list<const QWidget*>{
                 dialog.EditVerzeichnis, dialog.EditSteuerdatei, dialog.EditToken, dialog.EditVerzeichnisPocko,
                 dialog.EditHostPocko, dialog.EditSteuerdateiPocko, dialog.EditTokenPocko, dialog.EditImpressum,
                 dialog.EditDatenschutz}) {
            QCOMPARE(x(feld), links);
        }

        const QColor eingabe = dialog.EditHost->palette().color(QPalette::Base);
        QVERIFY(dialog.EditZkd->isReadOnly());
        QVERIFY(dialog.EditZkd->palette().color(QPalette::Base) != eingabe);
        QCOMPARE(dialog.EditZkd->palette().color(QPalette::Base), dialog.palette().color(QPalette::Window));
        QTest::mouseClick(dialog.ButtonZkd, Qt::LeftButton);
        QVERIFY(!dialog.EditZkd->isReadOnly());
        QCOMPARE(dialog.EditZkd->palette().color(QPalette::Base), eingabe);

        QMap<QChar, QString> belegt;
        for (const QAbstractButton* knopf : dialog.findChildren<QAbstractButton*>()) {
            const QString text = knopf->text();
            const qsizetype stelle = text.indexOf(u'&');
            if (qobject_cast<const QPushButton*>(knopf)) {
                QVERIFY2(stelle >= 0 && stelle + 1 < text.size(), qPrintable(text));
            }
            if (stelle < 0) {
                continue;
            }
            const QChar buchstabe = text.at(stelle + 1).toLower();
            QVERIFY2(!belegt.contains(buchstabe), qPrintable(text + QStringLiteral(" / ") + belegt.value(buchstabe)));
            belegt.insert(buchstabe, text);
        }
        QVERIFY(belegt.size() >= 5);
    }

    void okNamesEveryMissingFieldOfTheTickedTargetsInOrderAndStaysOpen() {
        TAblage ablage;
        QStringList ersteRunde;
        bool offenGeblieben = false;
        imDialog([&](TFormAblage* d) {
            d->CheckBoxAnzweb->setChecked(true);
            d->RadioHttp->setChecked(true);
            d->EditHost->setText(QStringLiteral("   "));
            d->CheckBoxPocko->setChecked(true);
            d->RadioVerzeichnisPocko->setChecked(true);
            d->ButtonOk->click();
            ersteRunde = meldungen.texte;
            offenGeblieben = d->isVisible();
            d->EditHost->setText(QStringLiteral("https://turnier.example"));
            d->EditSteuerdatei->setText(QStringLiteral("/quenda"));
            d->EditVerzeichnisPocko->setText(QStringLiteral("/srv/pocko/"));
            d->ButtonOk->click();
        });
        QVERIFY(TFormAblage::WebserverAblage(nullptr, dir.path(), ablage, meldungen, uhr));

        QCOMPARE(ersteRunde, (QStringList{erforderlich("HOST (Internetadresse)"), erforderlich("Steuerdatei (php)"),
                                          erforderlich("Verzeichnis Pocko Webserver Ablage")}));
        QVERIFY(offenGeblieben);
        QCOMPARE(ablage.anzweb, 1);
        QCOMPARE(ablage.aktiv, 2);
        QCOMPARE(ablage.pocko, 1);
        QCOMPARE(ablage.aktivpocko, 1);
        QCOMPARE(ablage.verzeichnispocko, QStringLiteral("/srv/pocko/"));
        QCOMPARE(ablage.dbzkd, QStringLiteral("20261209140533")); // the first save stamps the folder name
        QCOMPARE(gespeichert(), ablage);
    }

    void fieldsOfAnUntickedTargetMayStayEmpty() {
        TAblage ablage;
        imDialog([](TFormAblage* d) {
            d->CheckBoxAnzweb->setChecked(false);
            d->RadioVerzeichnis->setChecked(true);
            d->CheckBoxPocko->setChecked(false);
            d->ButtonOk->click();
        });
        QVERIFY(TFormAblage::WebserverAblage(nullptr, dir.path(), ablage, meldungen, uhr));
        QVERIFY(meldungen.texte.isEmpty());
        QCOMPARE(ablage.aktiv, 1);
    }

    void anUnlockedFolderNameIsStored() {
        TAblage ablage;
        ablage.dbzkd = QStringLiteral("20261201080000");
        imDialog([](TFormAblage* d) {
            d->ButtonZkd->click();
            QVERIFY(!d->EditZkd->isReadOnly());
            d->EditZkd->setText(QStringLiteral("Stadtmeisterschaft"));
            d->ButtonOk->click();
        });
        QVERIFY(TFormAblage::WebserverAblage(nullptr, dir.path(), ablage, meldungen, uhr));
        QCOMPARE(ablage.dbzkd, QStringLiteral("Stadtmeisterschaft"));
        QCOMPARE(gespeichert().dbzkd, QStringLiteral("Stadtmeisterschaft"));
    }

    void cancelChangesNothing() {
        TAblage ablage;
        ablage.host = QStringLiteral("alt");
        const TAblage vorher = ablage;
        imDialog([](TFormAblage* d) {
            d->EditHost->setText(QStringLiteral("neu"));
            d->ButtonAbbrechen->click();
        });
        QVERIFY(!TFormAblage::WebserverAblage(nullptr, dir.path(), ablage, meldungen, uhr));
        QCOMPARE(ablage, vorher);
        QVERIFY(!QFile::exists(QDir(dir.path()).filePath(QStringLiteral("config_ablage.xml"))));
    }

    void aChosenFolderGetsATrailingSeparatorAndCancelKeepsTheField() {
        TFormAblage dialog(TAblage{}, meldungen);
        QString start = QStringLiteral("?");
        dialog.EditVerzeichnis->setText(QStringLiteral("/srv/alt/"));
        dialog.setDateiWahl([&start](QWidget*, const QString& feld) {
            start = feld;
            return QStringLiteral("/srv/www/anzeige");
        });
        dialog.ButtonVerzeichnis->click();
        QCOMPARE(start, QStringLiteral("/srv/alt/"));
        QCOMPARE(dialog.EditVerzeichnis->text(), QDir::toNativeSeparators(QStringLiteral("/srv/www/anzeige/")));
        dialog.EditVerzeichnisPocko->setText(QStringLiteral("/srv/pocko/"));
        dialog.setDateiWahl([](QWidget*, const QString&) { return QString(); }); // cancelled: the field stays
        dialog.ButtonVerzeichnisPocko->click();
        QCOMPARE(dialog.EditVerzeichnisPocko->text(), QStringLiteral("/srv/pocko/"));
    }
};

QUENDA_GUI_TEST_MAIN(TFormAblageTest)
#include "TFormAblageTest.moc"
