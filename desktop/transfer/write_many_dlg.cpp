#include "desktop/transfer/write_many_dlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <map>

#include "core/formats/batch_log.h"
#include "core/formats/image_check.h"
#include "core/formats/sha256.h"
#include "core/image/atomic_file.h"
#include "desktop/services/app_context.h"
#include "desktop/services/command_ids.h"
#include "desktop/services/file_dialog_service.h"
#include "desktop/services/message_service.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "desktop/transfer/write_check_dlg.h"
#include "desktop/transfer/write_pool_runner.h"
#include "qt/port_system.h"

namespace {

enum Column { kColPort, kColProgress, kColResult };
const QString kVirtualPort = QStringLiteral("virtual:");

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

CWriteManyDlg::CWriteManyDlg(AppContext& ctx, ImageSource source, QWidget* parent)
    : QDialog(parent),
      m_ctx(ctx),
      m_imageSource(std::move(source)),
      m_lister(&radio::ListSerialPorts) {
    setObjectName(QStringLiteral("WriteManyDlg"));
    SetDocumentName(QString());
    m_runner = new CWritePoolRunner(this);
    connect(m_runner, &CWritePoolRunner::RadioProgress, this, &CWriteManyDlg::OnRadioProgress);
    connect(m_runner, &CWritePoolRunner::RadioFinished, this, &CWriteManyDlg::OnRadioFinished);
    connect(m_runner, &CWritePoolRunner::RoundFinished, this, &CWriteManyDlg::OnRoundFinished);
    BuildLayout();
    resize(900, 600);  // room for a handful of rows with their results
    m_ctx.InstallDialogHelp(this, ID_PROGRAM_WRITE_MANY);
    UpdateButtons();
}

// The workers report to this window: they are stopped before any of it goes.
CWriteManyDlg::~CWriteManyDlg() { m_runner->CancelAndWait(); }

void CWriteManyDlg::BuildLayout() {
    auto* portLabel = new QLabel(tr("&Port:"), this);
    m_comboPort = new QComboBox(this);
    m_comboPort->setEditable(true);
    m_comboPort->setInsertPolicy(QComboBox::NoInsert);
    m_comboPort->setMinimumContentsLength(32);
    m_comboPort->setAccessibleName(tr("Port to add"));
    m_comboPort->setToolTip(
        tr("A port found on this computer, the built-in virtual radio, or "
           "the name of a port typed in (such as /dev/pts/3)"));
    portLabel->setBuddy(m_comboPort);
    m_btnAdd = new QPushButton(tr("&Add"), this);
    m_btnAdd->setAccessibleName(tr("Add port"));
    m_btnRemove = new QPushButton(tr("Re&move"), this);
    m_btnRemove->setAccessibleName(tr("Remove port"));
    connect(m_btnAdd, &QPushButton::clicked, this, &CWriteManyDlg::OnAdd);
    connect(m_btnRemove, &QPushButton::clicked, this, &CWriteManyDlg::OnRemove);
    // Enter in the port box adds the port; it must not reach the default button and start.
    // The combo box takes the keys first and hands them to its line edit directly.
    m_comboPort->installEventFilter(this);
    m_comboPort->lineEdit()->installEventFilter(this);

    m_table = new QTableWidget(0, 3, this);
    m_table->setHorizontalHeaderLabels({tr("Port"), tr("Progress"), tr("Result")});
    m_table->setAccessibleName(tr("Radios"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);  // Tab goes on to the next control
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(kColPort, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(kColProgress, QHeaderView::Fixed);
    m_table->horizontalHeader()->resizeSection(kColProgress, 180);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setMinimumSize(640, 200);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CWriteManyDlg::UpdateButtons);
    m_table->installEventFilter(this);

    m_checkVerify = new QCheckBox(tr("&Verify (read each radio back and compare)"), this);
    m_checkVerify->setChecked(true);
    m_checkBackup =
        new QCheckBox(tr("&Back up first (keep each radio's image before writing)"), this);
    auto* logLabel = new QLabel(tr("&Log file:"), this);
    m_editLog = new QLineEdit(this);
    m_editLog->setAccessibleName(tr("Log file"));
    m_editLog->setPlaceholderText(tr("none: Save log... keeps the rows afterwards"));
    logLabel->setBuddy(m_editLog);
    m_btnChooseLog = new QPushButton(tr("C&hoose..."), this);
    m_btnChooseLog->setAccessibleName(tr("Choose log file"));
    connect(m_btnChooseLog, &QPushButton::clicked, this, &CWriteManyDlg::OnChooseLog);

    m_status = new QLabel(tr("Add the ports of the radios, then press Start."), this);
    m_status->setWordWrap(true);
    m_status->setAccessibleName(tr("Status"));

    m_btnStart = new QPushButton(tr("&Start"), this);
    m_btnNextRound = new QPushButton(tr("&Next round"), this);
    m_btnCancel = new QPushButton(tr("Cancel &transfers"), this);
    m_btnSaveLog = new QPushButton(tr("Save l&og..."), this);
    m_btnClose = new QPushButton(tr("&Close"), this);
    for (QPushButton* button : {m_btnAdd, m_btnRemove, m_btnChooseLog, m_btnNextRound, m_btnCancel,
                                m_btnSaveLog, m_btnClose})
        button->setAutoDefault(false);
    m_btnStart->setDefault(true);
    connect(m_btnStart, &QPushButton::clicked, this, &CWriteManyDlg::OnStart);
    connect(m_btnNextRound, &QPushButton::clicked, this, &CWriteManyDlg::OnNextRound);
    connect(m_btnCancel, &QPushButton::clicked, this, &CWriteManyDlg::OnCancelTransfers);
    connect(m_btnSaveLog, &QPushButton::clicked, this, &CWriteManyDlg::OnSaveLog);
    connect(m_btnClose, &QPushButton::clicked, this, &QWidget::close);

    auto* ports = new QHBoxLayout;
    ports->addWidget(portLabel);
    ports->addWidget(m_comboPort, 1);
    ports->addWidget(m_btnAdd);
    ports->addWidget(m_btnRemove);
    auto* log = new QHBoxLayout;
    log->addWidget(logLabel);
    log->addWidget(m_editLog, 1);
    log->addWidget(m_btnChooseLog);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_btnStart, m_btnNextRound, m_btnCancel, m_btnSaveLog})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(m_btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ports);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_checkVerify);
    layout->addWidget(m_checkBackup);
    layout->addLayout(log);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
}

