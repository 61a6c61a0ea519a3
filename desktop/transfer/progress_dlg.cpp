#include "desktop/transfer/progress_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Range the window opens with; every transfer sets its own before the first step.
constexpr int kInitialRange = 305;

void SetControlId(QWidget* widget, int id) { widget->setProperty("controlId", id); }

}  // namespace

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent) {
    setModal(false);
    setWindowTitle(tr("Process"));

    m_wndProgress = new QProgressBar(this);
    m_wndProgress->setTextVisible(false);
    m_wndProgress->setMinimumWidth(260);
    SetControlId(m_wndProgress, kIdProgress);
    SetPhase(Phase::Reading);

    m_staticPos = new QLabel(this);
    m_staticPos->setAlignment(Qt::AlignCenter);
    m_staticPos->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_staticPos->setMinimumWidth(220);
    // No accessible name of its own: its text ("Reading block 135 of 1024") is what a reader
    // should say.
    SetControlId(m_staticPos, kIdPosition);

    m_chkVerify = new QCheckBox(this);
    m_chkVerify->setChecked(true);
    m_chkVerify->hide();
    SetControlId(m_chkVerify, kIdVerify);

    m_btnOk = new QPushButton(tr("OK"), this);
    m_btnOk->setDefault(true);
    m_btnOk->setAutoDefault(true);
    SetControlId(m_btnOk, kIdOk);
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnCancel->setAutoDefault(false);
    SetControlId(m_btnCancel, kIdCancel);
    connect(m_btnOk, &QPushButton::clicked, this, &CProgressDlg::OnOK);
    connect(m_btnCancel, &QPushButton::clicked, this, &CProgressDlg::OnCancel);

    auto* numberRow = new QHBoxLayout;
    numberRow->addStretch();
    numberRow->addWidget(m_staticPos);
    numberRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOk);
    buttons->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_wndProgress);
    layout->addLayout(numberRow);
    layout->addWidget(m_chkVerify);
    layout->addLayout(buttons);
}

QString CProgressDlg::TitleFor(bool writeMode, radio::Language lang) {
    const std::string_view title = writeMode ? radio::Pick(lang, "Write Data", "写数据")
                                             : radio::Pick(lang, "Read Data", "读数据");
    return QString::fromUtf8(title.data(), qsizetype(title.size()));
}

QString CProgressDlg::VerifyTitleFor(radio::Language lang) {
    const std::string_view title = radio::Pick(lang, "Verify Data", "校验数据");
    return QString::fromUtf8(title.data(), qsizetype(title.size()));
}

QString CProgressDlg::VerifyBoxTextFor(radio::Language lang) {
    const std::string_view text =
        radio::Pick(lang, "&Verify: read the radio back after writing", "写入后读回校验(&V)");
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void CProgressDlg::ShowVerifyBox(bool shown, const QString& text) {
    m_chkVerify->setText(text);
    m_chkVerify->setVisible(shown);
}

bool CProgressDlg::IsVerifyShown() const { return !m_chkVerify->isHidden(); }

bool CProgressDlg::IsVerifyChecked() const { return m_chkVerify->isChecked(); }

void CProgressDlg::SetVerifyChecked(bool checked) { m_chkVerify->setChecked(checked); }

void CProgressDlg::SetPhase(Phase phase) {
    m_phase = phase;
    // The bar is named after what its blocks are for, so a reader says "Writing, 40 percent".
    m_wndProgress->setAccessibleName(phase == Phase::Writing     ? tr("Writing")
                                     : phase == Phase::Verifying ? tr("Verifying")
                                                                 : tr("Reading"));
}

void CProgressDlg::SetVerifyPhase() {
    if (!m_strVerifyTitle.isEmpty()) setWindowTitle(m_strVerifyTitle);
    SetPhase(Phase::Verifying);
    SetPos(0);
}

void CProgressDlg::SetBlock(int block, int blocks) {
    const char* text = m_phase == Phase::Writing     ? QT_TR_NOOP("Writing block %1 of %2")
                       : m_phase == Phase::Verifying ? QT_TR_NOOP("Verifying block %1 of %2")
                                                     : QT_TR_NOOP("Reading block %1 of %2");
    m_staticPos->setText(tr(text).arg(block).arg(blocks));
}

void CProgressDlg::Open() {
    m_wndProgress->setRange(0, kInitialRange);
    SetPos(0);
    m_staticPos->setText(tr("Press OK to start"));
    setWindowTitle(m_strTitle);
    m_bCancel = false;
    m_chkVerify->setEnabled(true);
    m_btnOk->setEnabled(true);
    m_btnOk->setDefault(true);
    show();
    if (parentWidget()) {
        const QRect area = parentWidget()->window()->frameGeometry();
        move(area.center() - rect().center());
    }
    raise();
    activateWindow();
}

void CProgressDlg::Dismiss() { hide(); }

bool CProgressDlg::IsStarted() const { return isVisible() && !m_btnOk->isEnabled(); }

void CProgressDlg::SetRange(int maximum) { m_wndProgress->setRange(0, maximum); }

void CProgressDlg::SetPos(int position) { m_wndProgress->setValue(position); }

int CProgressDlg::GetPos() const { return m_wndProgress->value(); }

int CProgressDlg::GetRangeMax() const { return m_wndProgress->maximum(); }

QWidget* CProgressDlg::GetDlgItem(int id) const {
    switch (id) {
        case kIdOk:
            return m_btnOk;
        case kIdCancel:
            return m_btnCancel;
        case kIdProgress:
            return m_wndProgress;
        case kIdPosition:
            return m_staticPos;
        case kIdVerify:
            return m_chkVerify;
        default:
            return nullptr;
    }
}

void CProgressDlg::OnOK() {
    if (!m_btnOk->isEnabled()) return;  // a transfer is already under way
    m_btnOk->setEnabled(false);
    m_chkVerify->setEnabled(false);
    m_staticPos->setText(tr("Connecting to the radio..."));
    emit StartTransfer();
}

void CProgressDlg::OnCancel() {
    m_bCancel = true;
    if (m_btnOk->isEnabled()) {
        hide();  // nothing was started: just close
        return;
    }
    // The transfer notices the flag at its next pump point and then closes this window.
    emit CancelRequested();
}
