#include "TFormProfil.h"
#include "DialogBeantworter.h"
#include "GuiTestMain.h"
#include "TFormProfil_eg.h"
#include "Turnierkontext.h"
#include "presentation/ConfigDatei.h"
#include "settings/AblageDatei.h"
#include "settings/Profilspeicher.h"
#include "support/Dateien.h"
#include "support/MeldungenMerken.h"
#include "util/Programmuhr.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace quenda;
using namespace quenda::test;

namespace {

// Every file below ordner with its content, to see whether anything changed.
QStringList stand(const QString& ordner) {
    QStringList ergebnis;
    QDirIterator it(ordner, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString pfad = it.next();
        QFile f(pfad);
        ergebnis.append(QDir(ordner).relativeFilePath(pfad) + u'=' +
                        QString::fromUtf8(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray()));
    }
    ergebnis.sort();
    return ergebnis;
}

// Types name into the name dialog and presses OK.
QTableWidget* profilListe(TFormProfil& dialog) {
    return dialog.findChild<QTableWidget*>(QStringLiteral("profile"));
}

QPushButton* profilKnopf(TFormProfil& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

std::function<void(TFormProfil_eg*)> eingeben(const QString& name) {
    return [name](TFormProfil_eg* d) {
        d->findChild<QLineEdit*>(QStringLiteral("profilname"))->setText(name);
        d->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    };
}

} // namespace

class TFormProfilTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir;
    Turnierkontext kontext;
    TAblage ablage;
    MeldungenMerken meldungen;
    Programmuhr uhr;

    QString store() const { return kontext.apppath + QStringLiteral("profil"); }

    void arbeitsstand(const QByteArray& marke) {
        TAblage a;
        a.aktiv = 2;
        a.host = QString::fromLatin1("https://" + marke + ".example");
        a.dbzkd = QStringLiteral("20200101000000");
        Ablagesave(kontext.tsdir, a, uhr.jetzt());
        TBildschirm b;
        b.id = 1;
        b.wd = 1920;
        b.hg = 1080;
        ConfigSave(kontext.tsdir + QStringLiteral("/config_quenda.xml"), QString::fromLatin1(marke), {b});
        schreiben(kontext.tsdir + QStringLiteral("/meldung_1_1_1_1.txt"), "meldung " + marke);
        schreiben(kontext.tsdir + QStringLiteral("/images/logo.png"), "logo " + marke);
    }