void CWriteManyDlg::SetDocumentName(const QString& name) {
    m_documentName = name;
    setWindowTitle(name.isEmpty() ? tr("Write to Several Radios")
                                  : tr("Write to Several Radios - %1").arg(name));
}

void CWriteManyDlg::SetPortLister(PortLister lister) {
    m_lister = std::move(lister);
    RefreshPorts();
}

void CWriteManyDlg::RefreshPorts() {
    const QString typed = m_comboPort->currentText();
    m_comboPort->clear();
    const std::vector<radio::PortListing> found =
        m_lister ? m_lister() : std::vector<radio::PortListing>{};
    for (const radio::PortListing& port : found) {
        const QString name = Utf8(port.name);
        const std::string description = radio::DescribePort(port);
        m_comboPort->addItem(
            description.empty() ? name : tr("%1 - %2").arg(name, Utf8(description)), name);
    }
    m_comboPort->addItem(tr("Virtual radio (built-in)"), kVirtualPort);
    if (!typed.isEmpty()) m_comboPort->setEditText(typed);
}

void CWriteManyDlg::showEvent(QShowEvent* event) {
    if (!IsRunning()) RefreshPorts();  // cables come and go
    QDialog::showEvent(event);
}

bool CWriteManyDlg::AddPort(const QString& port) {
    if (IsRunning()) return false;
    Row row;
    if (port == kVirtualPort) {
        const int n = m_nextVirtual++;
        row.port = kVirtualPort + QString::number(n);
        row.label = tr("Virtual radio %1 (built-in)").arg(n);
        // A radio of its own: what a round writes to it stays there, and it starts as the
        // built-in radio does, with the program's own faults and pace.
        row.host = std::make_shared<CVirtualRadioHost>(CVirtualRadioHost::InitialMemory());
        row.host->CopySettings(*CVirtualRadioHost::Shared());
    } else {
        for (const Row& existing : m_rows) {
            if (existing.port == port) return false;
        }
        row.port = row.label = port;
    }
    const int at = m_table->rowCount();
    m_table->insertRow(at);
    auto* name = new QTableWidgetItem(row.label);
    name->setToolTip(row.port);
    m_table->setItem(at, kColPort, name);
    auto* bar = new QProgressBar(m_table);
    bar->setAccessibleName(tr("Progress of %1").arg(row.label));
    bar->setValue(0);
    m_table->setCellWidget(at, kColProgress, bar);
    m_table->setItem(at, kColResult, new QTableWidgetItem(tr("Not started")));
    m_rows.push_back(std::move(row));
    UpdateButtons();
    return true;
}

