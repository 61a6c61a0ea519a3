#include "desktop/channels/program_view.h"

#include <QFile>

#include "core/formats/backup_store.h"
#include "core/formats/image_check.h"
#include "core/formats/image_diff.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/document/program_doc.h"
#include "desktop/services/app_context.h"
#include "desktop/services/message_service.h"
#include "desktop/transfer/com_setup_dlg.h"
#include "desktop/transfer/progress_dlg.h"
#include "desktop/transfer/transfer_controller.h"
#include "desktop/transfer/write_check_dlg.h"
#include "desktop/transfer/write_many_dlg.h"
#include "qt/phrase_text.h"

// The channel view's side of reading and writing the radio: the progress window, the check
// before writing, verify reports and the backups of reads.

void CProgramView::OnRead() {
    m_bWriteMode = false;
    m_pProgressDlg->m_strTitle = CProgressDlg::TitleFor(false, m_ctx.UiLanguage());
    m_pProgressDlg->ShowVerifyBox(false, QString());
    m_pProgressDlg->SetPhase(CProgressDlg::Phase::Reading);
    // An open window keeps its caption; OK then goes in the direction chosen last.
    if (m_pProgressDlg->IsOpen()) return;
    m_pProgressDlg->Open();
}

void CProgramView::OnWrite() {
    m_bWriteMode = true;
    CommitCellEdit();
    m_pProgressDlg->m_strTitle = CProgressDlg::TitleFor(true, m_ctx.UiLanguage());
    m_pProgressDlg->m_strVerifyTitle = CProgressDlg::VerifyTitleFor(m_ctx.UiLanguage());
    m_pProgressDlg->ShowVerifyBox(true, CProgressDlg::VerifyBoxTextFor(m_ctx.UiLanguage()));
    m_pProgressDlg->SetPhase(CProgressDlg::Phase::Writing);
    m_pProgressDlg->SetVerifyChecked(m_ctx.Settings().GetInt(kVerifySetting).value_or(1) != 0);
    if (m_pProgressDlg->IsOpen()) return;
    m_pProgressDlg->Open();
}

void CProgramView::OnWriteMany() {
    CommitCellEdit();
    if (!m_pWriteManyDlg) {
        // Each round takes the image as the grid holds it when Start is pressed.
        m_pWriteManyDlg = new CWriteManyDlg(
            m_ctx, [this] { return ImageToWrite(); }, this);
        m_pWriteManyDlg->setWindowFlag(Qt::Window);
    }
    if (m_pDocument) m_pWriteManyDlg->SetDocumentName(m_pDocument->GetTitle());
    m_pWriteManyDlg->show();
    m_pWriteManyDlg->raise();
    m_pWriteManyDlg->activateWindow();
}

CComSetupDlg* CProgramView::ComSetupDlg() {
    if (!m_pDlgComSetup) {
        m_pDlgComSetup = new CComSetupDlg(&m_ctx.Settings(), this);
        m_pDlgComSetup->SetHelpHook([this](int context) { m_ctx.ShowHelp(context); });
        m_pDlgComSetup->SetReportViewer([this](const QString& title, const QString& text, bool ok) {
            m_ctx.Messages().Show(
                m_pDlgComSetup,
                ok ? MessageService::Kind::Information : MessageService::Kind::Warning, title,
                text);
        });
        // The stored choice is what every view follows from now on, this one too.
        connect(m_pDlgComSetup, &CComSetupDlg::PortChosen, this, [this] { m_strPortName.clear(); });
    }
    return m_pDlgComSetup;
}

void CProgramView::OnComSetup() { ComSetupDlg()->exec(); }

QString CProgramView::PortName() const {
    return m_strPortName.isEmpty() ? m_pDlgComSetup->StoredPort() : m_strPortName;
}

bool CProgramView::IsTransferRunning() const {
    return (m_pTransfer && m_pTransfer->IsRunning()) ||
           (m_pWriteManyDlg && m_pWriteManyDlg->IsRunning());
}

void CProgramView::SetVirtualRadio(std::shared_ptr<CVirtualRadioHost> host) {
    m_pTransfer->SetVirtualRadio(std::move(host));
}

