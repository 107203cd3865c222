#include "TFormHaupt.h"

#include <QPlainTextEdit>
#include <QStatusBar>

namespace quenda {

TFormHaupt::TFormHaupt(const QString& prgversion, QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Quenda ") + prgversion);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    setCentralWidget(Memo1);
    statusBar()->showMessage(QStringLiteral("Bereit"));
    resize(1200, 700);
}

void TFormHaupt::memoZeile(const QString& zeile) {
    Memo1->appendPlainText(zeile);
}

} // namespace quenda
