#include "desktop/dialogs/backups_dlg.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/formats/backup_store.h"
#include "desktop/services/app_context.h"
#include "desktop/services/command_ids.h"

namespace {

constexpr int kPathRole = Qt::UserRole;

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

CBackupsDlg::CBackupsDlg(AppContext& ctx, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ctx.PickText("Radio Backups", "电台备份"));
    m_folder = new QLabel(this);
    m_folder->setWordWrap(true);
    m_folder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAccessibleName(tr("Radio backups"));
    m_list->setHeaderLabels({ctx.PickText("Read on", "读取时间"),
                             ctx.PickText("Channels", "信道数"),
                             ctx.PickText("First channels", "前几个信道")});
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->setMinimumSize(560, 260);
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { accept(); });

    m_btnOpen = new QPushButton(ctx.PickText("&Open", "打开(&O)"), this);
    m_btnOpen->setDefault(true);
    auto* close = new QPushButton(ctx.PickText("Close", "关闭"), this);
    close->setAutoDefault(false);
    connect(m_btnOpen, &QPushButton::clicked, this, &CBackupsDlg::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOpen);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_folder);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    ctx.InstallDialogHelp(this, ID_FILE_RADIO_BACKUPS);

    const QString folder = ctx.BackupFolder();
    if (folder.isEmpty()) {
        m_folder->setText(
            tr("Backups are switched off (BackupDir=off in "
               "Program.ini): reads keep no copy."));
    } else {
        Fill(folder);
    }
    m_btnOpen->setEnabled(m_list->topLevelItemCount() > 0);
}

void CBackupsDlg::Fill(const QString& folder) {
    const auto entries = radio::BackupStore(QFile::encodeName(folder).toStdString()).List();
    m_folder->setText(
        entries.empty()
            ? tr("No backups yet in %1. Every complete Program > Read "
                 "keeps one there.")
                  .arg(QDir::toNativeSeparators(folder))
            : tr("Images kept from reading radios, in %1:").arg(QDir::toNativeSeparators(folder)));
    for (const radio::BackupEntry& entry : entries) {
        const radio::BackupSummary summary = radio::SummarizeBackup(entry.path);
        QStringList names;
        for (const std::string& name : summary.firstNames) names << Utf8(name);
        auto* item = new QTreeWidgetItem(
            m_list, {Utf8(radio::FormatBackupTime(entry.time)),
                     summary.readable ? QString::number(summary.channelCount) : QString(),
                     summary.readable ? names.join(QStringLiteral(", ")) : Utf8(summary.problem)});
        item->setData(0, kPathRole, QFile::decodeName(entry.path.c_str()));
        item->setToolTip(0, QFile::decodeName(entry.path.c_str()));
        if (!summary.readable) item->setDisabled(true);
    }
    if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
}

void CBackupsDlg::accept() {
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item || item->isDisabled()) return;
    m_strChosen = item->data(0, kPathRole).toString();
    QDialog::accept();
}
