#include "GuiMeldungen.h"

#include <QMessageBox>
#include <QThread>

namespace quenda {

GuiMeldungen::GuiMeldungen(QWidget* eltern) : m_eltern(eltern) {}

void GuiMeldungen::meldung(const QString& text) {
    if (QThread::currentThread() == thread()) {
        zeigen(text);
    } else {
        QMetaObject::invokeMethod(this, "zeigen", Qt::BlockingQueuedConnection, Q_ARG(QString, text));
    }
}

void GuiMeldungen::hinweis(const QString& text) {
    QMetaObject::invokeMethod(this, "zeigen", Qt::QueuedConnection, Q_ARG(QString, text));
}

void GuiMeldungen::zeigen(const QString& text) {
    QMessageBox::information(m_eltern, QStringLiteral("Quenda"), text);
}

} // namespace quenda
