#pragma once

#include <QString>

class QWidget;

// Every message box of the desktop program goes through this interface, so tests can read
// what would be shown and answer it.
class MessageService {
  public:
    enum class Kind {
        Information,            // OK, information icon
        Warning,                // OK, exclamation icon
        OkCancel,               // OK / Cancel, exclamation icon
        RetryCancel,            // Retry / Cancel, exclamation icon
        SaveDiscardCancel,      // Save / Discard / Cancel, question icon
        OverwriteSaveAsCancel,  // Overwrite / Save As... / Cancel, exclamation icon
        ReloadKeep,             // Reload / Keep Mine, question icon (Keep is Cancel)
    };
    enum class Answer { Ok, Cancel, Retry, Save, Discard, Overwrite, SaveAs, Reload };

    virtual ~MessageService() = default;
    virtual Answer Show(QWidget* parent, Kind kind, const QString& caption,
                        const QString& text) = 0;

    void Information(QWidget* parent, const QString& caption, const QString& text) {
        Show(parent, Kind::Information, caption, text);
    }
    void Warning(QWidget* parent, const QString& caption, const QString& text) {
        Show(parent, Kind::Warning, caption, text);
    }
    bool OkCancel(QWidget* parent, const QString& caption, const QString& text) {
        return Show(parent, Kind::OkCancel, caption, text) == Answer::Ok;
    }
    bool RetryCancel(QWidget* parent, const QString& caption, const QString& text) {
        return Show(parent, Kind::RetryCancel, caption, text) == Answer::Retry;
    }
    Answer SaveDiscardCancel(QWidget* parent, const QString& caption, const QString& text) {
        return Show(parent, Kind::SaveDiscardCancel, caption, text);
    }
    Answer OverwriteSaveAsCancel(QWidget* parent, const QString& caption, const QString& text) {
        return Show(parent, Kind::OverwriteSaveAsCancel, caption, text);
    }
    bool ReloadKeep(QWidget* parent, const QString& caption, const QString& text) {
        return Show(parent, Kind::ReloadKeep, caption, text) == Answer::Reload;
    }
};
