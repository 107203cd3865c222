#pragma once

#include "transfer/Zielstatus.h"

#include <QWidget>

class QLabel;

namespace quenda {

// One status line per display target in the main window: whether the screens are current, what is still
// pending and since when and why deliveries fail (UI thread). The colour repeats what the text says.
class Zielstatusanzeige : public QWidget {
    Q_OBJECT
public:
    explicit Zielstatusanzeige(QWidget* eltern = nullptr);

    void zeigen(const Zielzustaende& ziele);
    // The line of the beamer/hall screen (false) or of the phones (true).
    QLabel* zeile(bool pocko) const { return m_zeilen[pocko ? 1 : 0]; }

private:
    QLabel* m_zeilen[2];
};

} // namespace quenda
