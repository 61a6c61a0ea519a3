#include "desktop/services/qt_file_dialog_service.h"

#include <QFileDialog>

QString QtFileDialogService::GetOpenFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), filter);
}

QString QtFileDialogService::GetSaveFileName(QWidget* parent, const QString& proposedName,
                                             const QString& filter) {
    QFileDialog dialog(parent, QStringLiteral("Save As"), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}
