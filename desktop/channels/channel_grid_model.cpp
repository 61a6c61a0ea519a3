#include "desktop/channels/channel_grid_model.h"

#include <QBrush>
#include <QString>
#include <algorithm>

namespace {

// The control's "general" alignment; texts are then left-aligned, vertically centred.
constexpr int kAlignGeneral = 9;
// Background of marked cells: a light amber that black text stays readable on.
const QColor kMarkedColor(255, 214, 140);
// Selected cells: a light blue, and a darker amber where a selected cell is also marked.
const QColor kSelectedColor(190, 215, 245);
const QColor kSelectedMarkedColor(235, 185, 120);

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

CChannelGridModel::CChannelGridModel(radio::ChannelGrid& cells, QObject* parent)
    : QAbstractTableModel(parent), m_cells(cells), m_fixedColor(Qt::black) {
    m_align.fill(kAlignGeneral);
}

int CChannelGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows - 1;
}

int CChannelGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols - 1;
}

QVariant CChannelGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(m_cells.Text(row, col));
        case Qt::TextAlignmentRole:
            return int(ToQtAlignment(Alignment(col)));
        case Qt::BackgroundRole: {
            const bool selected = IsShownSelected(row, col);
            if (IsMarked(row, col)) return QBrush(selected ? kSelectedMarkedColor : kMarkedColor);
            return selected ? QVariant(QBrush(kSelectedColor)) : QVariant();
        }
        case Qt::AccessibleDescriptionRole:
            return IsMarked(row, col) ? QVariant(CellNote(row, col)) : QVariant();
        default:
            return {};
    }
}

QVariant CChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // Horizontal sections are row 0 of columns 1.., vertical ones column 0 of rows 1..
    const int row = orientation == Qt::Horizontal ? 0 : section + 1;
    const int col = orientation == Qt::Horizontal ? section + 1 : 0;
    if (row >= radio::ChannelGrid::kRows || col >= radio::ChannelGrid::kCols) return {};
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(m_cells.Text(row, col));
        case Qt::TextAlignmentRole:
            return int(ToQtAlignment(Alignment(col)));
        case Qt::ForegroundRole:
            return QBrush(m_fixedColor);
        case Qt::AccessibleTextRole:  // row labels without their padding: "1", not "  1"
            return ToQString(m_cells.Text(row, col)).trimmed();
        default:
            return {};
    }
}

Qt::ItemFlags CChannelGridModel::flags(const QModelIndex& index) const {
    // Cells are edited by the view's own editors, never by the table itself.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void CChannelGridModel::SetRows(int rows) {
    rows = std::clamp(rows, 2, radio::ChannelGrid::kRows);
    if (rows == m_rows) return;
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void CChannelGridModel::SetCols(int cols) {
    cols = std::clamp(cols, 2, radio::ChannelGrid::kCols);
    if (cols == m_cols) return;
    beginResetModel();
    m_cols = cols;
    endResetModel();
}

int CChannelGridModel::Alignment(int col) const {
    if (col < 0 || col >= radio::ChannelGrid::kCols) return kAlignGeneral;
    return m_align[std::size_t(col)];
}

void CChannelGridModel::SetAlignment(int col, int value) {
    if (col < 0 || col >= radio::ChannelGrid::kCols || value < 0 || value > kAlignGeneral) return;
    m_align[std::size_t(col)] = value;
    if (col == 0) {
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    } else if (col < m_cols) {
        emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
        emit dataChanged(index(0, col - 1), index(rowCount() - 1, col - 1),
                         {Qt::TextAlignmentRole});
    }
}

Qt::Alignment CChannelGridModel::ToQtAlignment(int value) {
    if (value < 0 || value >= kAlignGeneral) return Qt::AlignLeft | Qt::AlignVCenter;
    static constexpr Qt::AlignmentFlag kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                        Qt::AlignRight};
    static constexpr Qt::AlignmentFlag kVertical[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                      Qt::AlignBottom};
    return kHorizontal[value / 3] | kVertical[value % 3];
}

void CChannelGridModel::SetFixedColor(const QColor& color) {
    if (color == m_fixedColor) return;
    m_fixedColor = color;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void CChannelGridModel::CellChanged(int row, int col) {
    if (row == 0 && col >= 1 && col < m_cols) {
        emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    } else if (col == 0 && row >= 1 && row < m_rows) {
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    } else if (row >= 1 && row < m_rows && col >= 1 && col < m_cols) {
        const QModelIndex cell = IndexOf(row, col);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

void CChannelGridModel::SetMarkedCells(const QSet<QPair<int, int>>& cells) {
    if (cells == m_marked) return;
    m_marked = cells;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole});
}

void CChannelGridModel::SetSelection(const radio::CellRange& range) {
    if (range == m_selection) return;
    const radio::CellRange old = m_selection;
    m_selection = range;
    // Repaint what either selection covers.
    const int top = std::min(old.top, range.top), bottom = std::max(old.bottom, range.bottom);
    const int left = std::min(old.left, range.left), right = std::max(old.right, range.right);
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(
            index(std::min(top, rowCount()) - 1, std::min(left, columnCount()) - 1),
            index(std::min(bottom, rowCount()) - 1, std::min(right, columnCount()) - 1),
            {Qt::BackgroundRole});
    }
}

void CChannelGridModel::RefreshAll() {
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}
