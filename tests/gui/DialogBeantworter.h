#pragma once

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <queue>

// Answers the modal dialogs a test expects, in order. A polling timer finds the dialog and queues the
// answer, so no answer runs inside the poll and a dialog opened by an answer is found by the next poll.
// An unexpected modal dialog is rejected and recorded.
class DialogBeantworter : public QObject {
public:
    DialogBeantworter() {
        connect(&m_timer, &QTimer::timeout, this, &DialogBeantworter::pruefen);
        m_timer.start(10);
    }

    template <typename T>
    void erwarte(std::function<void(T*)> aktion) {
        m_schritte.push({[](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
                         [aktion](QWidget* w) { aktion(qobject_cast<T*>(w)); }});
    }

    // Confirms a message box and keeps its text.
    void erwarteMeldung() {
        erwarte<QMessageBox>([this](QMessageBox* box) {
            meldungen.append(box->text());
            box->accept();
        });
    }

    bool alleBeantwortet() const { return m_schritte.empty() && !m_geplant; }

    QStringList meldungen;
    QStringList unerwartet;

private:
    struct Schritt {
        std::function<bool(QWidget*)> passt;
        std::function<void(QWidget*)> aktion;
    };

    void pruefen() {
        QWidget* modal = QApplication::activeModalWidget();
        // A dialog whose answer is still running (and waits for events meanwhile) is neither answered again nor
        // unexpected; a dialog it opens is answered as usual.
        if (!modal || m_geplant || m_inArbeit.contains(modal)) {
            return;
        }
        if (!m_schritte.empty() && m_schritte.front().passt(modal)) {
            m_verdacht = nullptr;
            Schritt schritt = m_schritte.front();
            m_schritte.pop();
            m_geplant = true;
            QPointer<QWidget> ziel(modal);
            QTimer::singleShot(0, this, [this, schritt, ziel]() {
                m_geplant = false;
                if (ziel) {
                    m_inArbeit.append(ziel);
                    schritt.aktion(ziel);
                    m_inArbeit.removeAll(ziel);
                }
            });
            return;
        }
        // Judged at the next poll only: the answer to a nested dialog closes it while the dialog below it is
        // still busy for a moment, and a poll in the same pass of the event loop would see that one.
        if (m_verdacht != modal) {
            m_verdacht = modal;
            return;
        }
        m_verdacht = nullptr;
        unerwartet.append(QString::fromLatin1(modal->metaObject()->className()) + u' ' + modal->windowTitle());
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    }

    QTimer m_timer;
    std::queue<Schritt> m_schritte;
    bool m_geplant = false;
    QPointer<QWidget> m_verdacht;
    QList<QPointer<QWidget>> m_inArbeit;
};
