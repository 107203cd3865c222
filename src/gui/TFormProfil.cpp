#include "TFormProfil.h"

#include "TFormProfil_eg.h"
#include "Turnierkontext.h"
#include "settings/TAblage.h"
#include "util/MeldungsAusgabe.h"
#include "util/Programmuhr.h"

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

    profile = new QTableWidget(0, 2, this);
    profile->setHorizontalHeaderLabels({QStringLiteral("Profilname"), QStringLiteral("Datum")});
    profile->setShowGrid(true);
    profile->setSelectionBehavior(QAbstractItemView::SelectRows);
    profile->setSelectionMode(QAbstractItemView::SingleSelection);
    profile->setEditTriggers(QAbstractItemView::NoEditTriggers);
    profile->verticalHeader()->hide();
    profile->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    profile->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

    neuKnopf = new QPushButton(QStringLiteral("&Neu"), this);
    aendernKnopf = new QPushButton(QStringLiteral("&Ändern"), this);
    loeschenKnopf = new QPushButton(QStringLiteral("&Löschen"), this);
    ladenKnopf = new QPushButton(QStringLiteral("&Präsentation Laden"), this);
    schliessenKnopf = new QPushButton(QStringLiteral("&Schließen"), this);
    for (QPushButton* knopf : {neuKnopf, aendernKnopf, loeschenKnopf, ladenKnopf, schliessenKnopf}) {
        knopf->setAutoDefault(false);
    }
    profile->setObjectName(QStringLiteral("profile"));
    neuKnopf->setObjectName(QStringLiteral("neu"));
    aendernKnopf->setObjectName(QStringLiteral("aendern"));
    loeschenKnopf->setObjectName(QStringLiteral("loeschen"));
    ladenKnopf->setObjectName(QStringLiteral("laden"));
    schliessenKnopf->setObjectName(QStringLiteral("schliessen"));

    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(neuKnopf);
    knoepfe->addWidget(aendernKnopf);
    knoepfe->addWidget(loeschenKnopf);
    knoepfe->addSpacing(12);
    knoepfe->addWidget(ladenKnopf);
    knoepfe->addStretch();
    knoepfe->addWidget(schliessenKnopf);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(profile, 1);
    layout->addLayout(knoepfe);
    resize(560, 320);

    connect(profile, &QTableWidget::itemSelectionChanged, this, &TFormProfil::knoepfeSetzen);
    connect(neuKnopf, &QPushButton::clicked, this, &TFormProfil::profilNeu);
    connect(aendernKnopf, &QPushButton::clicked, this, &TFormProfil::profilAendern);
    connect(loeschenKnopf, &QPushButton::clicked, this, &TFormProfil::profilLoeschen);
    connect(ladenKnopf, &QPushButton::clicked, this, &TFormProfil::praesentationLaden);
    connect(schliessenKnopf, &QPushButton::clicked, this, &QDialog::accept);

    ListeNeu();
}

void TFormProfil::ListeNeu() {
    m_liste = m_speicher.ListeNeu();
    profile->clearContents();
    profile->setRowCount(static_cast<int>(m_liste.size()));
    int zeile = 0;
    for (const Profileintrag& eintrag : m_liste) {
        profile->setItem(zeile, 0, new QTableWidgetItem(eintrag.name));
        profile->setItem(zeile, 1, new QTableWidgetItem(eintrag.datum.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
        ++zeile;
    }
    profile->clearSelection();
    knoepfeSetzen();
}

bool TFormProfil::Profilvorh(const QString& name) const {
    return quenda::Profilvorh(m_liste, name);
}

QString TFormProfil::auswahl() const {
    const QList<QTableWidgetItem*> markiert = profile->selectedItems();
    if (markiert.isEmpty()) {
        return {};
    }
    const QTableWidgetItem* name = profile->item(markiert.first()->row(), 0);
    return name ? name->text() : QString();
}

void TFormProfil::knoepfeSetzen() {
    const bool gewaehlt = !profile->selectedItems().isEmpty();
    for (QPushButton* knopf : {aendernKnopf, loeschenKnopf, ladenKnopf}) {
        knopf->setEnabled(gewaehlt);
    }
}

void TFormProfil::auswaehlen(const QString& name) {
    for (int zeile = 0; zeile < profile->rowCount(); ++zeile) {
        if (profile->item(zeile, 0)->text() == name) {
            profile->selectRow(zeile);
            break;
        }
    }
    profile->setFocus();
}

bool TFormProfil::frage(const QString& text, bool neinVorgabe) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(neinVorgabe ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void TFormProfil::profilNeu() {
    TFormProfil_eg dialog(
        TFormProfil_eg::Modus::Neu, {}, [this](const QString& name) { return Profilvorh(name); }, m_meldungen, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (const Ergebnis<void> gespeichert = m_speicher.neu(dialog.name(), m_kontext.tsdir); !gespeichert.ok()) {
        m_meldungen.meldung(gespeichert.fehler());
    }
    ListeNeu();
    auswaehlen(dialog.name());
}

void TFormProfil::profilAendern() {
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
    const Ergebnis<bool> geaendert = m_speicher.aendern(alt, dialog.name(), m_kontext.tsdir);
    if (!geaendert.ok()) {
        m_meldungen.meldung(geaendert.fehler());
    } else if (!geaendert.wert()) {
        return; // the old profile could not be moved aside; everything stays as it was, silently
    }
    ListeNeu();
    auswaehlen(dialog.name());
}

void TFormProfil::profilLoeschen() {
    const QString name = auswahl();
    if (name.isEmpty() ||
        !frage(QStringLiteral("Soll Profil ") + name + QStringLiteral(" wirklich gelöscht werden ?"), false)) {
        return;
    }
    if (const Ergebnis<bool> geloescht = m_speicher.loeschen(name); !geloescht.ok()) {
        m_meldungen.meldung(geloescht.fehler());
    }
    ListeNeu();
}

void TFormProfil::praesentationLaden() {
    const QString name = auswahl();
    if (name.isEmpty() || !frage(QStringLiteral("Soll Profil ") + name + QStringLiteral(" wirklich geladen werden ?") +
                                     QStringLiteral("\r\nAlle vorhandenen Daten (Präsentation) werden überschrieben!"),
                                 true)) {
        return;
    }
    if (const Ergebnis<void> geladen =
            m_speicher.Profilload(name, m_kontext.tsdir, m_ablage, m_kontext.dbturnier, m_meldungen, m_uhr.jetzt());
        !geladen.ok()) {
        m_meldungen.meldung(geladen.fehler());
    }
}

} // namespace quenda
