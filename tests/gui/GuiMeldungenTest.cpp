#include "GuiMeldungen.h"
#include "GuiTestMain.h"
#include "util/Routinen.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

using namespace quenda;

namespace {

// Confirms the next message box once it is up and remembers its text. Polls from the event loop rather
// than waiting inside a handler: the box's own loop must be free to run.
void naechsteBoxBestaetigen(QString* text) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, text]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
            *text = box->text();
            box->accept();
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

} // namespace

class GuiMeldungenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void requiredFieldMessageIsShownAsABox() {
        GuiMeldungen meldungen;
        QString gezeigt;
        naechsteBoxBestaetigen(&gezeigt);
        QVERIFY(!eingabe_prf(QStringLiteral("  "), QStringLiteral("Turnier"), meldungen));
        QCOMPARE(gezeigt, QStringLiteral("Es ist eine Eingabe im Feld Turnier erforderlich."));
    }

    void hintDoesNotWaitForTheBox() {
        GuiMeldungen meldungen;
        meldungen.hinweis(QStringLiteral("Tischbelegung: Zeile fehlerhaft")); // returns before any box is up
        QString gezeigt;
        naechsteBoxBestaetigen(&gezeigt);
        QTRY_COMPARE(gezeigt, QStringLiteral("Tischbelegung: Zeile fehlerhaft"));
    }

    void workerThreadWaitsUntilTheBoxIsConfirmed() {
        GuiMeldungen meldungen;
        QString gezeigt;
        std::atomic<bool> fertig{false};
        naechsteBoxBestaetigen(&gezeigt);
        std::thread arbeiter([&]() {
            meldungen.meldung(QStringLiteral("Übertragung fehlgeschlagen"));
            fertig = true;
        });
        QTRY_VERIFY(fertig.load());
        arbeiter.join();
        QCOMPARE(gezeigt, QStringLiteral("Übertragung fehlgeschlagen"));
    }
};

QUENDA_GUI_TEST_MAIN(GuiMeldungenTest)
#include "GuiMeldungenTest.moc"
