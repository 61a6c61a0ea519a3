// File > Import Channels: from a file (with the mapping step for tables of other columns) and
// from the stock lists the program ships.

#include <QFile>
#include <QMenu>
#include <QStatusBar>

#include "core/formats/channel_import.h"
#include "core/formats/column_map.h"
#include "core/formats/stock_lists.h"
#include "core/image/atomic_file.h"
#include "desktop/channels/import_landing.h"
#include "desktop/channels/program_view.h"
#include "desktop/dialogs/column_map_panel.h"
#include "desktop/dialogs/import_preview_dlg.h"
#include "desktop/document/program_doc.h"
#include "desktop/frame/main_frame.h"
#include "desktop/services/app_context.h"
#include "desktop/services/command_ids.h"
#include "desktop/services/message_service.h"
#include "qt/data_paths.h"

void CMainFrame::AddImportSubmenu() {
    QAction* fromFile = Action(ID_FILE_IMPORT_CHANNELS);
    fromFile->setText(tr("From a &File..."));
    m_pImportMenu = new QMenu(tr("&Import Channels"), this);
    m_pImportMenu->setObjectName(QStringLiteral("importChannelsMenu"));
    m_pImportMenu->addAction(fromFile);
    m_pStockMenu = m_pImportMenu->addMenu(tr("&Stock List"));
    m_pStockMenu->setObjectName(QStringLiteral("stockListMenu"));
    m_pImportMenu->menuAction()->setStatusTip(
        tr("Import channels from a file or from a stock list of service channels"));
    m_pStockMenu->menuAction()->setStatusTip(
        tr("Import a stock list: PMR446, FRS/GMRS, MURS, weather, marine or calling channels"));
    // The folder is read as the menu opens, so lists added meanwhile are offered.
    connect(m_pStockMenu, &QMenu::aboutToShow, this, &CMainFrame::FillStockMenu);
    connect(m_pImportMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    QMenu* file = m_menus129.front();
    file->insertMenu(fromFile, m_pImportMenu);
    file->removeAction(fromFile);
    FillStockMenu();
}

void CMainFrame::FillStockMenu() {
    m_pStockMenu->clear();
    const std::vector<radio::StockList> lists = radio::FindStockLists(radio::DataFolders());
    if (lists.empty()) m_pStockMenu->addAction(tr("No stock lists installed"))->setEnabled(false);
    for (const radio::StockList& list : lists) {
        const QString name = QString::fromStdString(list.name);
        const QString description = QString::fromStdString(list.description);
        QAction* item = m_pStockMenu->addAction(
            description.isEmpty() ? name : tr("%1 - %2").arg(name, description));
        item->setObjectName(QStringLiteral("stock_") + name);
        item->setStatusTip(tr("Frequencies from: %1").arg(QString::fromStdString(list.source)));
        item->setEnabled(ActiveDocument() != nullptr);
        connect(item, &QAction::triggered, this,
                [this, path = QString::fromStdString(list.path), name] {
                    OnImportStockList(path, name);
                });
    }
}

bool CMainFrame::ReadyForImport() {
    if (!ActiveDocument()) {
        m_ctx.Messages().Information(this, m_ctx.AppCaption(),
                                     tr("There is no channel document open. Create one with "
                                        "File > New or open a channel file first."));
        return false;
    }
    // A transfer would overwrite the import, or send half of it.
    if (CProgramView* view = ActiveView()) {
        if (!view->QueryInterrupt()) return false;
        view->CommitCellEdit();
    }
    return true;
}

void CMainFrame::OnImportStockList(const QString& path, const QString& name) {
    if (!ReadyForImport()) return;
    std::string bytes;
    if (radio::Status st = radio::ReadFilePrefix(QFile::encodeName(path).toStdString(),
                                                 radio::kMaxChannelListBytes + 1, bytes);
        !st) {
        m_ctx.Messages().Warning(
            this, m_ctx.AppCaption(),
            QString::fromStdString(st.message) + tr("\n\nNo channel was imported."));
        return;
    }
    ImportChannelBytes(bytes, name, true);
}

void CMainFrame::ImportChannelBytes(const std::string& bytes, const QString& name, bool stock) {
    CProgramDoc* doc = ActiveDocument();
    if (!doc) return;
    CImportPreviewDlg preview(m_ctx, this);
    radio::DelimitedTable table =
        stock ? radio::DelimitedTable{} : radio::ReadDelimitedTable(bytes);
    const bool mapped =
        !stock && table.status && radio::ShapeOfHeader(table) == radio::HeaderShape::Unknown;
    std::string settingName;
    if (mapped) {
        // A header seen before gets the map the user imported it with last time.
        settingName = radio::ColumnMapSettingName(table.header);
        radio::ColumnMap map = radio::GuessColumnMap(table.header.fields);
        bool remembered = false;
        if (const auto saved = m_ctx.Settings().GetText(settingName)) {
            radio::ColumnMap earlier;
            if (radio::ParseColumnMap(*saved, table.header.fields, earlier).ok) {
                map = earlier;
                remembered = true;
            }
        }
        preview.SetMappedImport(doc->grid(), std::move(table), map, remembered, name);
    } else {
        radio::ChannelList list =
            stock ? radio::ReadStockList(bytes) : radio::ReadChannelList(bytes);
        if (!list.status) {
            m_ctx.Messages().Warning(this, m_ctx.AppCaption(),
                                     name + QStringLiteral(": ") +
                                         QString::fromStdString(list.status.message) +
                                         tr("\n\nNo channel was imported."));
            return;
        }
        preview.SetImport(doc->grid(), std::move(list), name);
    }
    if (preview.exec() != QDialog::Accepted) return;
    if (mapped) {
        const radio::ColumnMap map = preview.MapPanel()->Map();
        m_ctx.Settings().SetText(settingName,
                                 radio::ColumnMapText(map, preview.MapPanel()->Header()));
    }
    if (CProgramView* view = ActiveView())
        statusBar()->showMessage(LandImport(*view, preview.Result()));
}