void CWriteManyDlg::OnAdd() {
    if (IsRunning()) return;
    const int index = m_comboPort->currentIndex();
    const QString text = m_comboPort->currentText().trimmed();
    // A listed entry stands for its port; anything else is a port name typed in.
    const QString port = index >= 0 && text == m_comboPort->itemText(index)
                             ? m_comboPort->itemData(index).toString()
                             : text;
    if (port.isEmpty()) return;
    if (!AddPort(port)) m_status->setText(tr("%1 is in the list already.").arg(port));
}

void CWriteManyDlg::OnRemove() {
    const int at = m_table->currentRow();
    if (IsRunning() || at < 0 || at >= int(m_rows.size())) return;
    m_table->removeRow(at);
    m_rows.erase(m_rows.begin() + at);
    UpdateButtons();
}

QStringList CWriteManyDlg::Ports() const {
    QStringList ports;
    for (const Row& row : m_rows) ports << row.port;
    return ports;
}

std::shared_ptr<CVirtualRadioHost> CWriteManyDlg::VirtualRadio(const QString& port) const {
    for (const Row& row : m_rows) {
        if (row.port == port) return row.host;
    }
    return nullptr;
}

bool CWriteManyDlg::IsRunning() const { return m_runner->IsRunning(); }

QProgressBar* CWriteManyDlg::ProgressBar(int row) const {
    return qobject_cast<QProgressBar*>(m_table->cellWidget(row, kColProgress));
}

QString CWriteManyDlg::ResultText(int row) const {
    const QTableWidgetItem* item = m_table->item(row, kColResult);
    return item ? item->text() : QString();
}

void CWriteManyDlg::OnStart() {
    if (IsRunning() || m_rows.empty()) return;
    m_image = m_imageSource ? m_imageSource() : radio::RadioImage::Blank();
    m_options = {m_checkVerify->isChecked(), m_checkBackup->isChecked()};
    if (m_options.backupFirst && m_ctx.BackupFolder().isEmpty()) {
        m_ctx.Messages().Warning(this, m_ctx.AppCaption(),
                                 tr("Back up first keeps each radio's image in the backup "
                                    "folder, but backups are switched off (BackupDir=off in "
                                    "Program.ini).\n\nChoose a folder there, or clear Back up "
                                    "first."));
        return;
    }
    m_logPath = m_editLog->text().trimmed();
    if (!m_logPath.isEmpty()) {
        // A log that cannot be written is found out before any radio is.
        if (const radio::Status st = radio::AppendBatchLog(LocalPath(m_logPath), {}); !st) {
            m_ctx.Messages().Warning(
                this, m_ctx.AppCaption(),
                tr("The log file cannot be written, so no radio was.\n\n%1").arg(Utf8(st.message)));
            return;
        }
    }
    m_sha256 = radio::Sha256Hex(m_image.data(), radio::kImageSize);
    m_round = 0;
    const std::vector<radio::Finding> findings = radio::CheckImage(m_image);
    if (findings.empty()) return OnNextRound();

    // The findings first, once for the whole batch; the radios are written only on Write anyway.
    if (!m_pWriteCheckDlg) {
        m_pWriteCheckDlg = new CWriteCheckDlg(this);
        m_pWriteCheckDlg->setWindowModality(Qt::WindowModal);
        connect(m_pWriteCheckDlg, &QDialog::accepted, this, &CWriteManyDlg::OnNextRound);
    }
    m_pWriteCheckDlg->SetFindings(findings);
    m_pWriteCheckDlg->open();
}

void CWriteManyDlg::OnNextRound() {
    if (IsRunning() || m_rows.empty() || m_sha256.empty()) return;
    ++m_round;
    StartRound();
}

