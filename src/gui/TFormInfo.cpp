#include "TFormInfo.h"

#include "Programmsymbol.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenda {

namespace {

QFrame* gerahmt(const QString& text, QWidget* eltern) {
    auto* rahmen = new QFrame(eltern);
    rahmen->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(rahmen);
    layout->addWidget(new QLabel(text, rahmen));
    return rahmen;
}

} // namespace

TFormInfo::TFormInfo(const QString& prgversion, const QString& programmdatei, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("Info zum Programm"));
    auto* layout = new QVBoxLayout(this);
    auto* titel = new QLabel(QStringLiteral("Tischtennis"), this);
    QFont f = titel->font();
    f.setPointSize(f.pointSize() + 8);
    f.setBold(true);
    titel->setFont(f);
    titel->setAlignment(Qt::AlignCenter);
    auto* untertitel = new QLabel(QStringLiteral("Quenda – Live-Präsentation für Turniere"), this);
    untertitel->setAlignment(Qt::AlignCenter);
    auto* symbol = new QLabel(this);
    symbol->setPixmap(programmsymbol(80));
    symbol->setAlignment(Qt::AlignCenter);
    m_versionText = QStringLiteral("Version: ") + prgversion;
    const QDate datum = QFileInfo(programmdatei).lastModified().date();
    layout->addWidget(titel);
    layout->addWidget(untertitel);
    layout->addWidget(symbol);
    layout->addWidget(gerahmt(m_versionText, this));
    layout->addWidget(gerahmt(QStringLiteral("vom ") + datum.toString(QStringLiteral("dd.MM.yyyy")), this));
    auto* knoepfe = new QDialogButtonBox(this);
    QPushButton* ok = knoepfe->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(knoepfe);
    setMinimumWidth(320);
}

} // namespace quenda
