#pragma once

#include <QMainWindow>

class QPlainTextEdit;

namespace quenda {

// The main window (UI thread). For now a shell that shows the event memo.
class TFormHaupt : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormHaupt(const QString& prgversion, QWidget* parent = nullptr);

public Q_SLOTS:
    void memoZeile(const QString& zeile);

private:
    QPlainTextEdit* Memo1;
};

} // namespace quenda
