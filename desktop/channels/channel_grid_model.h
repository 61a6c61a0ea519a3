#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QPair>
#include <QSet>
#include <array>

#include "core/codec/channel_grid.h"
#include "core/codec/grid_edits.h"

// Presents the scrollable cells (rows 1.., columns 1..) of a ChannelGrid to a QTableView; row 0
// and column 0 are the header sections. The texts are never copied: every read goes to the grid,
// so whoever changes the grid directly must call CellChanged or RefreshAll.
class CChannelGridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit CChannelGridModel(radio::ChannelGrid& cells, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Grid rows and columns including the fixed row 0 and column 0.
    int Rows() const { return m_rows; }
    int Cols() const { return m_cols; }
    void SetRows(int rows);
    void SetCols(int cols);

    // Alignment values of the grid control (0..9, 4 = centred both ways).
    int Alignment(int col) const;
    void SetAlignment(int col, int value);
    static Qt::Alignment ToQtAlignment(int value);

    QColor FixedColor() const { return m_fixedColor; }
    void SetFixedColor(const QColor& color);

    // Cells drawn on a marked background, (row, col) in grid numbering: the cells in which a
    // comparison found differences.
    void SetMarkedCells(const QSet<QPair<int, int>>& cells);
    bool IsMarked(int row, int col) const { return m_marked.contains({row, col}); }
    // What a marked cell's accessible description says ("changed from 88.5"), per cell.
    void SetCellNotes(const QHash<QPair<int, int>, QString>& notes) { m_notes = notes; }
    QString CellNote(int row, int col) const { return m_notes.value({row, col}); }

    // Cells drawn as selected: those of a selection of more than one cell but the current one
    // (a single selected cell is the current one, which its editor covers).
    void SetSelection(const radio::CellRange& range);
    const radio::CellRange& Selection() const { return m_selection; }

    // Grid cell (row, col) changed in the ChannelGrid.
    void CellChanged(int row, int col);
    void RefreshAll();

    QModelIndex IndexOf(int row, int col) const { return index(row - 1, col - 1); }

  private:
    radio::ChannelGrid& m_cells;
    int m_rows = 2;
    int m_cols = 2;
    std::array<int, radio::ChannelGrid::kCols> m_align{};
    QColor m_fixedColor;
    QSet<QPair<int, int>> m_marked;
    QHash<QPair<int, int>, QString> m_notes;
    radio::CellRange m_selection;
    // The current cell stays white inside a selection, so it can be told from the others.
    bool IsShownSelected(int row, int col) const {
        return !m_selection.IsCell() && m_selection.Contains(row, col) &&
               !(row == m_cells.Row() && col == m_cells.Col());
    }
};
