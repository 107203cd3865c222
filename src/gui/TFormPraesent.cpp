#include "TFormPraesent.h"

#include "TFormAuslo_eg.h"
#include "TFormBereich_eg.h"
#include "TFormBildschirm_eg.h"
#include "TFormEbene_eg.h"
#include "TFormObjekt_eg.h"
#include "Turnierkontext.h"
#include "WebImage.h"
#include "presentation/Knotentexte.h"
#include "presentation/Namensabfragen.h"
#include "util/MeldungsAusgabe.h"
#include "util/QuendaError.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>

namespace quenda {

namespace {

constexpr int infoRolle = Qt::UserRole;

} // namespace

TFormPraesent::TFormPraesent(const Turnierkontext& kontext, TDM& dm, MeldungsAusgabe& meldungen, QWidget* parent)
    : QDialog(parent), m_kontext(kontext), m_dm(dm), m_meldungen(meldungen) {
    // FormCreate
    setWindowTitle(QStringLiteral("Präsentation - Web"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    bildschirmDialog = new TFormBildschirm_eg(meldungen, this);
    ebeneDialog = new TFormEbene_eg(meldungen, this);
    bereichDialog = new TFormBereich_eg(meldungen, this);
    objektDialog = new TFormObjekt_eg(meldungen, this);
    ausloDialog = new TFormAuslo_eg(meldungen, this);
    layoutAnlegen();
    connect(baum, &QTreeWidget::currentItemChanged, this, &TFormPraesent::auswahlGeaendert);
    connect(neuKnopf, &QPushButton::clicked, this, &TFormPraesent::neuesElement);
    connect(aendernKnopf, &QPushButton::clicked, this, &TFormPraesent::elementAendern);
    connect(loeschenKnopf, &QPushButton::clicked, this, &TFormPraesent::elementLoeschen);
    connect(uebertragungKonfiguration, &QPushButton::clicked, this, [this]() {
        if (m_uebertragen) {
            m_uebertragen();
        }
    });
    connect(refreshAnzeige, &QPushButton::clicked, this, [this]() {
        if (m_refresh) {
            m_refresh();
        }
    });
    // The detail boxes start hidden: shown all at once they would give the window a minimum height above a
    // 768-pixel screen at its first showing, cutting off the buttons and the preview.
    Anzeigedaten();
}

TFormPraesent::~TFormPraesent() = default;

void TFormPraesent::listenFuellen(const QStringList& objliste, const Referenzlisten& listen) {
    objektDialog->artenFuellen(objliste);
    ausloDialog->listenFuellen(listen);
}

void TFormPraesent::setUebertragungMoeglich(bool moeglich) {
    uebertragungKonfiguration->setEnabled(moeglich);
}

void TFormPraesent::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TFormPraesent::FormShow() {
    m_namen = std::make_unique<Namensabfragen>(m_dm, m_kontext.dbturid);
    for (Elementdialog* d : std::initializer_list<Elementdialog*>{bildschirmDialog, ebeneDialog, bereichDialog,
                                                                  objektDialog, ausloDialog}) {
        d->setTsdir(m_kontext.tsdir);
    }
    m_praesentation.leeren();
    TreeNeu();
    ConfigLoad();
    Anzeigedaten();
}

void TFormPraesent::done(int ergebnis) {
    // FormClose: nothing of the model outlives the window but the file.
    m_praesentation.leeren();
    baum->clear();
    QDialog::done(ergebnis);
}

void TFormPraesent::TreeNeu() {
    const QSignalBlocker sperre(baum);
    baum->clear();
    knotenAnfuegen(nullptr, TNodeInfo{}, QStringLiteral("Präsentation Turnier"));
    baum->expandAll();
    baum->setCurrentItem(nullptr);
}

namespace {

// Adds the reader's elements to the tree under the most recent node of the level above.
class Baumaufbau : public KonfigAufbau {
public:
    Baumaufbau(QTreeWidgetItem* wurzel,
               std::function<QTreeWidgetItem*(QTreeWidgetItem*, const TNodeInfo&, const QString&)> anfuegen)
        : m_anfuegen(std::move(anfuegen)) {
        m_letzte[0] = wurzel;
    }
    void knoten(Ebenenstufe stufe, const TNodeInfo& info, const QString& text) override {
        const auto ebene = static_cast<int>(stufe);
        m_letzte[ebene] = m_anfuegen(m_letzte[ebene - 1], info, text);
    }

private:
    std::function<QTreeWidgetItem*(QTreeWidgetItem*, const TNodeInfo&, const QString&)> m_anfuegen;
    QTreeWidgetItem* m_letzte[6] = {}; // lastnode_bs … lastnode_asl, after the root
};

} // namespace

void TFormPraesent::ConfigLoad() {
    const QSignalBlocker sperre(baum);
    Baumaufbau aufbau(baum->topLevelItem(0),
                      [this](QTreeWidgetItem* eltern, const TNodeInfo& info, const QString& text) {
                          return knotenAnfuegen(eltern, info, text);
                      });
    const Ladeergebnis ergebnis = m_praesentation.laden(m_kontext.tsdir, m_namen.get(), &aufbau);
    baum->expandAll();
    baum->setCurrentItem(nullptr);
    if (ergebnis.status == Ladeergebnis::Status::NichtLadbar || ergebnis.status == Ladeergebnis::Status::Abgebrochen) {
        m_meldungen.meldung(ergebnis.fehler);
    }
}

void TFormPraesent::ConfigSave() {
    try {
        m_praesentation.speichern(m_kontext.dbturnier);
    } catch (const QuendaError& fehler) {
        m_meldungen.meldung(fehler.message());
    }
    vorschau->update();
    Anzeigedaten();
}

QTreeWidgetItem* TFormPraesent::knotenAnfuegen(QTreeWidgetItem* eltern, const TNodeInfo& info, const QString& text) {
    auto* knoten = eltern ? new QTreeWidgetItem(eltern) : new QTreeWidgetItem(baum);
    beschriften(knoten, text);
    knoten->setData(0, infoRolle, QVariantList{info.bs_id, info.eb_id, info.br_id, info.obj_id, info.asl_id});
    if (eltern) {
        eltern->setExpanded(true);
    }
    return knoten;
}

void TFormPraesent::beschriften(QTreeWidgetItem* knoten, const QString& text) {
    knoten->setText(0, text);
    knoten->setToolTip(0, text); // the whole caption, also where the panel is too narrow for it
}

TNodeInfo TFormPraesent::nodeInfo(const QTreeWidgetItem* knoten) {
    const QVariantList pfad = knoten ? knoten->data(0, infoRolle).toList() : QVariantList{};
    if (pfad.size() != 5) {
        return {};
    }
    return {pfad[0].toInt(), pfad[1].toInt(), pfad[2].toInt(), pfad[3].toInt(), pfad[4].toInt()};
}

QTreeWidgetItem* TFormPraesent::ausgewaehlt() const {
    return baum->currentItem();
}

void TFormPraesent::auswahlGeaendert() {
    if (QTreeWidgetItem* knoten = ausgewaehlt()) {
        m_praesentation.auswaehlen(nodeInfo(knoten));
    }
    vorschau->update();
    Anzeigedaten();
}

bool TFormPraesent::versuchen(const std::function<void()>& schritt) {
    try {
        schritt();
        return true;
    } catch (const QuendaError& fehler) {
        m_meldungen.meldung(fehler.message());
        return false;
    }
}

void TFormPraesent::neuesElement() {
    if (!ausgewaehlt()) {
        return;
    }
    switch (stufe(nodeInfo(ausgewaehlt()))) {
    case Ebenenstufe::Wurzel:
        return NeuerBildschirm();
    case Ebenenstufe::Bildschirm:
        return NeueEbene();
    case Ebenenstufe::Ebene:
        return NeuerBereich();
    case Ebenenstufe::Bereich:
        return NeuesObjekt();
    case Ebenenstufe::Objekt:
        return NeueAuslosung();
    case Ebenenstufe::Auslosung:
        return;
    }
}

void TFormPraesent::elementAendern() {
    if (!ausgewaehlt()) {
        return;
    }
    switch (stufe(nodeInfo(ausgewaehlt()))) {
    case Ebenenstufe::Wurzel:
        return;
    case Ebenenstufe::Bildschirm:
        return AendernBildschirm();
    case Ebenenstufe::Ebene:
        return AendernEbene();
    case Ebenenstufe::Bereich:
        return AendernBereich();
    case Ebenenstufe::Objekt:
        return AendernObjekt();
    case Ebenenstufe::Auslosung:
        return AendernAuslosung();
    }
}

void TFormPraesent::elementLoeschen() {
    // Only a node without children can be deleted.
    if (!ausgewaehlt() || ausgewaehlt()->childCount() > 0) {
        return;
    }
    switch (stufe(nodeInfo(ausgewaehlt()))) {
    case Ebenenstufe::Wurzel:
        return;
    case Ebenenstufe::Bildschirm:
        return LoeschenBildschirm();
    case Ebenenstufe::Ebene:
        return LoeschenEbene();
    case Ebenenstufe::Bereich:
        return LoeschenBereich();
    case Ebenenstufe::Objekt:
        return LoeschenObjekt();
    case Ebenenstufe::Auslosung:
        return LoeschenAuslosung();
    }
}

bool TFormPraesent::loeschenBestaetigt(const QString& frage) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Löschen"), frage, QMessageBox::Ok | QMessageBox::Cancel,
                    this);
    return box.exec() == QMessageBox::Ok;
}

void TFormPraesent::knotenLoeschen() {
    delete ausgewaehlt(); // the tree selects another node, which updates the selection state
}

} // namespace quenda
