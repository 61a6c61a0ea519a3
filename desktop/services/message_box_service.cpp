#include "desktop/services/message_box_service.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

MessageService::Answer MessageBoxService::Show(QWidget* parent, Kind kind, const QString& caption,
                                               const QString& text) {
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (kind) {
        case Kind::Information:
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Kind::Warning:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Kind::OkCancel:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case Kind::RetryCancel:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
            break;
        case Kind::SaveDiscardCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Save);
            break;
        case Kind::OverwriteSaveAsCancel: {
            box.setIcon(QMessageBox::Warning);
            QAbstractButton* overwrite =
                box.addButton(QCoreApplication::translate("MessageBoxService", "&Overwrite"),
                              QMessageBox::DestructiveRole);
            QAbstractButton* saveAs =
                box.addButton(QCoreApplication::translate("MessageBoxService", "Save &As..."),
                              QMessageBox::AcceptRole);
            box.addButton(QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Cancel);
            box.exec();
            if (box.clickedButton() == overwrite) return Answer::Overwrite;
            if (box.clickedButton() == saveAs) return Answer::SaveAs;
            return Answer::Cancel;
        }
        case Kind::ReloadKeep: {
            box.setIcon(QMessageBox::Question);
            QAbstractButton* reload =
                box.addButton(QCoreApplication::translate("MessageBoxService", "&Reload"),
                              QMessageBox::AcceptRole);
            QPushButton* keep =
                box.addButton(QCoreApplication::translate("MessageBoxService", "&Keep Mine"),
                              QMessageBox::RejectRole);
            box.setDefaultButton(keep);
            box.exec();
            return box.clickedButton() == reload ? Answer::Reload : Answer::Cancel;
        }
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Retry:
            return Answer::Retry;
        case QMessageBox::Save:
            return Answer::Save;
        case QMessageBox::Discard:
            return Answer::Discard;
        default:
            return Answer::Cancel;  // Cancel, Escape, the close box
    }
}
