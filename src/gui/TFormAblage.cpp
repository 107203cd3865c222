#include "TFormAblage.h"

#include "Dateiwahl.h"
#include "settings/AblageDatei.h"
#include "settings/AblagePruefung.h"
#include "util/MeldungsAusgabe.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace quenda {

namespace {

QGroupBox* transportGruppe(QWidget* eltern, QRadioButton*& verzeichnis, QRadioButton*& http) {
    auto* gruppe = new QGroupBox(QStringLiteral("Webserver"), eltern);
    verzeichnis = new QRadioButton(QStringLiteral("über Verzeichnis"), gruppe);
    http = new QRadioButton(QStringLiteral("HTTP(S)"), gruppe);
    auto* layout = new QHBoxLayout(gruppe);
    layout->addWidget(verzeichnis);
    layout->addWidget(http);
    layout->addStretch();
    return gruppe;
}

QWidget* mitKnopf(QWidget* eltern, QLineEdit* feld, QPushButton* knopf) {
    auto* zeile = new QWidget(eltern);
    auto* layout = new QHBoxLayout(zeile);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(feld, 1);
    layout->addWidget(knopf);
    return zeile;
}

} // namespace

QString verzeichnisMitTrenner(const QString& ordner) {
    QString pfad = QDir::toNativeSeparators(QDir(ordner).absolutePath());
    if (!pfad.endsWith(QDir::separator())) {
        pfad += QDir::separator();
    }
    return pfad;
}