void CWriteManyDlg::StartRound() {
    m_good = 0;
    m_logFailed = false;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        ProgressBar(row)->setRange(0, 100);
        ProgressBar(row)->setValue(0);
        ProgressBar(row)->setFormat(QStringLiteral("%p%"));
        QTableWidgetItem* result = m_table->item(row, kColResult);
        result->setText(tr("In progress"));
        result->setForeground(palette().text());
    }
    m_runner->SetBackupFolder(m_ctx.BackupFolder());
    // The workers look their built-in radios up in a copy: the rows are this thread's.
    std::map<std::string, std::shared_ptr<CVirtualRadioHost>> hosts;
    for (const Row& row : m_rows) {
        if (row.host) hosts.emplace(row.port.toStdString(), row.host);
    }
    m_runner->SetVirtualRadios([hosts](const std::string& port) {
        const auto found = hosts.find(port);
        return found == hosts.end() ? nullptr : found->second;
    });
    m_runner->Start(Ports(), m_image, m_options);
    m_status->setText(
        m_rows.size() == 1
            ? tr("Round %1: writing to 1 radio...").arg(m_round)
            : tr("Round %1: writing to %2 radios...").arg(m_round).arg(m_rows.size()));
    UpdateButtons();
}

void CWriteManyDlg::OnRadioProgress(int radio, radio::BatchPhase phase, int position, int maximum) {
    QProgressBar* bar = ProgressBar(radio);
    if (!bar) return;
    bar->setRange(0, maximum);
    bar->setValue(position);
    switch (phase) {
        case radio::BatchPhase::Backup:
            bar->setFormat(tr("Backing up %p%"));
            break;
        case radio::BatchPhase::Write:
            bar->setFormat(tr("Writing %p%"));
            break;
        case radio::BatchPhase::Verify:
            bar->setFormat(tr("Verifying %p%"));
            break;
    }
}

void CWriteManyDlg::OnRadioFinished(const radio::BatchRadio& radio) {
    const int row = int(radio.index);
    QTableWidgetItem* result = m_table->item(row, kColResult);
    if (!result) return;
    const QString seconds = Utf8(radio::FormatSeconds(radio.milliseconds));
    const QString message = Utf8(radio.message);
    QString text;
    QColor colour = palette().text().color();
    switch (radio.result) {
        case radio::BatchResult::Verified:
            text = tr("Verified (%1 s)").arg(seconds);
            colour = QColor(0, 110, 0);
            break;
        case radio::BatchResult::Written:
            text = tr("Written, not verified (%1 s)").arg(seconds);
            break;
        case radio::BatchResult::WriteFailed:
            text = tr("Write failed: %1").arg(message);
            colour = QColor(180, 0, 0);
            break;
        case radio::BatchResult::VerifyFailed:
            text = tr("Verify failed: %1").arg(message);
            colour = QColor(180, 0, 0);
            break;
        case radio::BatchResult::Cancelled:
            text = tr("Cancelled");
            break;
    }
    QString tip = text;
    if (!radio.backupPath.empty()) {
        // The file's name in the row, where it came from in full on hovering.
        const QString path = QDir::toNativeSeparators(Utf8(radio.backupPath));
        text += QLatin1Char('\n') + tr("Backup: %1").arg(QFileInfo(path).fileName());
        tip += QLatin1Char('\n') + tr("Backup: %1").arg(path);
    }
    result->setText(text);
    result->setToolTip(tip);
    result->setForeground(colour);
    if (radio.result ==
        (m_options.verify ? radio::BatchResult::Verified : radio::BatchResult::Written))
        ++m_good;
    if (QProgressBar* bar = ProgressBar(row); bar && radio.result != radio::BatchResult::Cancelled)
        bar->setFormat(radio.result == radio::BatchResult::Verified ||
                               radio.result == radio::BatchResult::Written
                           ? tr("Done")
                           : tr("Failed"));
    m_table->resizeRowToContents(row);

    const std::string line = radio::FormatBatchLogRow(m_round, radio, m_sha256);
    m_logRows << Utf8(line);
    m_logUnsaved = m_logUnsaved || m_logPath.isEmpty() || m_logFailed;
    if (!m_logPath.isEmpty() && !m_logFailed) {
        if (const radio::Status st = radio::AppendBatchLog(LocalPath(m_logPath), {line}); !st) {
            m_logFailed = m_logUnsaved = true;
            m_status->setText(tr("The log could not be written: %1").arg(Utf8(st.message)));
        }
    }
}

