#pragma once

#include "util/MeldungsAusgabe.h"

#include <QObject>

class QWidget;

namespace quenda {

// Shows the core's messages as modal boxes on the UI thread (lives there). Called from another thread,
// the caller waits until the box is confirmed, as the transfer cycle does for its failure messages.
class GuiMeldungen : public QObject, public MeldungsAusgabe {
    Q_OBJECT
public:
    explicit GuiMeldungen(QWidget* eltern = nullptr);
    void meldung(const QString& text) override;
    void hinweis(const QString& text) override;

private Q_SLOTS:
    void zeigen(const QString& text);

private:
    QWidget* m_eltern;
};

} // namespace quenda
