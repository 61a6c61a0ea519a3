#include "desktop/services/qt_file_dialog_service.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {

// The suffix of a filter's first pattern: "*.dat" -> "dat", "CSV files (*.csv)" -> "csv".
QString FirstSuffix(const QString& filter) {
    const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

}  // namespace

QString QtFileDialogService::GetOpenFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, tr("Open"), QString(), filter);
}

QString QtFileDialogService::GetSaveFileName(QWidget* parent, const QString& proposedName,
                                             const QString& filter) {
    QFileDialog dialog(parent, tr("Save As"), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without a suffix gets the one of the chosen filter.
    dialog.setDefaultSuffix(FirstSuffix(filter));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& chosen) { dialog.setDefaultSuffix(FirstSuffix(chosen)); });
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}