void CProgramView::OnStartTransfer() {
    if (!m_pDocument || IsTransferRunning() || !m_pProgressDlg->IsStarted()) return;
    m_bTransferWrite = m_bWriteMode;
    if (!m_bTransferWrite) {
        CommitCellEdit();
        // A read works on a copy: the document changes only when every block has arrived.
        m_pTransfer->Start(false, PortName(), m_pDocument->image(), m_pProgressDlg);
        return;
    }
    EncodeGridToImage();
    m_ctx.Settings().SetInt(kVerifySetting, m_pProgressDlg->IsVerifyChecked() ? 1 : 0);
    const std::vector<radio::Finding> findings = radio::CheckImage(m_pDocument->image());
    if (findings.empty()) return StartWrite();

    // The findings first; the write goes only on Write anyway. Window-modal over the progress
    // window, so neither the grid nor the transfer window changes meanwhile.
    if (!m_pWriteCheckDlg) {
        m_pWriteCheckDlg = new CWriteCheckDlg(m_pProgressDlg);
        m_pWriteCheckDlg->setWindowModality(Qt::WindowModal);
        connect(m_pWriteCheckDlg, &QDialog::accepted, this, &CProgramView::StartWrite);
        connect(m_pWriteCheckDlg, &QDialog::rejected, m_pProgressDlg, &CProgressDlg::Dismiss);
        connect(m_pWriteCheckDlg, &CWriteCheckDlg::CellRequested, this, &CProgramView::JumpToCell);
        connect(m_pWriteCheckDlg, &CWriteCheckDlg::ProductInfoRequested, this,
                &CProgramView::ProductInfoRequested);
    }
    m_pWriteCheckDlg->SetFindings(findings);
    m_pWriteCheckDlg->open();
}

void CProgramView::StartWrite() {
    if (!m_pDocument || IsTransferRunning() || !m_pProgressDlg->IsStarted()) return;
    m_pTransfer->Start(true, PortName(), m_pDocument->image(), m_pProgressDlg,
                       m_pProgressDlg->IsVerifyChecked());
}

void CProgramView::ReportVerify(const radio::RadioImage& written,
                                const radio::RadioImage& readBack) {
    // In the display language, the field names as the grid and Option Features show them.
    const std::vector<radio::ImageDifference> diffs =
        radio::VerifyWrittenImage(written, readBack, m_ctx.UiLanguage());
    QString report = radio::TranslatedPhrase(radio::VerifyReportPhrase(diffs));
    m_verified = diffs.empty();
    if (diffs.empty()) {
        m_ctx.Messages().Information(this, m_ctx.AppCaption(), tr("%1.").arg(report));
        return;
    }
    // What happened, then the differences below it, one a line.
    report.replace(report.indexOf(QLatin1Char('\n')), 1, QStringLiteral("\n\n"));
    m_ctx.Messages().Warning(this, m_ctx.AppCaption(),
                             report + QStringLiteral("\n\n") +
                                 tr("Write again; if the same differences come back, the radio's "
                                    "memory may be failing."));
}

void CProgramView::BackUpRead(const radio::RadioImage& image) {
    const QString folder = m_ctx.BackupFolder();
    if (folder.isEmpty()) return;  // switched off in Program.ini
    radio::BackupStore store(QFile::encodeName(folder).toStdString());
    if (const radio::Status st = store.Save(image); !st) {
        m_ctx.Messages().Warning(
            this, m_ctx.AppCaption(),
            tr("The radio was read completely, but the backup copy of its memory "
               "could not be saved.\n\n%1\n\nThe document holds everything that "
               "was read. BackupDir in Program.ini chooses another folder.")
                .arg(QString::fromStdString(st.message)));
    }
}

void CProgramView::OnTransferFinished(radio::LinkOutcome outcome, const radio::RadioImage& image) {
    if (m_pDocument && !m_bTransferWrite && outcome == radio::LinkOutcome::Done) {
        // The radio's memory as it came, before the band settings touch the document's copy.
        BackUpRead(image);
        HideEditors();
        // The whole image and grid as one step: Undo gives back what was there before the read.
        CProgramDoc* doc = m_pDocument;
        doc->ApplyChange(
            [doc, &image] {
                doc->image() = image;
                doc->SetNewImage(false);
                doc->DecodeIntoGrid();  // band settings and the main window title too
            },
            [](int) { return tr("read from the radio"); },
            radio::CellRange::Cell(m_grid->GetRow(), m_grid->GetCol()));
        m_grid->Refresh();
        RefreshCompare();
    }
    AnnounceTransfer(outcome);
    emit TransferFinished(outcome);
}

bool CProgramView::QueryInterrupt() {
    if (!IsTransferRunning()) return true;
    if (m_pWriteManyDlg && m_pWriteManyDlg->IsRunning()) {
        m_ctx.Messages().Information(
            this, m_ctx.AppCaption(),
            tr("This document is being written to several radios.\n\nWait until they have "
               "finished, or press Cancel transfers in the Write to Several Radios window, then "
               "try again."));
        return false;
    }
    m_ctx.Messages().Information(
        this, m_ctx.AppCaption(),
        tr("A transfer with the radio is under way in this window.\n\n"
           "Wait until it has finished, or press Cancel in its progress window, "
           "then try again."));
    return false;
}
