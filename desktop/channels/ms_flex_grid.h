#pragma once

#include <QColor>
#include <QHash>
#include <QPair>
#include <QSet>
#include <QString>
#include <QTableView>
#include <array>
#include <memory>

#include "core/codec/channel_grid.h"
#include "core/codec/grid_edits.h"

class CChannelGridModel;

// The channel grid control: a table over a ChannelGrid offering the properties and events the
// channel view drives (Rows, Cols, Row, Col, Text, TextMatrix, ColWidth, Cell* rectangles,
// EnterCell, LeaveCell, Scroll, MouseDown).
//
// Row 0 and column 0 are the fixed headings, drawn by the header sections (the corner shows
// cell (0, 0)); the viewport holds rows 1.. and columns 1.., so the current cell is always in
// rows 1..Rows-1, columns 1..Cols-1. Widths and rectangles are in twips; the cell rectangles are
// relative to viewport(), which is the parent for in-place editors. The texts live in Cells():
// after changing them there directly (decoding, CommitCellEdit), call Refresh().
//
// Besides the current cell the grid has a rectangular selection: from an anchor cell to a far
// corner, normally both the current cell. Moving the current cell collapses it; Shift+click, a
// drag over cells or row labels and ExtendSelection grow it without moving the current cell,
// so an editor open there stays put.
class CMSFlexGrid : public QTableView {
    Q_OBJECT

  public:
    // Width of every column before the layout sets its own: the unit of the column factors.
    static constexpr int kInitialColWidthTwips = 1200;

    explicit CMSFlexGrid(radio::Language lang = radio::Language::English,
                         QWidget* parent = nullptr);
    // Works on `cells`, which must outlive the grid: the channel view passes its document's
    // grid, so that saving, printing and the grid on screen share one working copy.
    explicit CMSFlexGrid(radio::ChannelGrid& cells, QWidget* parent = nullptr);
    ~CMSFlexGrid() override;

    radio::ChannelGrid& Cells() { return m_cells; }
    const radio::ChannelGrid& Cells() const { return m_cells; }
    // Repaints every cell and heading from Cells().
    void Refresh();
    // Draws these cells (row, col) on a marked background; an empty set clears the marks.
    void SetMarkedCells(const QSet<QPair<int, int>>& cells);
    bool IsCellMarked(int row, int col) const;
    // The accessible descriptions of marked cells ("changed from 88.5").
    void SetCellNotes(const QHash<QPair<int, int>, QString>& notes);
    // The editor opened on entering a cell takes the focus and names the cell: the grid then
    // sends no focus event of its own for the new current cell, so a move is announced once.
    void SetCellsAnnouncedByEditor(bool on) { m_editorAnnounces = on; }
    // Typing with no editor open must not jump to a cell whose text starts with the key.
    void keyboardSearch(const QString&) override {}

    int GetRows() const;
    void SetRows(int rows);  // 2..201
    int GetCols() const;
    void SetCols(int cols);  // 2..10
    // The channel table has exactly one heading row and one label column; other values are
    // refused (the setters return false).
    int GetFixedRows() const { return 1; }
    bool SetFixedRows(int rows) { return rows == 1; }
    int GetFixedCols() const { return 1; }
    bool SetFixedCols(int cols) { return cols == 1; }

    // Current cell. Putting a new value raises LeaveCell (old cell still current), then
    // EnterCell, exactly as a user's move; values outside the scrollable cells are ignored.
    int GetRow() const { return m_cells.Row(); }
    void SetRow(int row);
    int GetCol() const { return m_cells.Col(); }
    void SetCol(int col);
    // Both at once: one LeaveCell / EnterCell pair, as a click on the cell gives.
    void SetCurrentCell(int row, int col);

    // The selected cells (the current cell alone unless a selection was made).
    radio::CellRange Selection() const;
    bool IsCellSelected(int row, int col) const { return Selection().Contains(row, col); }
    // Selects from the anchor to the far corner, clamped to the channel cells; the current
    // cell stays where it is.
    void SelectCells(int anchorRow, int anchorCol, int cornerRow, int cornerCol);
    void SelectRange(const radio::CellRange& range);
    // Moves the far corner by whole cells (Shift+arrows) and brings it into view.
    void ExtendSelection(int dRow, int dCol);
    // Back to the current cell alone.
    void CollapseSelection();

    QString GetText() const;
    void SetText(const QString& text);
    QString GetTextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    int GetColWidth(int col) const;  // twips
    // A starting width for column 0 (twips) such that columns whose widths are that unit times
    // factors adding up to `factorSum` fill the grid's width beside its vertical scroll bar.
    int UnitWidthToFit(double factorSum) const;
    void SetColWidth(int col, int twips);
    int GetColAlignment(int col) const;
    void SetColAlignment(int col, int value);  // 4 = centred horizontally and vertically

    QColor GetForeColorFixed() const;
    void SetForeColorFixed(const QColor& color);
    // 0: the selection is never highlighted; 1: always; 2: only while the grid has the focus.
    int GetHighLight() const { return m_highLight; }
    void SetHighLight(int mode);

    // The current cell's rectangle in twips, relative to viewport(). Turned into pixels as
    // twips * dpi / 1440 with integer division, they give back the exact pixel rectangle.
    int GetCellLeft() const;
    int GetCellTop() const;
    int GetCellWidth() const;
    int GetCellHeight() const;

    // Twips <-> pixels with this widget's resolution.
    int PixelsToTwipsX(int pixels) const;
    int PixelsToTwipsY(int pixels) const;
    int TwipsToPixelsX(int twips) const { return twips * logicalDpiX() / 1440; }
    int TwipsToPixelsY(int twips) const { return twips * logicalDpiY() / 1440; }

  signals:
    void EnterCell();
    void LeaveCell();
    void Scroll();  // the user or a move scrolled the cells; not raised by a resize
    // The grid's size changed: cells may have moved under an open editor.
    void Resized();
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in twips.
    void MouseDown(short button, short shift, int x, int y);
    void SelectionChanged();
    // A right click or the menu key over the cells, at this screen position.
    void ContextMenuRequested(const QPoint& globalPos);

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void MoveTo(int row, int col);
    void SyncCurrentQuietly();
    void ApplyRowHeight();
    void ApplyColWidth(int col);
    void PaintCorner(QWidget* corner);
    void Init();
    // The channel cell under a viewport position, clamped to the cells (a drag past the edge).
    QPair<int, int> CellAt(const QPoint& pos) const;
    bool LabelMouseEvent(QMouseEvent* event);

    std::unique_ptr<radio::ChannelGrid> m_ownCells;  // only when no grid was passed in
    radio::ChannelGrid& m_cells;
    CChannelGridModel* m_model = nullptr;
    std::array<int, radio::ChannelGrid::kCols> m_colTwips{};
    int m_highLight = 1;
    bool m_editorAnnounces = false;
    bool m_quiet = false;     // current index being resynchronised: no events
    bool m_resizing = false;  // scroll bars clamped by a resize are no user's scroll
    QWidget* m_corner = nullptr;
    int m_anchorRow = 1, m_anchorCol = 1;  // selection corners
    int m_cornerRow = 1, m_cornerCol = 1;
    enum class Drag { None, Cells, Labels } m_drag = Drag::None;
};
