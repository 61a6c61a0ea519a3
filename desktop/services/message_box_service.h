#pragma once

#include "desktop/services/message_service.h"

// The real message boxes (QMessageBox), modal to `parent`.
class MessageBoxService : public MessageService {
  public:
    Answer Show(QWidget* parent, Kind kind, const QString& caption, const QString& text) override;
};
