#include "desktop/document/program_doc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

#include "core/codec/channel_codec.h"
#include "core/codec/row_patch.h"
#include "core/config/band_settings.h"
#include "core/formats/backup_store.h"
#include "core/image/channel_file.h"
#include "core/image/file_lock.h"
#include "desktop/document/doc_change_command.h"
#include "desktop/services/app_context.h"
#include "desktop/services/file_dialog_service.h"
#include "desktop/services/message_service.h"
#include "qt/config_text.h"

namespace {

const QString kFilter = QStringLiteral("*.dat");

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

CProgramDoc::CProgramDoc(AppContext& ctx, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_pUndoStack(new QUndoStack(this)), m_grid(ctx.UiLanguage()) {
    m_pUndoStack->setUndoLimit(kUndoLimit);
    connect(&m_diskFile, &CDiskFile::changedOnDisk, this, &CProgramDoc::OnChangedOnDisk);
    connect(m_pUndoStack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean == !m_bModified) return;
        m_bModified = !clean;
        emit modifiedChanged(m_bModified);
    });
}

bool CProgramDoc::OnNewDocument() {
    m_image = radio::RadioImage::Blank();
    SetTitle(m_ctx.PickText("Channel Information", "信道信息"));
    m_strPathName = m_ctx.SetupText("AppName");
    m_bUserFile = false;
    m_bNewImage = true;
    m_diskFile.Stop();
    m_pUndoStack->clear();  // the steps belonged to another image
    SetModifiedFlag(false);
    return true;
}

radio::Status CProgramDoc::OnOpenDocument(const QString& path) {
    radio::RadioImage loaded;
    std::uintmax_t size = 0;
    // Stamped before it is read: a change in between shows as a change on disk later.
    radio::FileStamp stamp;
    if (radio::Status st = radio::StampFile(LocalPath(path), stamp); !st) return st;
    if (radio::Status st = radio::LoadChannelFile(LocalPath(path), loaded, &size); !st) return st;
    m_diskFile.Track(path, stamp);
    m_image = loaded;
    m_nOpenedSize = size > radio::kImageSize ? size : 0;
    m_bNewImage = false;
    m_strPathName = QFileInfo(path).absoluteFilePath();
    m_bUserFile = true;
    m_ctx.NoteFileFolder(m_strPathName);
    SetTitle(QFileInfo(path).fileName());
    m_pUndoStack->clear();
    SetModifiedFlag(false);
    return radio::Status::Ok();
}

radio::Status CProgramDoc::OnOpenBackup(const QString& path) {
    if (radio::Status st = OnOpenDocument(path); !st) return st;
    const QString name = QFileInfo(path).fileName();
    const auto time = radio::ParseBackupFileName(QFile::encodeName(name).toStdString());
    m_strPathName = name;
    m_bUserFile = false;
    m_diskFile.Stop();  // never saved over: its changes are not this document's business
    SetTitle(m_ctx.PickText("Backup ", "备份 ") +
             (time ? QString::fromStdString(radio::FormatBackupTime(*time)) : name));
    return radio::Status::Ok();
}

radio::Status CProgramDoc::OnSaveDocument(const QString& path) {
    emit aboutToSave();
    radio::EncodeGridToImage(m_grid, m_image);
    const std::string local = LocalPath(path);
    radio::FileLock lock;
    if (radio::Status st = radio::FileLock::Acquire(local, lock); !st) return st;
    radio::FileStamp before;
    if (radio::Status st = radio::StampFile(local, before); !st) return st;
    if (radio::Status st = radio::SaveChannelFile(local, m_image, &before); !st) return st;
    radio::FileStamp after;
    (void)radio::StampFile(local, after);  // unreadable now: the next change is reported
    m_diskFile.Track(path, after);
    return radio::Status::Ok();
}

QString CProgramDoc::LongerFileNote() const {
    if (m_nOpenedSize == 0) return {};
    return QString::fromStdString(radio::LongerFileNote(LocalPath(m_strPathName), m_nOpenedSize));
}

bool CProgramDoc::DoFileSave(QWidget* parent) { return DoSave(parent, !m_bUserFile); }

bool CProgramDoc::DoSave(QWidget* parent, bool askName) {
    QString path = m_strPathName;
    if (askName || !m_bUserFile) {
        path = m_ctx.FileDialogs().GetSaveFileName(parent, ProposedFileName(), kFilter);
        if (path.isEmpty()) return false;
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".dat");
    }
    // Another program wrote the file since we opened or saved it: its change would be lost.
    const bool ownFile = m_bUserFile && !m_diskFile.path().isEmpty() &&
                         QFileInfo(path).absoluteFilePath() == m_diskFile.path();
    if (ownFile && m_diskFile.ChangedOnDisk()) {
        const QString text =
            tr("%1 was changed by another program since it was opened or saved here.\n\n"
               "Overwrite it with this document (the other program's change is lost), save "
               "this document under another name, or cancel?")
                .arg(QDir::toNativeSeparators(path));
        switch (m_ctx.Messages().OverwriteSaveAsCancel(parent, m_ctx.AppCaption(), text)) {
            case MessageService::Answer::Overwrite:
                break;
            case MessageService::Answer::SaveAs:
                return DoSave(parent, true);
            default:
                return false;
        }
    }
    // Saving over a longer file cuts what follows the image; the user decides, once more at
    // the save, since the warning on opening may be long gone.
    if (const std::uintmax_t size = radio::LongerThanImage(LocalPath(path)); size != 0) {
        const QString note = QString::fromStdString(radio::LongerFileNote(LocalPath(path), size));
        if (!m_ctx.Messages().OkCancel(parent, m_ctx.AppCaption(), note + tr("\n\nSave anyway?")))
            return false;
    }
    if (radio::Status st = OnSaveDocument(path); !st) {
        // The system's own words stay below, as they came (they name the file and the cause).
        m_ctx.Messages().Warning(parent, m_ctx.AppCaption(),
                                 tr("The channel file could not be saved.\n\n%1")
                                     .arg(QString::fromStdString(st.message)));
        return false;
    }
    m_strPathName = QFileInfo(path).absoluteFilePath();
    m_bUserFile = true;
    m_ctx.NoteFileFolder(m_strPathName);
    m_nOpenedSize = 0;
    SetTitle(QFileInfo(path).fileName());
    SetModifiedFlag(false);
    return true;
}

