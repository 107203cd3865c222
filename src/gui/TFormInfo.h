// TFormInfo — the dialog "Info zum Programm" with version and program date
#pragma once

#include <QDialog>

namespace quenda {

// "Info zum Programm": version and program date (UI thread).
class TFormInfo : public QDialog {
    Q_OBJECT
public:
    TFormInfo(const QString& prgversion, const QString& programmdatei, QWidget* parent = nullptr);
    QString versionText() const { return m_versionText; }

private:
    QString m_versionText;
};

} // namespace quenda
