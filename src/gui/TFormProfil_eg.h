// TFormProfil_eg — the dialog that asks for a profile name ("_eg" = Eingabe)
#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace quenda {

class MeldungsAusgabe;

// "Neu/Ändern Profil": asks for a profile name (UI thread, modal). OK stays open while the name is taken
// by another profile or cannot become a folder name.
class TFormProfil_eg : public QDialog {
    Q_OBJECT
public:
    enum class Modus { Neu, Aendern };
    // vorhanden: Profilvorh over the profile list.
    TFormProfil_eg(Modus modus, const QString& name, std::function<bool(const QString&)> vorhanden,
                   MeldungsAusgabe& meldungen, QWidget* parent = nullptr);

    QString name() const;
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Modus m_modus;
    std::function<bool(const QString&)> m_vorhanden;
    MeldungsAusgabe& m_meldungen;
    QString oldname;       // the name in the field when the dialog was shown
    QLineEdit* profilname; // Edit1
};

} // namespace quenda