QString CProgramDoc::ProposedFileName() const {
    // The title names the document as the user sees it ("Channel Information", "my radio.dat");
    // the path name of a new document is the settings key, no name for a file.
    QString name = m_strTitle;
    if (!name.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive)) name += QStringLiteral(".dat");
    const QString folder = m_ctx.LastFileFolder();
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

bool CProgramDoc::SaveModified(QWidget* parent) {
    if (!m_bModified) return true;
    const QString text = tr("Save changes to %1?").arg(m_strTitle);
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

void CProgramDoc::OnChangedOnDisk() {
    if (m_bAskingReload || !m_bUserFile) return;  // one question at a time
    m_bAskingReload = true;
    const QString path = QDir::toNativeSeparators(m_diskFile.path());
    if (!m_diskFile.Current().exists) {
        m_ctx.Messages().Information(
            nullptr, m_ctx.AppCaption(),
            tr("%1 was deleted, moved or made unreadable by another program. This document "
               "keeps its channels; Save writes the file again.")
                .arg(path));
    } else {
        const QString text =
            m_bModified ? tr("%1 was changed by another program.\n\nReload it? The changes "
                             "made here since the last save are replaced; Edit > Undo brings "
                             "them back.")
                              .arg(path)
                        : tr("%1 was changed by another program.\n\nReload it?").arg(path);
        if (m_ctx.Messages().ReloadKeep(nullptr, m_ctx.AppCaption(), text)) {
            if (radio::Status st = ReloadFromDisk(); !st)
                m_ctx.Messages().Warning(nullptr, m_ctx.AppCaption(),
                                         tr("The channel file could not be read again; the "
                                            "document is as it was.\n\n%1")
                                             .arg(QString::fromStdString(st.message)));
        }
    }
    m_bAskingReload = false;
}

radio::Status CProgramDoc::ReloadFromDisk() {
    const QString path = m_diskFile.path();
    radio::FileStamp stamp;
    if (radio::Status st = radio::StampFile(LocalPath(path), stamp); !st) return st;
    radio::RadioImage loaded;
    std::uintmax_t size = 0;
    if (radio::Status st = radio::LoadChannelFile(LocalPath(path), loaded, &size); !st) return st;
    ApplyChange(
        [&] {
            m_image = loaded;
            m_bNewImage = false;
            DecodeIntoGrid();
        },
        [](int) { return tr("reload from disk"); });
    m_nOpenedSize = size > radio::kImageSize ? size : 0;
    m_diskFile.Track(path, stamp);
    SetModifiedFlag(false);  // the document is the file again
    return radio::Status::Ok();
}

bool CProgramDoc::ReplaceChannels(const radio::ChannelGrid& channels, const radio::CellRange& cells,
                                  const std::optional<radio::CellRange>& cellsBefore) {
    return ApplyChange(
        [&] {
            for (int row = 1; row < radio::ChannelGrid::kRows; ++row) {
                const radio::ChannelTexts texts = channels.RowTexts(row);
                // Untouched rows keep their bytes on save.
                if (texts != m_grid.RowTexts(row)) m_grid.SetRowTexts(row, texts);
            }
        },
        [](int rows) {
            return rows == 1 ? tr("import of 1 channel") : tr("import of %1 channels").arg(rows);
        },
        cells, cellsBefore);
}

bool CProgramDoc::ApplyChange(const std::function<void()>& change, const NameOfStep& name,
                              const radio::CellRange& cells,
                              const std::optional<radio::CellRange>& cellsBefore) {
    const radio::ChannelGrid gridBefore = m_grid;
    const radio::RadioImage imageBefore = m_image;
    const bool newImageBefore = m_bNewImage;
    change();
    radio::RowPatch rows = radio::RowPatch::Between(gridBefore, m_grid);
    const bool imageChanged = m_image != imageBefore;
    if (rows.Empty() && !imageChanged && m_bNewImage == newImageBefore) return false;
    const int changedRows = static_cast<int>(rows.Rows().size());
    m_lastStepCells = cells;
    m_pUndoStack->push(new CDocChangeCommand(
        *this, name(changedRows), std::move(rows),
        imageChanged ? std::optional<radio::RadioImage>(imageBefore) : std::nullopt, newImageBefore,
        cells, cellsBefore.value_or(cells)));
    emit channelsChanged();
    return true;
}

void CProgramDoc::OnStepApplied(const radio::CellRange& cells) {
    m_lastStepCells = cells;
    emit channelsChanged();
}

void CProgramDoc::SetTitle(const QString& title) {
    if (title == m_strTitle) return;
    m_strTitle = title;
    emit titleChanged(title);
}

void CProgramDoc::SetModifiedFlag(bool modified) {
    // The flag follows the stack through cleanChanged.
    if (modified)
        m_pUndoStack->resetClean();
    else
        m_pUndoStack->setClean();
}
