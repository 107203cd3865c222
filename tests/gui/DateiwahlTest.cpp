#include "DialogBeantworter.h"
#include "GuiTestMain.h"
#include "TFormAblage.h"
#include "TFormDB_connect.h"
#include "support/MeldungenMerken.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quenda;
using namespace quenda::test;

namespace {

QStringList texte(const QList<QLabel*>& labels) {
    QStringList t;
    for (const QLabel* l : labels) {
        if (!l->text().isEmpty()) {
            t.append(l->text());
        }
    }
    return t;
}

QStringList knopftexte(const QFileDialog* dialog) {
    QStringList t;
    for (const QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons()) {
        t.append(b->text());
    }
    return t;
}

QPushButton* knopf(QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

} // namespace

// The program's file and folder choices are Qt's own dialogs with Qt's German texts.
class DateiwahlTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void databaseChoiceIsAGermanFileDialog() {
        TFormDB_connect dialog;
        DialogBeantworter b;
        b.erwarte<TFormDB_connect>(
            [](TFormDB_connect* d) { knopf(d, QStringLiteral("&Datenbank auswählen"))->click(); });
        QString titel;
        QStringList beschriftungen;
        QStringList knoepfe;
        QString dateiname;
        b.erwarte<QFileDialog>([&](QFileDialog* f) {
            titel = f->windowTitle();
            beschriftungen = texte(f->findChildren<QLabel*>());
            knoepfe = knopftexte(f);
            dateiname = f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            f->reject();
        });
        b.erwarte<TFormDB_connect>([](TFormDB_connect* d) { knopf(d, QStringLiteral("&Schließen"))->click(); });
        QVERIFY(!dialog.zeigen(1, QStringLiteral("no")));
        QVERIFY(b.alleBeantwortet());
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QCOMPARE(titel, QStringLiteral("Turnier-Datenbank auswählen"));
        QCOMPARE(dateiname, QStringLiteral("*.mdb"));
        for (const QString& deutsch :
             {QStringLiteral("Suchen in:"), QStringLiteral("Datei&name:"), QStringLiteral("Dateien des Typs:")}) {
            QVERIFY2(beschriftungen.contains(deutsch), qPrintable(beschriftungen.join(u'|')));
        }
        QCOMPARE(knoepfe, (QStringList{QStringLiteral("&Öffnen"), QStringLiteral("Abbrechen")}));
    }

    // "Verzeichnis auswählen" of "Webserver Ablage" chooses a folder, opening at the field's value.
    void storageRootIsChosenInAGermanFolderDialog() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("alt")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("neu")));
        MeldungenMerken meldungen;
        TAblage ablage;
        ablage.verzeichnis = QDir::toNativeSeparators(dir.filePath(QStringLiteral("alt"))) + QDir::separator();
        TFormAblage dialog(ablage, meldungen);
        DialogBeantworter b;
        QString titel;
        QString geoeffnet;
        bool nurOrdner = false;
        QStringList knoepfe;
        b.erwarte<QFileDialog>([&](QFileDialog* f) {
            titel = f->windowTitle();
            geoeffnet = f->directory().absolutePath();
            nurOrdner = f->fileMode() == QFileDialog::Directory;
            knoepfe = knopftexte(f);
            auto* name = f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(dir.filePath(QStringLiteral("neu")));
            QTest::keyClick(name, Qt::Key_Return);
        });
        teil<QPushButton>(&dialog, "ButtonVerzeichnis")->click();
        QVERIFY(b.alleBeantwortet());
        QVERIFY2(b.unerwartet.isEmpty(), qPrintable(b.unerwartet.join(u',')));
        QCOMPARE(titel, QStringLiteral("Verzeichnis auswählen"));
        QCOMPARE(geoeffnet, dir.filePath(QStringLiteral("alt")));
        QVERIFY(nurOrdner);
        QCOMPARE(knoepfe, (QStringList{QStringLiteral("&Auswählen"), QStringLiteral("Abbrechen")}));
        QCOMPARE(teil<QLineEdit>(&dialog, "EditVerzeichnis")->text(),
                 QDir::toNativeSeparators(dir.filePath(QStringLiteral("neu"))) + QDir::separator());
    }
};

QUENDA_GUI_TEST_MAIN(DateiwahlTest)
#include "DateiwahlTest.moc"
