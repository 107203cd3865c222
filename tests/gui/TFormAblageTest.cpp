#include "TFormAblage.h"
#include "GuiTestMain.h"
#include "settings/AblageDatei.h"
#include "support/MeldungenMerken.h"
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
using namespace quenda::test;

namespace {

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
        if (const Ergebnis<void> geladen = AblageLoad(dir.path(), a); !geladen.ok()) {
            QTest::qFail(qPrintable(geladen.fehler()), __FILE__, __LINE__);
        }
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
        QVERIFY(teil<QCheckBox>(&dialog, "CheckBoxAnzweb")->isChecked());
        QVERIFY(teil<QRadioButton>(&dialog, "RadioHttp")->isChecked());
        QVERIFY(!teil<QCheckBox>(&dialog, "CheckBoxPocko")->isChecked());
        QVERIFY(teil<QRadioButton>(&dialog, "RadioVerzeichnisPocko")->isChecked());
        QCOMPARE(teil<QLineEdit>(&dialog, "EditHost")->text(), QStringLiteral("https://h"));
        QCOMPARE(teil<QLineEdit>(&dialog, "EditImpressum")->text(), QStringLiteral("https://i"));
        QCOMPARE(teil<QLineEdit>(&dialog, "EditZkd")->text(), QStringLiteral("20261201080000"));
        QVERIFY(teil<QLineEdit>(&dialog, "EditZkd")->isReadOnly());
        QVERIFY(teil<QPushButton>(&dialog, "ButtonOk")->isDefault());
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
        const int links = x(teil<QLineEdit>(&dialog, "EditHost"));
        for (const QWidget* feld : std::initializer_list<const QWidget*>{
                 teil<QLineEdit>(&dialog, "EditVerzeichnis"), teil<QLineEdit>(&dialog, "EditSteuerdatei"),
                 teil<QLineEdit>(&dialog, "EditToken"), teil<QLineEdit>(&dialog, "EditVerzeichnisPocko"),
                 teil<QLineEdit>(&dialog, "EditHostPocko"), teil<QLineEdit>(&dialog, "EditSteuerdateiPocko"),
                 teil<QLineEdit>(&dialog, "EditTokenPocko"), teil<QLineEdit>(&dialog, "EditImpressum"),
                 teil<QLineEdit>(&dialog, "EditDatenschutz")}) {
            QCOMPARE(x(feld), links);
        }

        const QColor eingabe = teil<QLineEdit>(&dialog, "EditHost")->palette().color(QPalette::Base);
        QVERIFY(teil<QLineEdit>(&dialog, "EditZkd")->isReadOnly());
        QVERIFY(teil<QLineEdit>(&dialog, "EditZkd")->palette().color(QPalette::Base) != eingabe);
        QCOMPARE(teil<QLineEdit>(&dialog, "EditZkd")->palette().color(QPalette::Base),
                 dialog.palette().color(QPalette::Window));
        QTest::mouseClick(teil<QPushButton>(&dialog, "ButtonZkd"), Qt::LeftButton);
        QVERIFY(!teil<QLineEdit>(&dialog, "EditZkd")->isReadOnly());
        QCOMPARE(teil<QLineEdit>(&dialog, "EditZkd")->palette().color(QPalette::Base), eingabe);

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
            teil<QCheckBox>(d, "CheckBoxAnzweb")->setChecked(true);
            teil<QRadioButton>(d, "RadioHttp")->setChecked(true);
            teil<QLineEdit>(d, "EditHost")->setText(QStringLiteral("   "));
            teil<QCheckBox>(d, "CheckBoxPocko")->setChecked(true);
            teil<QRadioButton>(d, "RadioVerzeichnisPocko")->setChecked(true);
            teil<QPushButton>(d, "ButtonOk")->click();
            ersteRunde = meldungen.texte;
            offenGeblieben = d->isVisible();
            teil<QLineEdit>(d, "EditHost")->setText(QStringLiteral("https://turnier.example"));
            teil<QLineEdit>(d, "EditSteuerdatei")->setText(QStringLiteral("/quenda"));
            teil<QLineEdit>(d, "EditVerzeichnisPocko")->setText(QStringLiteral("/srv/pocko/"));
            teil<QPushButton>(d, "ButtonOk")->click();
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
            teil<QCheckBox>(d, "CheckBoxAnzweb")->setChecked(false);
            teil<QRadioButton>(d, "RadioVerzeichnis")->setChecked(true);
            teil<QCheckBox>(d, "CheckBoxPocko")->setChecked(false);
            teil<QPushButton>(d, "ButtonOk")->click();
        });
        QVERIFY(TFormAblage::WebserverAblage(nullptr, dir.path(), ablage, meldungen, uhr));
        QVERIFY(meldungen.texte.isEmpty());
        QCOMPARE(ablage.aktiv, 1);
    }

    void anUnlockedFolderNameIsStored() {
        TAblage ablage;
        ablage.dbzkd = QStringLiteral("20261201080000");
        imDialog([](TFormAblage* d) {
            teil<QPushButton>(d, "ButtonZkd")->click();
            QVERIFY(!teil<QLineEdit>(d, "EditZkd")->isReadOnly());
            teil<QLineEdit>(d, "EditZkd")->setText(QStringLiteral("Stadtmeisterschaft"));
            teil<QPushButton>(d, "ButtonOk")->click();
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
            teil<QLineEdit>(d, "EditHost")->setText(QStringLiteral("neu"));
            teil<QPushButton>(d, "ButtonAbbrechen")->click();
        });
        QVERIFY(!TFormAblage::WebserverAblage(nullptr, dir.path(), ablage, meldungen, uhr));
        QCOMPARE(ablage, vorher);
        QVERIFY(!QFile::exists(QDir(dir.path()).filePath(QStringLiteral("config_ablage.xml"))));
    }

    void aChosenFolderGetsATrailingSeparatorAndCancelKeepsTheField() {
        TFormAblage dialog(TAblage{}, meldungen);
        QString start = QStringLiteral("?");
        teil<QLineEdit>(&dialog, "EditVerzeichnis")->setText(QStringLiteral("/srv/alt/"));
        dialog.setDateiWahl([&start](QWidget*, const QString& feld) {
            start = feld;
            return QStringLiteral("/srv/www/anzeige");
        });
        teil<QPushButton>(&dialog, "ButtonVerzeichnis")->click();
        QCOMPARE(start, QStringLiteral("/srv/alt/"));
        QCOMPARE(teil<QLineEdit>(&dialog, "EditVerzeichnis")->text(),
                 QDir::toNativeSeparators(QStringLiteral("/srv/www/anzeige/")));
        teil<QLineEdit>(&dialog, "EditVerzeichnisPocko")->setText(QStringLiteral("/srv/pocko/"));
        dialog.setDateiWahl([](QWidget*, const QString&) { return QString(); }); // cancelled: the field stays
        teil<QPushButton>(&dialog, "ButtonVerzeichnisPocko")->click();
        QCOMPARE(teil<QLineEdit>(&dialog, "EditVerzeichnisPocko")->text(), QStringLiteral("/srv/pocko/"));
    }
};

QUENDA_GUI_TEST_MAIN(TFormAblageTest)
#include "TFormAblageTest.moc"
