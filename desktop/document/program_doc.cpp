#include "desktop/document/program_doc.h"

#include <QFile>
#include <QFileInfo>

#include "core/codec/channel_codec.h"
#include "core/image/channel_file.h"
#include "desktop/app/app_globals.h"
#include "core/config/band_settings.h"
#include "qt/config_text.h"
#include "desktop/services/file_dialog_service.h"
#include "desktop/services/message_service.h"

namespace {

const QString kFilter = QStringLiteral("*.dat");

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

CProgramDoc::CProgramDoc(QObject* parent) : QObject(parent), m_grid(UiLanguage()) {}

bool CProgramDoc::OnNewDocument() {
    m_image = radio::RadioImage::Blank();
    SetTitle(PickText("Channel Information", "信道信息"));
    m_strPathName = SetupText("AppName");
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
        path = AppFileDialogs().GetSaveFileName(parent, m_strPathName, kFilter);
        if (path.isEmpty()) return false;
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".dat");
    }
    if (radio::Status st = OnSaveDocument(path); !st) {
        AppMessages().Warning(parent, AppCaption(), QString::fromStdString(st.message));
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
    switch (AppMessages().SaveDiscardCancel(parent, AppCaption(), text)) {
        case MessageService::Answer::Save:
            return DoFileSave(parent);
        case MessageService::Answer::Discard:
            return true;
        default:
            return false;
    }
}

QString CProgramDoc::DecodeIntoGrid() {
    radio::DecodeImageToGrid(m_image, m_grid, UiLanguage());
    const QString title = radio::ConfigText(
        radio::ApplyBandSettings(m_image, m_bNewImage, g_config, g_appConfig, AppSettings()));
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