    // Clicks knopf of the dialog and waits until every expected modal dialog was answered.
    void bedienen(DialogBeantworter& antworten, QPushButton* knopf) {
        knopf->click();
        QTRY_VERIFY(antworten.alleBeantwortet());
        QVERIFY2(antworten.unerwartet.isEmpty(), qPrintable(antworten.unerwartet.join(u',')));
    }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        kontext = Turnierkontext{};
        kontext.apppath = dir->path() + QStringLiteral("/app/");
        kontext.tsdir = dir->path() + QStringLiteral("/tsdir");
        kontext.dbturnier = QStringLiteral("Kreismeisterschaft 2026");
        QVERIFY(QDir().mkpath(store()));
        QVERIFY(QDir().mkpath(kontext.tsdir + QStringLiteral("/images")));
        arbeitsstand("v1");
        ablage = TAblage{};
        ablage.aktiv = 1;
        ablage.dbzkd = QStringLiteral("20261209140533");
        meldungen.texte.clear();
        uhr.festsetzen(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 33), Qt::UTC));
    }

    void listShowsTheProfilesAndButtonsFollowTheSelection() {
        QVERIFY(Profilspeicher(kontext.apppath).neu(QStringLiteral("Kreis"), kontext.tsdir).ok());
        QVERIFY(Profilspeicher(kontext.apppath).neu(QStringLiteral("Bezirk"), kontext.tsdir).ok());
        TFormProfil dialog(kontext, ablage, meldungen, uhr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Profile - QUENDA"));
        QCOMPARE(profilListe(dialog)->horizontalHeaderItem(0)->text(), QStringLiteral("Profilname"));
        QCOMPARE(profilListe(dialog)->horizontalHeaderItem(1)->text(), QStringLiteral("Datum"));
        QVERIFY(profilListe(dialog)->showGrid());
        QCOMPARE(profilListe(dialog)->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(profilListe(dialog)->rowCount(), 2);
        QStringList namen{profilListe(dialog)->item(0, 0)->text(), profilListe(dialog)->item(1, 0)->text()};
        namen.sort();
        QCOMPARE(namen, (QStringList{QStringLiteral("Bezirk"), QStringLiteral("Kreis")}));
        const QDateTime datum =
            QDateTime::fromString(profilListe(dialog)->item(0, 1)->text(), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        QVERIFY(datum.isValid());
        QVERIFY(std::abs(datum.secsTo(QDateTime::currentDateTime())) < 60);

        QCOMPARE(profilKnopf(dialog, "neu")->text(), QStringLiteral("&Neu"));
        QVERIFY(profilKnopf(dialog, "neu")->isEnabled());
        for (QPushButton* knopf :
             {profilKnopf(dialog, "aendern"), profilKnopf(dialog, "loeschen"), profilKnopf(dialog, "laden")}) {
            QVERIFY(!knopf->isEnabled());
        }
        profilListe(dialog)->selectRow(1);
        QCOMPARE(dialog.auswahl(), profilListe(dialog)->item(1, 0)->text());
        for (QPushButton* knopf :
             {profilKnopf(dialog, "aendern"), profilKnopf(dialog, "loeschen"), profilKnopf(dialog, "laden")}) {
            QVERIFY(knopf->isEnabled());
        }
    }

    void newRefusesTakenAndInvalidNamesAndKeepsTheDialogOpen() {
        QVERIFY(Profilspeicher(kontext.apppath).neu(QStringLiteral("Kreis"), kontext.tsdir).ok());
        TFormProfil dialog(kontext, ablage, meldungen, uhr);
        const QStringList vorher = stand(dir->path());
        DialogBeantworter antworten;
        antworten.erwarte<TFormProfil_eg>([](TFormProfil_eg* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Neu/Ändern Profil"));
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("profilname"))->text(), QString());
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("profilname"))->maxLength(), 50);
            eingeben(QStringLiteral("kreis"))(d);
        });
        for (const QString& name : {QStringLiteral("../x"), QStringLiteral("a/b"), QString()}) {
            antworten.erwarte<TFormProfil_eg>(eingeben(name)); // still open
        }
        antworten.erwarte<TFormProfil_eg>(
            [](TFormProfil_eg* d) { d->findChild<QPushButton*>(QStringLiteral("abbrechen"))->click(); });
        bedienen(antworten, profilKnopf(dialog, "neu"));

        QCOMPARE(meldungen.texte.size(), 4);
        QCOMPARE(meldungen.texte[0], QStringLiteral("Es existiert schon ein Profil mit dem Namen kreis!"));
        QCOMPARE(stand(dir->path()), vorher);

        antworten.erwarte<TFormProfil_eg>(eingeben(QStringLiteral("Bezirk")));
        bedienen(antworten, profilKnopf(dialog, "neu"));
        QCOMPARE(profilListe(dialog)->rowCount(), 2);
        QCOMPARE(dialog.auswahl(), QStringLiteral("Bezirk"));
        QCOMPARE(stand(store() + QStringLiteral("/Bezirk")), stand(store() + QStringLiteral("/Kreis")));
    }

    void changeRewritesTheProfileUnderTheSameOrANewName() {
        QVERIFY(Profilspeicher(kontext.apppath).neu(QStringLiteral("Kreis"), kontext.tsdir).ok());
        TFormProfil dialog(kontext, ablage, meldungen, uhr);
        arbeitsstand("v2");
        const QStringList v2 = stand(kontext.tsdir);

        // Same name: the profile holds the current working files.
        profilListe(dialog)->selectRow(0);
        DialogBeantworter antworten;
        antworten.erwarte<TFormProfil_eg>([](TFormProfil_eg* d) {
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("profilname"))->text(), QStringLiteral("Kreis"));
            d->findChild<QPushButton*>(QStringLiteral("ok"))->click();
        });
        bedienen(antworten, profilKnopf(dialog, "aendern"));
        QCOMPARE(stand(store() + QStringLiteral("/Kreis")), v2);

        // A change of case only is refused; a new name replaces the old profile.
        arbeitsstand("v3");
        QVERIFY(Profilspeicher(kontext.apppath).neu(QStringLiteral("Land"), kontext.tsdir).ok());
        dialog.ListeNeu();
        profilListe(dialog)->selectRow(
            profilListe(dialog)->findItems(QStringLiteral("Kreis"), Qt::MatchExactly).first()->row());
        antworten.erwarte<TFormProfil_eg>(eingeben(QStringLiteral("kreis")));
        antworten.erwarte<TFormProfil_eg>(eingeben(QStringLiteral("land")));
        antworten.erwarte<TFormProfil_eg>(eingeben(QStringLiteral("Bezirk")));
        bedienen(antworten, profilKnopf(dialog, "aendern"));
        QCOMPARE(meldungen.texte, (QStringList{QStringLiteral("Es existiert schon ein Profil mit dem Namen kreis!"),
                                               QStringLiteral("Es existiert schon ein Profil mit dem Namen land!")}));
        QVERIFY(!QDir(store() + QStringLiteral("/Kreis")).exists());
        QCOMPARE(stand(store() + QStringLiteral("/Bezirk")), stand(kontext.tsdir));
        QCOMPARE(dialog.auswahl(), QStringLiteral("Bezirk"));
        QCOMPARE(profilListe(dialog)->rowCount(), 2);
    }

    void failedChangeKeepsTheProfile() {
        QVERIFY(Profilspeicher(kontext.apppath).neu(QStringLiteral("Kreis"), kontext.tsdir).ok());
        TFormProfil dialog(kontext, ablage, meldungen, uhr);
        const QStringList vorher = stand(store());
        QFile::remove(kontext.tsdir + QStringLiteral("/config_quenda.xml"));
        profilListe(dialog)->selectRow(0);
        DialogBeantworter antworten;
        antworten.erwarte<TFormProfil_eg>(eingeben(QStringLiteral("Bezirk")));
        bedienen(antworten, profilKnopf(dialog, "aendern"));
        QCOMPARE(meldungen.texte.size(), 1);
        QVERIFY(meldungen.texte[0].contains(QStringLiteral("config_quenda.xml")));
        QCOMPARE(stand(store()), vorher);
        QCOMPARE(profilListe(dialog)->rowCount(), 1);
        QCOMPARE(profilListe(dialog)->item(0, 0)->text(), QStringLiteral("Kreis"));
    }

    void deleteAsksFirst() {
        QVERIFY(Profilspeicher(kontext.apppath).neu(QStringLiteral("Kreis"), kontext.tsdir).ok());
        TFormProfil dialog(kontext, ablage, meldungen, uhr);
        profilListe(dialog)->selectRow(0);
        DialogBeantworter antworten;
        for (const auto antwort : {QMessageBox::No, QMessageBox::Yes}) {
            antworten.erwarte<QMessageBox>([antwort](QMessageBox* box) {
                QCOMPARE(box->text(), QStringLiteral("Soll Profil Kreis wirklich gelöscht werden ?"));
                QCOMPARE(box->icon(), QMessageBox::Warning);
                QCOMPARE(box->button(QMessageBox::Yes)->text(), QStringLiteral("&Ja")); // Qt's German texts
                QCOMPARE(box->button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
                box->button(antwort)->click();
            });
            bedienen(antworten, profilKnopf(dialog, "loeschen"));
            QCOMPARE(QDir(store() + QStringLiteral("/Kreis")).exists(), antwort == QMessageBox::No);
        }
        QCOMPARE(profilListe(dialog)->rowCount(), 0);
        QVERIFY(!profilKnopf(dialog, "loeschen")->isEnabled());
        QVERIFY(QFile::exists(kontext.tsdir + QStringLiteral("/config_quenda.xml")));
    }

    void loadAnsweredWithTheDefaultChangesNothingAndYesLoads() {
        QVERIFY(Profilspeicher(kontext.apppath).neu(QStringLiteral("Kreis"), kontext.tsdir).ok());
        arbeitsstand("eigen");
        TFormProfil dialog(kontext, ablage, meldungen, uhr);
        profilListe(dialog)->selectRow(0);
        const QStringList vorher = stand(kontext.tsdir);
        const TAblage ablageVorher = ablage;

        DialogBeantworter antworten;
        antworten.erwarte<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->text(), QStringLiteral("Soll Profil Kreis wirklich geladen werden ?\r\n"
                                                 "Alle vorhandenen Daten (Präsentation) werden überschrieben!"));
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            box->defaultButton()->click();
        });
        bedienen(antworten, profilKnopf(dialog, "laden"));
        QCOMPARE(stand(kontext.tsdir), vorher);
        QVERIFY(ablage == ablageVorher);
        QVERIFY(meldungen.texte.isEmpty());

        antworten.erwarte<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        bedienen(antworten, profilKnopf(dialog, "laden"));
        QCOMPARE(meldungen.texte, QStringList{QStringLiteral("Das Profil Kreis wurde geladen!")});
        QCOMPARE(ablage.host, QStringLiteral("https://v1.example"));
        QCOMPARE(ablage.dbzkd, QStringLiteral("20261209140533"));
        QFile praesentation(kontext.tsdir + QStringLiteral("/config_quenda.xml"));
        QVERIFY(praesentation.open(QIODevice::ReadOnly));
        QVERIFY(praesentation.readAll().contains("<Turniername bez=\"Kreismeisterschaft 2026\"/>"));
    }
};

QUENDA_GUI_TEST_MAIN(TFormProfilTest)
#include "TFormProfilTest.moc"
