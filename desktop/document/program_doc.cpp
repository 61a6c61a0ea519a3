#include "desktop/document/program_doc.h"

#include <QFile>
#include <QFileInfo>

#include "core/codec/channel_codec.h"
#include "core/config/band_settings.h"
#include "core/formats/backup_store.h"
#include "core/image/channel_file.h"
#include "desktop/services/app_context.h"
#include "desktop/services/file_dialog_service.h"
#include "desktop/services/message_service.h"
#include "qt/config_text.h"

namespace {

const QString kFilter = QStringLiteral("*.dat");

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

CProgramDoc::CProgramDoc(AppContext& ctx, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_grid(ctx.UiLanguage()) {}

bool CProgramDoc::OnNewDocument() {
    m_image = radio::RadioImage::Blank();
    SetTitle(m_ctx.PickText("Channel Information", "信道信息"));
    m_strPathName = m_ctx.SetupText("AppName");
    m_bUserFile = false;
    m_bNewImage = true;
    SetModifiedFlag(false);
    return true;
}

radio::Status CProgramDoc::OnOpenDocument(const QString& path) {
    radio::RadioImage loaded;
    if (radio::Status st = radio::LoadChannelFile(LocalPath(path), loaded); !st) return st;
    m_image = loaded;
    m_bNewImage = false;
    m_strPathName = QFileInfo(path).absoluteFilePath();
    m_bUserFile = true;
    SetTitle(QFileInfo(path).fileName());
    SetModifiedFlag(false);
    return radio::Status::Ok();
}

radio::Status CProgramDoc::OnOpenBackup(const QString& path) {
    if (radio::Status st = OnOpenDocument(path); !st) return st;
    const QString name = QFileInfo(path).fileName();
    const auto time = radio::ParseBackupFileName(QFile::encodeName(name).toStdString());
    m_strPathName = name;
    m_bUserFile = false;
    SetTitle(m_ctx.PickText("Backup ", "备份 ") +
             (time ? QString::fromStdString(radio::FormatBackupTime(*time)) : name));
    return radio::Status::Ok();
}

radio::Status CProgramDoc::OnSaveDocument(const QString& path) {
    emit aboutToSave();
    radio::EncodeGridToImage(m_grid, m_image);
    return radio::SaveChannelFile(LocalPath(path), m_image);
}

bool CProgramDoc::DoFileSave(QWidget* parent) { return DoSave(parent, !m_bUserFile); }

bool CProgramDoc::DoSave(QWidget* parent, bool askName) {
    QString path = m_strPathName;
    if (askName || !m_bUserFile) {
        // The proposal is the path name: the application name for a new document.
        path = m_ctx.FileDialogs().GetSaveFileName(parent, m_strPathName, kFilter);
        if (path.isEmpty()) return false;
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".dat");
    }
    if (radio::Status st = OnSaveDocument(path); !st) {
        m_ctx.Messages().Warning(parent, m_ctx.AppCaption(), QString::fromStdString(st.message));
        return false;
    }
    m_strPathName = QFileInfo(path).absoluteFilePath();
    m_bUserFile = true;
    SetTitle(QFileInfo(path).fileName());
    SetModifiedFlag(false);
    return true;
}

bool CProgramDoc::SaveModified(QWidget* parent) {
    if (!m_bModified) return true;
    const QString text = QStringLiteral("Save changes to %1?").arg(m_strTitle);
    switch (m_ctx.Messages().SaveDiscardCancel(parent, m_ctx.AppCaption(), text)) {
        case MessageService::Answer::Save:
            return DoFileSave(parent);
        case MessageService::Answer::Discard:
            return true;
        default:
            return false;
    }
}

QString CProgramDoc::DecodeIntoGrid() {
    radio::DecodeImageToGrid(m_image, m_grid, m_ctx.UiLanguage());
    const QString title = radio::ConfigText(radio::ApplyBandSettings(
        m_image, m_bNewImage, m_ctx.Config(), m_ctx.AppConfig(), m_ctx.Settings()));
    emit bandTitleChanged(title);
    return title;
}

void CProgramDoc::SetTitle(const QString& title) {
    if (title == m_strTitle) return;
    m_strTitle = title;
    emit titleChanged(title);
}

void CProgramDoc::SetModifiedFlag(bool modified) {
    if (modified == m_bModified) return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}