TFormAblage::TFormAblage(const TAblage& ablage, MeldungsAusgabe& meldungen, QWidget* parent)
    : QDialog(parent), m_ablage(ablage), m_meldungen(meldungen) {
    setWindowTitle(QStringLiteral("Webserver Ablage"));
    m_dateiWahl = [](QWidget* eltern, const QString& start) {
        return dateiwahl::verzeichnis(eltern, QStringLiteral("Verzeichnis auswählen"), start);
    };

    auto* anzeige = new QGroupBox(QStringLiteral("Ablage für QUENDA (Präsentation über Beamer, Bildschirm)"), this);
    CheckBoxAnzweb = new QCheckBox(QStringLiteral("Aktiviert"), anzeige);
    QGroupBox* transport = transportGruppe(anzeige, RadioVerzeichnis, RadioHttp);
    EditVerzeichnis = new QLineEdit(anzeige);
    ButtonVerzeichnis = new QPushButton(QStringLiteral("&Verzeichnis auswählen"), anzeige);
    EditHost = new QLineEdit(anzeige);
    EditSteuerdatei = new QLineEdit(anzeige);
    EditToken = new QLineEdit(anzeige);
    auto* anzeigeLayout = new QFormLayout(anzeige);
    anzeigeLayout->addRow(CheckBoxAnzweb);
    anzeigeLayout->addRow(transport);
    anzeigeLayout->addRow(QStringLiteral("Verzeichnis"), mitKnopf(anzeige, EditVerzeichnis, ButtonVerzeichnis));
    anzeigeLayout->addRow(QStringLiteral("HOST (Internetadresse)"), EditHost);
    anzeigeLayout->addRow(QStringLiteral("Pfad von httppost.php"), EditSteuerdatei);
    anzeigeLayout->addRow(QStringLiteral("Token (optional)"), EditToken);

    auto* handy = new QGroupBox(QStringLiteral("Ablage für ZKPOCKO (Präsentation auf Handy)"), this);
    CheckBoxPocko = new QCheckBox(QStringLiteral("Aktiviert"), handy);
    QGroupBox* transportPocko = transportGruppe(handy, RadioVerzeichnisPocko, RadioHttpPocko);
    EditVerzeichnisPocko = new QLineEdit(handy);
    // Its own accelerator: Alt+V belongs to the screen target's button above.
    ButtonVerzeichnisPocko = new QPushButton(QStringLiteral("Verzeichnis aus&wählen"), handy);
    EditHostPocko = new QLineEdit(handy);
    EditSteuerdateiPocko = new QLineEdit(handy);
    EditTokenPocko = new QLineEdit(handy);
    EditImpressum = new QLineEdit(handy);
    EditDatenschutz = new QLineEdit(handy);
    auto* handyLayout = new QFormLayout(handy);
    handyLayout->addRow(CheckBoxPocko);
    handyLayout->addRow(transportPocko);
    handyLayout->addRow(QStringLiteral("Verzeichnis"), mitKnopf(handy, EditVerzeichnisPocko, ButtonVerzeichnisPocko));
    handyLayout->addRow(QStringLiteral("HOST (Internetadresse https://...)"), EditHostPocko);
    handyLayout->addRow(QStringLiteral("Pfad von httppost.php"), EditSteuerdateiPocko);
    handyLayout->addRow(QStringLiteral("Token (optional)"), EditTokenPocko);
    handyLayout->addRow(QStringLiteral("URL für Impressum"), EditImpressum);
    handyLayout->addRow(QStringLiteral("URL für Datenschutz"), EditDatenschutz);

    EditZkd = new QLineEdit(this);
    EditZkd->setReadOnly(true);
    ButtonZkd = new QPushButton(QStringLiteral("&Ändern ZKD-Ordner"), this);
    auto* zkd = new QFormLayout;
    zkd->addRow(QStringLiteral("ZKD-Ordner Bezeichnung"), mitKnopf(this, EditZkd, ButtonZkd));

    auto* knoepfe = new QDialogButtonBox(this);
    ButtonOk = knoepfe->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ButtonAbbrechen = knoepfe->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    ButtonOk->setDefault(true);

    // One label width for both sections, so that their fields begin at the same place.
    int labelbreite = 0;
    for (const QFormLayout* form : {anzeigeLayout, handyLayout}) {
        for (int zeile = 0; zeile < form->rowCount(); ++zeile) {
            if (const QLayoutItem* label = form->itemAt(zeile, QFormLayout::LabelRole)) {
                labelbreite = std::max(labelbreite, label->widget()->sizeHint().width());
            }
        }
    }
    for (const QFormLayout* form : {anzeigeLayout, handyLayout}) {
        for (int zeile = 0; zeile < form->rowCount(); ++zeile) {
            if (const QLayoutItem* label = form->itemAt(zeile, QFormLayout::LabelRole)) {
                label->widget()->setMinimumWidth(labelbreite);
            }
        }
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(anzeige);
    layout->addWidget(handy);
    layout->addLayout(zkd);
    layout->addWidget(knoepfe);

    connect(knoepfe, &QDialogButtonBox::accepted, this, &TFormAblage::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ButtonVerzeichnis, &QPushButton::clicked, this, [this]() { verzeichnisWaehlen(EditVerzeichnis); });
    connect(ButtonVerzeichnisPocko, &QPushButton::clicked, this,
            [this]() { verzeichnisWaehlen(EditVerzeichnisPocko); });
    connect(ButtonZkd, &QPushButton::clicked, this, [this]() {
        EditZkd->setReadOnly(false);
        zkdSperreZeigen();
        EditZkd->setFocus();
    });

    // The tests find the controls by these names.
    CheckBoxAnzweb->setObjectName(QStringLiteral("CheckBoxAnzweb"));
    RadioVerzeichnis->setObjectName(QStringLiteral("RadioVerzeichnis"));
    RadioHttp->setObjectName(QStringLiteral("RadioHttp"));
    EditVerzeichnis->setObjectName(QStringLiteral("EditVerzeichnis"));
    ButtonVerzeichnis->setObjectName(QStringLiteral("ButtonVerzeichnis"));
    EditHost->setObjectName(QStringLiteral("EditHost"));
    EditSteuerdatei->setObjectName(QStringLiteral("EditSteuerdatei"));
    EditToken->setObjectName(QStringLiteral("EditToken"));
    CheckBoxPocko->setObjectName(QStringLiteral("CheckBoxPocko"));
    RadioVerzeichnisPocko->setObjectName(QStringLiteral("RadioVerzeichnisPocko"));
    RadioHttpPocko->setObjectName(QStringLiteral("RadioHttpPocko"));
    EditVerzeichnisPocko->setObjectName(QStringLiteral("EditVerzeichnisPocko"));
    ButtonVerzeichnisPocko->setObjectName(QStringLiteral("ButtonVerzeichnisPocko"));
    EditHostPocko->setObjectName(QStringLiteral("EditHostPocko"));
    EditSteuerdateiPocko->setObjectName(QStringLiteral("EditSteuerdateiPocko"));
    EditTokenPocko->setObjectName(QStringLiteral("EditTokenPocko"));
    EditImpressum->setObjectName(QStringLiteral("EditImpressum"));
    EditDatenschutz->setObjectName(QStringLiteral("EditDatenschutz"));
    EditZkd->setObjectName(QStringLiteral("EditZkd"));
    ButtonZkd->setObjectName(QStringLiteral("ButtonZkd"));
    ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
    ButtonAbbrechen->setObjectName(QStringLiteral("ButtonAbbrechen"));
    CheckBoxAnzweb->setChecked(ablage.anzweb == 1);
    (ablage.aktiv == 1 ? RadioVerzeichnis : RadioHttp)->setChecked(true);
    EditVerzeichnis->setText(ablage.verzeichnis);
    EditHost->setText(ablage.host);
    EditSteuerdatei->setText(ablage.steuerdatei);
    CheckBoxPocko->setChecked(ablage.pocko == 1);
    (ablage.aktivpocko == 1 ? RadioVerzeichnisPocko : RadioHttpPocko)->setChecked(true);
    EditVerzeichnisPocko->setText(ablage.verzeichnispocko);
    EditHostPocko->setText(ablage.hostpocko);
    EditSteuerdateiPocko->setText(ablage.steuerdateipocko);
    EditImpressum->setText(ablage.impressum);
    EditDatenschutz->setText(ablage.datenschutz);
    EditZkd->setText(ablage.dbzkd);
    zkdSperreZeigen();
    EditToken->setText(ablage.token);
    EditTokenPocko->setText(ablage.tokenpocko);
    for (QLineEdit* geheim : {EditToken, EditTokenPocko}) {
        geheim->setEchoMode(QLineEdit::PasswordEchoOnEdit);
        geheim->setToolTip(QStringLiteral("Gemeinsames Geheimnis mit httppost.php; leer: ohne"));
    }
    setMinimumWidth(560);
}

TAblage TFormAblage::werte() const {
    TAblage w = m_ablage;
    w.anzweb = CheckBoxAnzweb->isChecked() ? 1 : 0;
    w.aktiv = RadioHttp->isChecked() ? 2 : 1;
    w.verzeichnis = EditVerzeichnis->text();
    w.host = EditHost->text();
    w.steuerdatei = EditSteuerdatei->text();
    w.pocko = CheckBoxPocko->isChecked() ? 1 : 0;
    w.aktivpocko = RadioHttpPocko->isChecked() ? 2 : 1;
    w.verzeichnispocko = EditVerzeichnisPocko->text();
    w.hostpocko = EditHostPocko->text();
    w.steuerdateipocko = EditSteuerdateiPocko->text();
    w.impressum = EditImpressum->text();
    w.datenschutz = EditDatenschutz->text();
    w.token = EditToken->text().trimmed();
    w.tokenpocko = EditTokenPocko->text().trimmed();
    return w;
}

std::optional<QString> TFormAblage::zkdNeu() const {
    if (EditZkd->isReadOnly()) {
        return std::nullopt;
    }
    return EditZkd->text();
}

void TFormAblage::accept() {
    if (ablageEingabenPruefen(werte(), zkdNeu(), m_meldungen)) {
        QDialog::accept();
    }
}

void TFormAblage::zkdSperreZeigen() {
    // Locked, the field has the window's background like a label, not the white of a field that takes input.
    if (EditZkd->isReadOnly()) {
        QPalette gesperrt = EditZkd->palette();
        gesperrt.setColor(QPalette::Base, gesperrt.color(QPalette::Window));
        EditZkd->setPalette(gesperrt);
        EditZkd->setToolTip(QStringLiteral("Gesperrt: „Ändern ZKD-Ordner“ gibt das Feld frei"));
    } else {
        EditZkd->setPalette(QPalette());
        EditZkd->setToolTip(QString());
    }
}

void TFormAblage::verzeichnisWaehlen(QLineEdit* feld) {
    const QString gewaehlt = m_dateiWahl(this, feld->text());
    if (!gewaehlt.isEmpty()) {
        feld->setText(verzeichnisMitTrenner(gewaehlt));
    }
}

bool TFormAblage::WebserverAblage(QWidget* parent, const QString& tsdir, TAblage& Ablage, MeldungsAusgabe& meldungen,
                                  Programmuhr& uhr) {
    TFormAblage dialog(Ablage, meldungen, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const TAblage werte = dialog.werte();
    try {
        Ablagesave(tsdir, Ablage, werte, dialog.zkdNeu(), uhr.jetzt());
    } catch (const QuendaError& e) {
        meldungen.meldung(e.message());
        return false;
    }
    const QString dbzkd = Ablage.dbzkd;
    Ablage = werte;
    Ablage.dbzkd = dbzkd;
    return true;
}

} // namespace quenda