void CWriteManyDlg::OnRoundFinished() {
    const int count = int(m_rows.size());
    // English has one plural form, so a plain choice; translations reorder the numbers freely.
    const QString done = count == 1 ? (m_options.verify ? tr("Round %1: %2 of 1 radio verified.")
                                                        : tr("Round %1: %2 of 1 radio written."))
                                    : (m_options.verify ? tr("Round %1: %2 of %3 radios verified.")
                                                        : tr("Round %1: %2 of %3 radios written."));
    m_status->setText(
        (count == 1 ? done.arg(m_round).arg(m_good) : done.arg(m_round).arg(m_good).arg(count)) +
        (m_good < count ? QLatin1Char(' ') + tr("The results say what went wrong.") : QString()));
    UpdateButtons();
    if (m_logFailed) {
        m_ctx.Messages().Warning(this, m_ctx.AppCaption(),
                                 tr("Some results could not be added to the log file %1.\n\n"
                                    "Save log... keeps every row of this window in another file.")
                                     .arg(QDir::toNativeSeparators(m_logPath)));
    }
}

void CWriteManyDlg::OnCancelTransfers() { m_runner->Cancel(); }

void CWriteManyDlg::OnChooseLog() {
    const QString path = m_ctx.FileDialogs().GetSaveFileName(
        this, QStringLiteral("write-log.csv"), tr("CSV files (*.csv);;All files (*)"));
    if (!path.isEmpty()) m_editLog->setText(QDir::toNativeSeparators(path));
}

bool CWriteManyDlg::OnSaveLog() {
    const QString path = m_ctx.FileDialogs().GetSaveFileName(
        this, QStringLiteral("write-log.csv"), tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty()) return false;
    std::string text = radio::BatchLogHeader() + "\n";
    for (const QString& row : m_logRows) text += row.toUtf8().toStdString() + "\n";
    if (const radio::Status st = radio::WriteFileAtomically(LocalPath(path), text); !st) {
        m_ctx.Messages().Warning(this, m_ctx.AppCaption(),
                                 tr("The log could not be saved.\n\n%1").arg(Utf8(st.message)));
        return false;
    }
    m_logUnsaved = false;
    return true;
}

void CWriteManyDlg::UpdateButtons() {
    const bool running = IsRunning();
    const bool hasRows = !m_rows.empty();
    m_comboPort->setEnabled(!running);
    m_btnAdd->setEnabled(!running);
    m_btnRemove->setEnabled(!running && m_table->currentRow() >= 0);
    m_checkVerify->setEnabled(!running);
    m_checkBackup->setEnabled(!running);
    m_editLog->setEnabled(!running);
    m_btnChooseLog->setEnabled(!running);
    m_btnStart->setEnabled(!running && hasRows);
    m_btnNextRound->setEnabled(!running && hasRows && m_round > 0);
    m_btnCancel->setEnabled(running);
    m_btnSaveLog->setEnabled(!running && !m_logRows.isEmpty());
    // After a round the likely next step is the next one.
    (m_round > 0 ? m_btnNextRound : m_btnStart)->setDefault(!running);
    (m_round > 0 ? m_btnStart : m_btnNextRound)->setDefault(false);
}

bool CWriteManyDlg::MayClose() {
    if (IsRunning()) {
        if (!m_ctx.Messages().OkCancel(
                this, m_ctx.AppCaption(),
                tr("Radios are being written. Closing this window cancels every transfer, and a "
                   "radio cancelled during its write may hold a partly written image.\n\n"
                   "Cancel the transfers and close?")))
            return false;
        m_runner->CancelAndWait();
    }
    if (m_logUnsaved && !m_logRows.isEmpty()) {
        switch (m_ctx.Messages().SaveDiscardCancel(
            this, m_ctx.AppCaption(),
            tr("The results of these rounds are in no log file yet. Save the log?"))) {
            case MessageService::Answer::Save:
                if (!OnSaveLog()) return false;
                break;
            case MessageService::Answer::Discard:
                m_logUnsaved = false;
                break;
            default:
                return false;
        }
    }
    return true;
}

void CWriteManyDlg::closeEvent(QCloseEvent* event) {
    if (MayClose())
        event->accept();
    else
        event->ignore();
}

bool CWriteManyDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool inPortBox = watched == m_comboPort || watched == m_comboPort->lineEdit();
    if (inPortBox && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        OnAdd();
        return true;
    }
    // Del in the list removes the chosen row, as Remove does.
    if (watched == m_table && key == Qt::Key_Delete) {
        OnRemove();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
