#include "desktop/transfer/write_check_dlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/phrase_text.h"

namespace {

constexpr int kRowRole = Qt::UserRole;
constexpr int kColRole = Qt::UserRole + 1;

}  // namespace

CWriteCheckDlg::CWriteCheckDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Check Before Writing"));
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);

    m_list = new QTreeWidget(this);
    m_list->setColumnCount(2);
    m_list->setAccessibleName(tr("Findings"));
    m_list->setHeaderLabels({tr("Severity"), tr("Finding")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    m_list->setMinimumSize(820, 240);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const int row = item->data(0, kRowRole).toInt();
        if (row > 0) emit CellRequested(row, item->data(0, kColRole).toInt());
    });

    m_btnWrite = new QPushButton(tr("&Write anyway"), this);
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnWrite->setAutoDefault(false);
    m_btnCancel->setDefault(true);
    connect(m_btnWrite, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_btnProductInfo = new QPushButton(tr("&Product Information..."), this);
    m_btnProductInfo->setAutoDefault(false);
    connect(m_btnProductInfo, &QPushButton::clicked, this, &CWriteCheckDlg::ProductInfoRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnProductInfo);
    buttons->addStretch();
    buttons->addWidget(m_btnWrite);
    buttons->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
}

void CWriteCheckDlg::SetFindings(const std::vector<radio::Finding>& findings) {
    const auto errorCount = std::count_if(findings.begin(), findings.end(), [](const auto& f) {
        return f.severity == radio::Severity::Error;
    });
    const auto warningCount = static_cast<std::ptrdiff_t>(findings.size()) - errorCount;
    const QString errorText = errorCount == 1 ? tr("1 error") : tr("%1 errors").arg(errorCount);
    const QString warningText =
        warningCount == 1 ? tr("1 warning") : tr("%1 warnings").arg(warningCount);
    const QString counted = errorCount > 0 && warningCount > 0
                                ? tr("%1 and %2").arg(errorText, warningText)
                            : errorCount > 0   ? errorText
                            : warningCount > 0 ? warningText
                                               : tr("no findings");
    const QString summary =
        errorCount > 0
            ? tr("The image about to be written has %1. Errors are values the radio cannot use "
                 "or this program cannot show correctly: correct them in the grid before "
                 "writing, unless you are sure.")
                  .arg(counted)
            : tr("The image about to be written has %1. Warnings are probably mistakes, though "
                 "the radio can take them.")
                  .arg(counted);
    m_summary->setText(summary);

    m_list->clear();
    // Errors first, each severity in channel order as the check found them.
    std::vector<radio::Finding> sorted = findings;
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a.severity == radio::Severity::Error && b.severity != radio::Severity::Error;
    });
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const radio::Finding& f : sorted) {
        const bool error = f.severity == radio::Severity::Error;
        auto* item = new QTreeWidgetItem(
            m_list, {error ? tr("Error") : tr("Warning"), radio::TranslatedPhrase(f.phrase)});
        item->setIcon(0, error ? errorIcon : warningIcon);
        item->setData(0, kRowRole, f.record >= 0 ? f.record + 1 : 0);
        item->setData(0, kColRole, f.column);
        item->setToolTip(1, item->text(1));
    }
    if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
    m_btnCancel->setFocus();
}
