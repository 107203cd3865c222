#pragma once

#include "presentation/Praesentation.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quenda {

class MeldungsAusgabe;
class Namensabfragen;
class TDM;
class TFormAuslo_eg;
class TFormBereich_eg;
class TFormBildschirm_eg;
class TFormEbene_eg;
class TFormObjekt_eg;
class WebImage;
struct Referenzlisten;
struct Turnierkontext;

// "Präsentation - Web", the presentation editor (UI thread). Shows the configuration as a tree with a
// detail panel, creates, changes and deletes its elements and rewrites config_quenda.xml after every
// change. Created once; each showing starts from the file. Name look-ups use the UI thread's own
// connection, so a running transfer cycle is never disturbed.
class TFormPraesent : public QDialog {
    Q_OBJECT
public:
    TFormPraesent(const Turnierkontext& kontext, TDM& dm, MeldungsAusgabe& meldungen, QWidget* parent = nullptr);
    ~TFormPraesent() override;

    // Refills the kind list of the object dialog and the three lists of the reference dialog.
    void listenFuellen(const QStringList& objliste, const Referenzlisten& listen);

    // "Übertragung Konfiguration zum Webserver" and "Refresh Anzeige Webserver", provided by the main window.
    std::function<void()> uebertragen;
    std::function<void()> refresh;

    void TreeNeu();
    void ConfigLoad();
    void ConfigSave();
    void TreeView1Change();
    void Anzeigedaten();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();

    void NeuerBildschirm();
    void AendernBildschirm();
    void LoeschenBildschirm();
    void NeueEbene();
    void AendernEbene();
    void LoeschenEbene();
    void NeuerBereich();
    void AendernBereich();
    void LoeschenBereich();
    void NeuesObjekt();
    void AendernObjekt();
    void LoeschenObjekt();
    void NeueAuslosung();
    void AendernAuslosung();
    void LoeschenAuslosung();

    Praesentation praesentation; // BildschirmList and the selection state

    TFormBildschirm_eg* FormBildschirm_eg;
    TFormEbene_eg* FormEbene_eg;
    TFormBereich_eg* FormBereich_eg;
    TFormObjekt_eg* FormObjekt_eg;
    TFormAuslo_eg* FormAuslo_eg;

    QTreeWidget* TreeView1;
    QLabel* Label1;       // kind
    QLabel* Label2;       // id
    QPushButton* BitBtn2; // "Neu …"
    QPushButton* BitBtn3; // "Ändern"
    QPushButton* BitBtn4; // "Löschen"
    QPushButton* BitBtn11;
    QPushButton* BitBtn1;
    quenda::WebImage* WebImage;

    // The detail panel's boxes and their values.
    QWidget *Positionsbox, *Bildschirmbox, *Ebenenbox, *Bereichsbox, *Objektbox, *Referenzbox;
    QLabel *PosX, *PosY, *Breite, *Hoehe;
    QLabel* BildschirmBild;
    QLabel *EbeneBild, *EbeneBeginn, *EbeneDauer, *EbeneBorder;
    QLabel* BereichBild;
    QCheckBox* BereichOption[4];
    QLabel *ObjektArt, *ObjektBild, *ObjektDauer, *ObjektFont;
    QLabel *ReferenzKopf, *ReferenzName, *TypKopf, *TypText;

    static TNodeInfo nodeInfo(const QTreeWidgetItem* knoten);

    // FormClose: frees the model.
    void done(int ergebnis) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layoutAnlegen();
    QWidget* panelAnlegen();
    void FormShow();
    QTreeWidgetItem* knotenAnfuegen(QTreeWidgetItem* eltern, const TNodeInfo& info, const QString& text);
    // Caption and tooltip of a node.
    static void beschriften(QTreeWidgetItem* knoten, const QString& text);
    QTreeWidgetItem* ausgewaehlt() const;
    void panelFuellen();
    void referenzZeigen(const TAuslo& a, int objid);
    bool loeschenBestaetigt(const QString& frage);
    void knotenLoeschen();
    // Runs a name look-up or another step that may fail; false (and the message shown) on failure.
    bool versuchen(const std::function<void()>& schritt);
    TNodeInfo auswahlPfad() const;

    const Turnierkontext& m_kontext;
    TDM& m_dm;
    MeldungsAusgabe& m_meldungen;
    std::unique_ptr<Namensabfragen> m_namen;
};

} // namespace quenda
