#pragma once

#include <QCoreApplication>

#include "desktop/services/file_dialog_service.h"

// The real file choosers (QFileDialog).
class QtFileDialogService : public FileDialogService {
    Q_DECLARE_TR_FUNCTIONS(QtFileDialogService)

  public:
    QString GetOpenFileName(QWidget* parent, const QString& filter) override;
    QString GetSaveFileName(QWidget* parent, const QString& proposedName,
                            const QString& filter) override;
};
