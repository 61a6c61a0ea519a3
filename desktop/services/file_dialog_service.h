#pragma once

#include <QString>

class QWidget;

// The Open and Save As file choosers, behind an interface so tests can choose for the user.
// Both return an empty text when the user cancels.
class FileDialogService {
  public:
    virtual ~FileDialogService() = default;
    virtual QString GetOpenFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString GetSaveFileName(QWidget* parent, const QString& proposedName,
                                    const QString& filter) = 0;
};
