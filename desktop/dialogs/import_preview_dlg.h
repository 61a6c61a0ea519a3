#pragma once

#include <QDialog>
#include <QString>

#include "core/codec/channel_grid.h"
#include "core/formats/channel_import.h"
#include "core/formats/channel_list.h"
#include "core/formats/column_map.h"

class AppContext;
class CColumnMapPanel;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

// File > Import Channels: what importing a channel list would do, before anything changes.
// The table lists each row that changes, the channel now and after the import side by side,
// with the changed cells marked; below it the findings of the file. The mode (replace or
// merge) and the row the first channel goes to can be changed and the preview follows.
// Import accepts; the caller then applies Result().grid to the document.
class CImportPreviewDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CImportPreviewDlg(AppContext& ctx, QWidget* parent = nullptr);

    // The channels of `list` (read from `fileName`) against the document's grid `current`.
    void SetImport(const radio::ChannelGrid& current, radio::ChannelList list,
                   const QString& fileName);

    // A table of other columns, read through the map the mapping step above the preview
    // shows (`map`, guessed or remembered); the preview follows each change of it.
    void SetMappedImport(const radio::ChannelGrid& current, radio::DelimitedTable table,
                         const radio::ColumnMap& map, bool remembered, const QString& fileName);
    CColumnMapPanel* MapPanel() const { return m_pMapPanel; }

    radio::ImportOptions Options() const;
    const radio::ImportResult& Result() const { return m_result; }

    QTableWidget* ChangeTable() const { return m_pTable; }
    QListWidget* FindingList() const { return m_pFindings; }
    QLabel* Summary() const { return m_pSummary; }
    QRadioButton* ReplaceButton() const { return m_pReplace; }
    QRadioButton* MergeButton() const { return m_pMerge; }
    QCheckBox* MoveBox() const { return m_pMove; }
    QSpinBox* StartChannel() const { return m_pStart; }  // 0 (shown "Pr") to 199
    QPushButton* ImportButton() const { return m_pImport; }

  private:
    void Recompute();
    void FillTable();
    void ReadThroughMap();

    AppContext& m_ctx;
    radio::ChannelGrid m_current;
    radio::ChannelList m_list;
    radio::ImportResult m_result;
    QString m_strFileName;

    QLabel* m_pSummary;
    QRadioButton* m_pReplace;
    QRadioButton* m_pMerge;
    QCheckBox* m_pMove;
    QSpinBox* m_pStart;
    QTableWidget* m_pTable;
    QListWidget* m_pFindings;
    QLabel* m_pFindingsLabel;
    QPushButton* m_pImport;
    CColumnMapPanel* m_pMapPanel;
    radio::DelimitedTable m_table;  // the file of the mapping step
};
