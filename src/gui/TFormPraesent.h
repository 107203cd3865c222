// TFormPraesent — the presentation editor "Präsentation - Web"
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
    void setUebertragen(std::function<void()> uebertragen) { m_uebertragen = std::move(uebertragen); }
    void setRefresh(std::function<void()> refresh) { m_refresh = std::move(refresh); }
    // The transfer needs the data folder name of the storage settings.
    void setUebertragungMoeglich(bool moeglich);

    // The id path a tree node carries.
    static TNodeInfo nodeInfo(const QTreeWidgetItem* knoten);

    // FormClose: frees the model.
    void done(int ergebnis) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layoutAnlegen();
    QWidget* panelAnlegen();
    void FormShow();
    void TreeNeu();
    void ConfigLoad();
    void ConfigSave();
    void auswahlGeaendert(); // TreeView1Change
    void Anzeigedaten();
    void neuesElement();    // BitBtn2Click: "Neu …" of the selected level
    void elementAendern();  // BitBtn3Click
    void elementLoeschen(); // BitBtn4Click

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

    const Turnierkontext& m_kontext;
    TDM& m_dm;
    MeldungsAusgabe& m_meldungen;
    std::unique_ptr<Namensabfragen> m_namen;
    Praesentation m_praesentation; // BildschirmList and the selection state
    std::function<void()> m_uebertragen;
    std::function<void()> m_refresh;

    TFormBildschirm_eg* bildschirmDialog; // FormBildschirm_eg
    TFormEbene_eg* ebeneDialog;           // FormEbene_eg
    TFormBereich_eg* bereichDialog;       // FormBereich_eg
    TFormObjekt_eg* objektDialog;         // FormObjekt_eg
    TFormAuslo_eg* ausloDialog;           // FormAuslo_eg

    QTreeWidget* baum;                      // TreeView1
    QLabel* elementArt;                     // Label1
    QLabel* elementId;                      // Label2
    QPushButton* neuKnopf;                  // BitBtn2, "Neu …"
    QPushButton* aendernKnopf;              // BitBtn3, "Ändern"
    QPushButton* loeschenKnopf;             // BitBtn4, "Löschen"
    QPushButton* uebertragungKonfiguration; // BitBtn11
    QPushButton* refreshAnzeige;            // BitBtn1
    quenda::WebImage* vorschau;             // WebImage

    // The detail panel's boxes and their values.
    QWidget *positionsbox, *bildschirmbox, *ebenenbox, *bereichsbox, *objektbox, *referenzbox;
    QLabel *lageX, *lageY, *lageBreite, *lageHoehe;
    QLabel* bildschirmBild;
    QLabel *ebeneBild, *ebeneBeginn, *ebeneDauer, *ebeneBorder;
    QLabel* bereichBild;
    QCheckBox* bereichOptionen[4];
    QLabel *objektArt, *objektBild, *objektDauer, *objektFont;
    QLabel *referenzKopf, *referenzName, *typKopf, *typText;
};

} // namespace quenda
