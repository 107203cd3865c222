// TFormAblage — the dialog "Webserver Ablage" with the storage settings of both display targets
#pragma once

#include "settings/TAblage.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quenda {

class MeldungsAusgabe;
class Programmuhr;

// "Webserver Ablage": the storage settings of both display targets and the data folder name (UI thread,
// modal; only while no transfer runs). OK checks the fields of the ticked targets and stays open while
// one is missing.
class TFormAblage : public QDialog {
    Q_OBJECT
public:
    TFormAblage(const TAblage& ablage, MeldungsAusgabe& meldungen, QWidget* parent = nullptr);

    // The menu handler: shows the dialog; on OK writes config_ablage.xml and takes the values into Ablage.
    // A failed write is shown as a message and leaves Ablage unchanged. True when the settings changed.
    static bool WebserverAblage(QWidget* parent, const QString& tsdir, TAblage& Ablage, MeldungsAusgabe& meldungen,
                                Programmuhr& uhr);

    // The values of the controls (dbzkd stays the record's; see zkdNeu).
    TAblage werte() const;
    // The folder-name field's text once "&Ändern ZKD-Ordner" unlocked it.
    std::optional<QString> zkdNeu() const;

    // Asks for the folder, opening at the field's value; returns its path or "" (replaced by tests).
    using DateiWahl = std::function<QString(QWidget*, const QString&)>;
    void setDateiWahl(DateiWahl wahl) { m_dateiWahl = std::move(wahl); }

    void accept() override;

private:
    void verzeichnisWaehlen(QLineEdit* feld);
    // Shows whether the folder-name field is locked.
    void zkdSperreZeigen();

    TAblage m_ablage;
    MeldungsAusgabe& m_meldungen;
    DateiWahl m_dateiWahl;

    QCheckBox* CheckBoxAnzweb;
    QRadioButton* RadioVerzeichnis;
    QRadioButton* RadioHttp;
    QLineEdit* EditVerzeichnis;
    QPushButton* ButtonVerzeichnis;
    QLineEdit* EditHost;
    QLineEdit* EditSteuerdatei;
    QLineEdit* EditToken;

    QCheckBox* CheckBoxPocko;
    QRadioButton* RadioVerzeichnisPocko;
    QRadioButton* RadioHttpPocko;
    QLineEdit* EditVerzeichnisPocko;
    QPushButton* ButtonVerzeichnisPocko;
    QLineEdit* EditHostPocko;
    QLineEdit* EditSteuerdateiPocko;
    QLineEdit* EditTokenPocko;
    QLineEdit* EditImpressum;
    QLineEdit* EditDatenschutz;

    QLineEdit* EditZkd;
    QPushButton* ButtonZkd;
    QPushButton* ButtonOk;
    QPushButton* ButtonAbbrechen;
};

// A chosen folder with its trailing separator, in the platform's notation.
QString verzeichnisMitTrenner(const QString& ordner);

} // namespace quenda
