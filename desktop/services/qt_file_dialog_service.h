#pragma once

#include "desktop/services/file_dialog_service.h"

// The real file choosers (QFileDialog).
class QtFileDialogService : public FileDialogService {
  public:
    QString GetOpenFileName(QWidget* parent, const QString& filter) override;
    QString GetSaveFileName(QWidget* parent, const QString& proposedName,
                            const QString& filter) override;
};
