#include "TFormProfil.h"

#include "TFormProfil_eg.h"
#include "Turnierkontext.h"
#include "settings/TAblage.h"
#include "util/MeldungsAusgabe.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quenda {

TFormProfil::TFormProfil(const Turnierkontext& kontext, TAblage& Ablage, MeldungsAusgabe& meldungen, Programmuhr& uhr,
                         QWidget* parent)
    : QDialog(parent), m_kontext(kontext), m_ablage(Ablage), m_meldungen(meldungen), m_uhr(uhr),
      m_speicher(kontext.apppath) {
    setWindowTitle(QStringLiteral("Profile - QUENDA"));

    ListView1 = new QTableWidget(0, 2, this);
    ListView1->setHorizontalHeaderLabels({QStringLiteral("Profilname"), QStringLiteral("Datum")});
    ListView1->setShowGrid(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->verticalHeader()->hide();
    ListView1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListView1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

    Button1 = new QPushButton(QStringLiteral("&Neu"), this);
    Button2 = new QPushButton(QStringLiteral("&Ändern"), this);
    Button3 = new QPushButton(QStringLiteral("&Löschen"), this);
    Button4 = new QPushButton(QStringLiteral("&Präsentation Laden"), this);
    ButtonSchliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    for (QPushButton* knopf : {Button1, Button2, Button3, Button4, ButtonSchliessen}) {
        knopf->setAutoDefault(false);
    }

    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(Button1);
    knoepfe->addWidget(Button2);
    knoepfe->addWidget(Button3);
    knoepfe->addSpacing(12);
    knoepfe->addWidget(Button4);
    knoepfe->addStretch();
    knoepfe->addWidget(ButtonSchliessen);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ListView1, 1);
    layout->addLayout(knoepfe);
    resize(560, 320);

    connect(ListView1, &QTableWidget::itemSelectionChanged, this, &TFormProfil::knoepfeSetzen);
    connect(Button1, &QPushButton::clicked, this, &TFormProfil::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormProfil::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFormProfil::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TFormProfil::Button4Click);
    connect(ButtonSchliessen, &QPushButton::clicked, this, &QDialog::accept);

    ListeNeu();
}

void TFormProfil::ListeNeu() {
    m_liste = m_speicher.ListeNeu();
    ListView1->clearContents();
    ListView1->setRowCount(static_cast<int>(m_liste.size()));
    int zeile = 0;
    for (const Profileintrag& eintrag : m_liste) {
        ListView1->setItem(zeile, 0, new QTableWidgetItem(eintrag.name));
        ListView1->setItem(zeile, 1,
                           new QTableWidgetItem(eintrag.datum.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
        ++zeile;
    }
    ListView1->clearSelection();
    knoepfeSetzen();
}

bool TFormProfil::Profilvorh(const QString& name) const {
    return quenda::Profilvorh(m_liste, name);
}

QString TFormProfil::auswahl() const {
    const QList<QTableWidgetItem*> markiert = ListView1->selectedItems();
    if (markiert.isEmpty()) {
        return {};
    }
    const QTableWidgetItem* name = ListView1->item(markiert.first()->row(), 0);
    return name ? name->text() : QString();
}

void TFormProfil::knoepfeSetzen() {
    const bool gewaehlt = !ListView1->selectedItems().isEmpty();
    for (QPushButton* knopf : {Button2, Button3, Button4}) {
        knopf->setEnabled(gewaehlt);
    }
}

void TFormProfil::auswaehlen(const QString& name) {
    for (int zeile = 0; zeile < ListView1->rowCount(); ++zeile) {
        if (ListView1->item(zeile, 0)->text() == name) {
            ListView1->selectRow(zeile);
            break;
        }
    }
    ListView1->setFocus();
}

bool TFormProfil::frage(const QString& text, bool neinVorgabe) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(neinVorgabe ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void TFormProfil::Button1Click() {
    TFormProfil_eg dialog(
        TFormProfil_eg::Modus::Neu, {}, [this](const QString& name) { return Profilvorh(name); }, m_meldungen, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    try {
        m_speicher.neu(dialog.name(), m_kontext.tsdir);
    } catch (const QuendaError& e) {
        m_meldungen.meldung(e.message());
    }
    ListeNeu();
    auswaehlen(dialog.name());
}

void TFormProfil::Button2Click() {
    const QString alt = auswahl();
    if (alt.isEmpty()) {
        return;
    }
    TFormProfil_eg dialog(
        TFormProfil_eg::Modus::Aendern, alt, [this](const QString& name) { return Profilvorh(name); }, m_meldungen,
        this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    try {
        // false: the old profile could not be moved aside; everything stays as it was, silently.
        if (!m_speicher.aendern(alt, dialog.name(), m_kontext.tsdir)) {
            return;
        }
    } catch (const QuendaError& e) {
        m_meldungen.meldung(e.message());
    }
    ListeNeu();
    auswaehlen(dialog.name());
}

void TFormProfil::Button3Click() {
    const QString name = auswahl();
    if (name.isEmpty() ||
        !frage(QStringLiteral("Soll Profil ") + name + QStringLiteral(" wirklich gelöscht werden ?"), false)) {
        return;
    }
    try {
        m_speicher.loeschen(name);
    } catch (const QuendaError& e) {
        m_meldungen.meldung(e.message());
    }
    ListeNeu();
}

void TFormProfil::Button4Click() {
    const QString name = auswahl();
    if (name.isEmpty() || !frage(QStringLiteral("Soll Profil ") + name + QStringLiteral(" wirklich geladen werden ?") +
                                     QStringLiteral("\r\nAlle vorhandenen Daten (Präsentation) werden überschrieben!"),
                                 true)) {
        return;
    }
    try {
        m_speicher.Profilload(name, m_kontext.tsdir, m_ablage, m_kontext.dbturnier, m_meldungen, m_uhr.jetzt());
    } catch (const QuendaError& e) {
        m_meldungen.meldung(e.message());
    }
}

} // namespace quenda
