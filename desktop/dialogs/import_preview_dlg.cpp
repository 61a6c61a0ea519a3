#include "desktop/dialogs/import_preview_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "desktop/dialogs/column_map_panel.h"
#include "desktop/services/app_context.h"
#include "qt/phrase_text.h"

namespace {

constexpr int kGroup = radio::kChannelColumns;  // columns of one side of the table
const QColor kBeforeChanged(255, 226, 226);     // what goes
const QColor kAfterChanged(214, 240, 214);      // what comes

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CImportPreviewDlg::CImportPreviewDlg(AppContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_current(ctx.UiLanguage()), m_result{m_current, {}, {}, 0,
                                                                         0,         {}, {}, {}} {
    setWindowTitle(ctx.PickText("Import Channels", "导入信道"));
    m_pSummary = new QLabel(this);
    m_pSummary->setWordWrap(true);

    m_pReplace = new QRadioButton(
        ctx.PickText("&Replace all channels (rows the file does not list become empty)",
                     "全部替换（文件中没有的信道清空）"),
        this);
    m_pMerge = new QRadioButton(ctx.PickText("&Merge (only the channels the file lists change)",
                                             "合并（只改文件中的信道）"),
                                this);
    m_pReplace->setChecked(true);
    m_pMove = new QCheckBox(
        ctx.PickText("Mo&ve the file's first channel to", "把文件的第一个信道移到"), this);
    m_pStart = new QSpinBox(this);
    m_pStart->setRange(0, radio::kChannelCount - 1);
    m_pStart->setSpecialValueText(QStringLiteral("Pr"));  // channel 0 is the grid's row "Pr"
    m_pStart->setEnabled(false);
    m_pStart->setAccessibleName(tr("Channel the file's first channel goes to"));
    auto* modes = new QHBoxLayout;
    modes->addWidget(m_pReplace);
    modes->addWidget(m_pMerge);
    modes->addSpacing(24);
    modes->addWidget(m_pMove);
    modes->addWidget(m_pStart);
    modes->addStretch();

    m_pTable = new QTableWidget(this);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->verticalHeader()->hide();
    m_pTable->setAccessibleName(tr("Channels that change, now and after the import"));
    m_pTable->setColumnCount(1 + 2 * kGroup);
    QStringList headings{QString::fromUtf8(radio::ChannelGrid::Heading(0, ctx.UiLanguage()))};
    // Short group words: the headings below them already make the columns wide enough.
    for (const QString& side : {ctx.PickText("Now", "现在"), ctx.PickText("After", "导入后")}) {
        for (int col = 1; col <= kGroup; ++col)
            headings << side + QLatin1Char('\n') +
                            QString::fromUtf8(radio::ChannelGrid::Heading(col, ctx.UiLanguage()));
    }
    m_pTable->setHorizontalHeaderLabels(headings);

    m_pFindingsLabel = new QLabel(this);
    m_pFindings = new QListWidget(this);
    m_pFindings->setMaximumHeight(180);
    m_pFindings->setAccessibleName(tr("Findings"));
    m_pFindingsLabel->setBuddy(m_pFindings);
    m_pSummary->setBuddy(m_pTable);

    auto* buttons = new QDialogButtonBox(this);
    m_pImport = buttons->addButton(ctx.PickText("&Import", "导入"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    m_pImport->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_pMapPanel = new CColumnMapPanel(this);
    m_pMapPanel->hide();  // only for tables read through a map
    connect(m_pMapPanel, &CColumnMapPanel::MapChanged, this, &CImportPreviewDlg::ReadThroughMap);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pMapPanel);
    layout->addWidget(m_pSummary);
    layout->addLayout(modes);
    layout->addWidget(m_pTable, 1);
    layout->addWidget(m_pFindingsLabel);
    layout->addWidget(m_pFindings);
    layout->addWidget(buttons);

    connect(m_pMerge, &QRadioButton::toggled, this, &CImportPreviewDlg::Recompute);
    connect(m_pMove, &QCheckBox::toggled, this, [this](bool on) {
        m_pStart->setEnabled(on);
        Recompute();
    });
    connect(m_pStart, &QSpinBox::valueChanged, this, &CImportPreviewDlg::Recompute);

    // Wide enough for both sides of the table on a common screen.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1280, 800);
    resize(std::min(1500, room.width() * 9 / 10), std::min(760, room.height() * 9 / 10));
    m_ctx.InstallDialogHelp(this);
}

void CImportPreviewDlg::SetImport(const radio::ChannelGrid& current, radio::ChannelList list,
                                  const QString& fileName) {
    m_current = current;
    m_list = std::move(list);
    m_strFileName = fileName;
    Recompute();
}

void CImportPreviewDlg::SetMappedImport(const radio::ChannelGrid& current,
                                        radio::DelimitedTable table, const radio::ColumnMap& map,
                                        bool remembered, const QString& fileName) {
    m_current = current;
    m_table = std::move(table);
    m_strFileName = fileName;
    m_pMapPanel->show();
    m_pMapPanel->SetColumns(m_table.header.fields, map, remembered);  // reads the file
    // The step comes first for keyboard users too.
    m_pMapPanel->FieldBox(radio::MapField::Rx)->setFocus();
}

void CImportPreviewDlg::ReadThroughMap() {
    m_list = radio::ReadMappedList(m_table, m_pMapPanel->Map());
    Recompute();
    if (!m_list.status) {
        m_pSummary->setText(
            tr("%1: choose the column that holds the Rx frequency.").arg(m_strFileName));
        m_pImport->setEnabled(false);
    }
}

radio::ImportOptions CImportPreviewDlg::Options() const {
    return {m_pMerge->isChecked(), m_pMove->isChecked() ? m_pStart->value() + 1 : 0};
}

void CImportPreviewDlg::Recompute() {
    m_result = radio::ApplyImport(m_current, m_list, Options());
    FillTable();

    m_pFindings->clear();
    for (const radio::ImportFinding& f : m_result.findings)
        m_pFindings->addItem(tr("line %1: %2")
                                 .arg(f.line)
                                 .arg(radio::TranslatedPhrase(radio::ImportFindingPhrase(f))));
    m_pFindingsLabel->setText(
        m_ctx
            .PickText("Findings (%1): fields the radio cannot hold as the file has them",
                      "提示（%1）：对讲机无法按原样保存的字段")
            .arg(m_result.findings.size()));

    const int changed = static_cast<int>(m_result.changedRows.size());
    QString summary =
        !m_result.nothingImported.empty()
            ? m_ctx.PickText("%1: nothing imported: %2.", "%1：没有可导入的信道：%2。")
                  .arg(m_strFileName, radio::TranslatedPhrase(m_result.nothingImportedPhrase))
        : changed == 0 ? m_ctx
                             .PickText("%1: %2 channels read; importing them changes nothing.",
                                       "%1：读到 %2 个信道；导入不会改变任何信道。")
                             .arg(m_strFileName)
                             .arg(m_result.stored)
                       : m_ctx
                             .PickText("%1: %2 channels read; %3 rows of the document will change.",
                                       "%1：读到 %2 个信道；文档中将有 %3 行改变。")
                             .arg(m_strFileName)
                             .arg(m_result.stored)
                             .arg(changed);
    // Channels of the file that find no place must not pass unnoticed.
    if (m_result.nothingImported.empty() && m_result.skipped > 0)
        summary += QLatin1Char(' ') + m_ctx
                                          .PickText(
                                              "%1 channels of the file are left out (see "
                                              "the findings).",
                                              "文件中有 %1 个信道未导入（见提示）。")
                                          .arg(m_result.skipped);
    m_pSummary->setText(summary);
    m_pImport->setEnabled(changed > 0);
}

void CImportPreviewDlg::FillTable() {
    m_pTable->setRowCount(static_cast<int>(m_result.changedRows.size()));
    int line = 0;
    for (int row : m_result.changedRows) {
        auto* label = new QTableWidgetItem(
            QString::fromStdString(radio::ChannelGrid::RowLabel(row)).trimmed());
        label->setTextAlignment(Qt::AlignCenter);
        m_pTable->setItem(line, 0, label);
        for (int col = 1; col <= kGroup; ++col) {
            const std::string& before = m_current.Text(row, col);
            const std::string& after = m_result.grid.Text(row, col);
            auto* now = new QTableWidgetItem(Utf8(before));
            auto* next = new QTableWidgetItem(Utf8(after));
            if (before != after) {
                now->setBackground(kBeforeChanged);
                next->setBackground(kAfterChanged);
                QFont bold = next->font();
                bold.setBold(true);
                next->setFont(bold);
                // In words too, for those who cannot see the colour.
                const QString from =
                    tr("changed from %1").arg(before.empty() ? tr("empty") : Utf8(before));
                next->setData(Qt::AccessibleDescriptionRole, from);
                next->setToolTip(from);
            }
            m_pTable->setItem(line, col, now);
            m_pTable->setItem(line, kGroup + col, next);
        }
        ++line;
    }
    m_pTable->resizeColumnsToContents();
    m_pTable->resizeRowsToContents();
}
