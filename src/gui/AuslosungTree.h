// AuslosungTree — the main window's tree of tracked draws and participant lists
#pragma once

#include "draws/AuslosungsBaum.h"

#include <QColor>
#include <QIcon>
#include <QTreeWidget>

namespace quenda {

// The draw tree of the main window's left column (UI thread). A view only: it is rebuilt whole from each
// snapshot the detection pass hands over. Draws in operation and the root are green, released-only draws
// and participant lists blue; the image tells a new item (0) from one refreshed since (1).
class AuslosungTree : public QTreeWidget {
    Q_OBJECT
public:
    // The node payload: betrieb of the item, 3 for the root; leaves carry none.
    static constexpr int betriebRolle = Qt::UserRole;

    explicit AuslosungTree(QWidget* parent = nullptr);

    static QColor farbe(int betrieb);
    QIcon bild(int updstatus) const { return updstatus == 0 ? m_neu : m_bekannt; }

public Q_SLOTS:
    void aufbauen(const quenda::AuslosungsBaum& baum);

private:
    QIcon m_neu;
    QIcon m_bekannt;
};

} // namespace quenda
