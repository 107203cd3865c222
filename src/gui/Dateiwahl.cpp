#include "Dateiwahl.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace quenda::dateiwahl {

QString oeffnen(QWidget* eltern, const QString& titel, const QString& vorgabe, const QStringList& filter,
                const QString& endung) {
    QFileDialog dialog(eltern, titel, vorgabe);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filter);
    if (!endung.isEmpty()) {
        dialog.setDefaultSuffix(endung);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString verzeichnis(QWidget* eltern, const QString& titel, const QString& start) {
    // A stored root that is gone (an unplugged share) still opens the dialog close to where it was.
    QString ordner = QDir::fromNativeSeparators(start);
    while (!ordner.isEmpty() && !QFileInfo(ordner).isDir()) {
        const QString darueber = QFileInfo(ordner).path();
        ordner = darueber == ordner ? QString() : darueber;
    }
    QFileDialog dialog(eltern, titel, ordner.isEmpty() ? QDir::homePath() : ordner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace quenda::dateiwahl
