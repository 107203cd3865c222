// TFormsplash — the splash window shown while the windows are made
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace quenda {

// The splash window shown while the windows are created (UI thread).
class TFormsplash : public QWidget {
    Q_OBJECT
public:
    explicit TFormsplash(const QString& prgversion, QWidget* parent = nullptr);

    // Shows the version and the progress (0 to 100) and repaints at once.
    void Shownextstep(int position);

private:
    QString m_prgversion;
    QLabel* m_version;
    QProgressBar* m_fortschritt;
};

} // namespace quenda
