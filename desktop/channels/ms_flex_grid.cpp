#include "desktop/channels/ms_flex_grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <algorithm>
#include <cstdlib>

#include "desktop/channels/channel_grid_model.h"

namespace {

constexpr int kTwipsPerInch = 1440;

// Rounds up so that twips * dpi / 1440 (integer division, as the view computes editor
// positions) gives back exactly the pixel count; symmetric for cells scrolled out to the left.
int PixelsToTwips(int pixels, int dpi) {
    if (dpi <= 0) return 0;
    const int magnitude = (std::abs(pixels) * kTwipsPerInch + dpi - 1) / dpi;
    return pixels < 0 ? -magnitude : magnitude;
}

std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

CMSFlexGrid::CMSFlexGrid(radio::Language lang, QWidget* parent)
    : QTableView(parent),
      m_ownCells(std::make_unique<radio::ChannelGrid>(lang)),
      m_cells(*m_ownCells) {
    Init();
}

CMSFlexGrid::CMSFlexGrid(radio::ChannelGrid& cells, QWidget* parent)
    : QTableView(parent), m_cells(cells) {
    Init();
}

void CMSFlexGrid::Init() {
    m_colTwips.fill(kInitialColWidthTwips);
    m_model = new CChannelGridModel(m_cells, this);
    setModel(m_model);

    // The control's design-time font, which the column layout was made for.
    setFont(QFont(QStringLiteral("Times New Roman"), 9, QFont::Normal));
    setEditTriggers(NoEditTriggers);  // the view lays its own editors over the cells
    setTabKeyNavigation(false);       // Tab moves between controls, not cells
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setAccessibleName(tr("Channels"));
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setMinimumSectionSize(0);
    }
    SetHighLight(1);

    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            if (!m_resizing) emit Scroll();
        });
    }

    // Row labels select whole channels: a click one, a drag several.
    verticalHeader()->viewport()->installEventFilter(this);

    // QTableView's corner widget is its own button; we paint cell (0, 0) on it.
    for (auto* button : findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        m_corner = button;
        m_corner->installEventFilter(this);
    }

    ApplyRowHeight();
    for (int col = 0; col < radio::ChannelGrid::kCols; ++col) ApplyColWidth(col);
    SyncCurrentQuietly();
}

CMSFlexGrid::~CMSFlexGrid() = default;

void CMSFlexGrid::Refresh() {
    m_model->RefreshAll();
    if (m_corner) m_corner->update();
    viewport()->update();
}

void CMSFlexGrid::SetMarkedCells(const QSet<QPair<int, int>>& cells) {
    m_model->SetMarkedCells(cells);
}

void CMSFlexGrid::SetCellNotes(const QHash<QPair<int, int>, QString>& notes) {
    m_model->SetCellNotes(notes);
}

bool CMSFlexGrid::IsCellMarked(int row, int col) const { return m_model->IsMarked(row, col); }

int CMSFlexGrid::GetRows() const { return m_model->Rows(); }

void CMSFlexGrid::SetRows(int rows) {
    m_model->SetRows(rows);
    ApplyRowHeight();
    SyncCurrentQuietly();
}

int CMSFlexGrid::GetCols() const { return m_model->Cols(); }

void CMSFlexGrid::SetCols(int cols) {
    m_model->SetCols(cols);
    for (int col = 0; col < radio::ChannelGrid::kCols; ++col) ApplyColWidth(col);
    SyncCurrentQuietly();
}

void CMSFlexGrid::SetRow(int row) { MoveTo(row, GetCol()); }

void CMSFlexGrid::SetCol(int col) { MoveTo(GetRow(), col); }

void CMSFlexGrid::SetCurrentCell(int row, int col) { MoveTo(row, col); }

void CMSFlexGrid::MoveTo(int row, int col) {
    if (row < 1 || row >= GetRows() || col < 1 || col >= GetCols()) return;
    // Goes through the selection model so that programmatic and user moves share one path
    // (currentChanged below) and raise the same events.
    setCurrentIndex(m_model->IndexOf(row, col));
}

void CMSFlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (m_quiet || !current.isValid()) {
        QTableView::currentChanged(current, previous);
        return;
    }
    const int row = current.row() + 1;
    const int col = current.column() + 1;
    if (row == m_cells.Row() && col == m_cells.Col()) {
        QTableView::currentChanged(current, previous);
        return;
    }
    emit LeaveCell();  // the old cell is still current while its edit is committed
    m_cells.SetCurrent(row, col);
    // Scrolls the cell into view (Scroll); the table's own focus event only where no editor
    // opens to say the same.
    if (m_editorAnnounces)
        QAbstractItemView::currentChanged(current, previous);
    else
        QTableView::currentChanged(current, previous);
    if (m_highLight != 0) selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
    CollapseSelection();
    emit EnterCell();
}

void CMSFlexGrid::SyncCurrentQuietly() {
    const int row = std::clamp(m_cells.Row(), 1, GetRows() - 1);
    const int col = std::clamp(m_cells.Col(), 1, GetCols() - 1);
    if (row != m_cells.Row() || col != m_cells.Col()) m_cells.SetCurrent(row, col);
    m_quiet = true;
    selectionModel()->setCurrentIndex(m_model->IndexOf(row, col), QItemSelectionModel::NoUpdate);
    m_quiet = false;
    CollapseSelection();
    if (m_highLight != 0) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    }
}

radio::CellRange CMSFlexGrid::Selection() const {
    return radio::CellRange::Spanning(m_anchorRow, m_anchorCol, m_cornerRow, m_cornerCol);
}

void CMSFlexGrid::SelectCells(int anchorRow, int anchorCol, int cornerRow, int cornerCol) {
    const int lastRow = GetRows() - 1, lastCol = GetCols() - 1;
    m_anchorRow = std::clamp(anchorRow, 1, lastRow);
    m_anchorCol = std::clamp(anchorCol, 1, lastCol);
    m_cornerRow = std::clamp(cornerRow, 1, lastRow);
    m_cornerCol = std::clamp(cornerCol, 1, lastCol);
    const radio::CellRange range = Selection();
    if (range == m_model->Selection()) return;
    m_model->SetSelection(range);
    emit SelectionChanged();
}

void CMSFlexGrid::SelectRange(const radio::CellRange& range) {
    SelectCells(range.top, range.left, range.bottom, range.right);
}

void CMSFlexGrid::ExtendSelection(int dRow, int dCol) {
    if (Selection().IsCell()) {
        m_anchorRow = m_cornerRow = GetRow();
        m_anchorCol = m_cornerCol = GetCol();
    }
    SelectCells(m_anchorRow, m_anchorCol, m_cornerRow + dRow, m_cornerCol + dCol);
    scrollTo(m_model->IndexOf(m_cornerRow, m_cornerCol));
}

void CMSFlexGrid::CollapseSelection() { SelectCells(GetRow(), GetCol(), GetRow(), GetCol()); }

QString CMSFlexGrid::GetText() const { return GetTextMatrix(GetRow(), GetCol()); }

void CMSFlexGrid::SetText(const QString& text) { SetTextMatrix(GetRow(), GetCol(), text); }

QString CMSFlexGrid::GetTextMatrix(int row, int col) const {
    if (row < 0 || row >= radio::ChannelGrid::kRows || col < 0 ||
        col >= radio::ChannelGrid::kCols) {
        return {};
    }
    return QString::fromStdString(m_cells.Text(row, col));
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (row < 0 || row >= radio::ChannelGrid::kRows || col < 0 ||
        col >= radio::ChannelGrid::kCols) {
        return;
    }
    m_cells.SetText(row, col, ToUtf8(text));
    if (row == 0 && col == 0) {
        if (m_corner) m_corner->update();
    } else {
        m_model->CellChanged(row, col);
    }
}

int CMSFlexGrid::GetColWidth(int col) const {
    if (col < 0 || col >= radio::ChannelGrid::kCols) return 0;
    return m_colTwips[std::size_t(col)];
}

int CMSFlexGrid::UnitWidthToFit(double factorSum) const {
    // A few pixels spare for the round trips between pixels and twips.
    const int available = width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width() - 4;
    if (available <= 0 || factorSum <= 0) return kInitialColWidthTwips;
    return PixelsToTwipsX(static_cast<int>(available / factorSum));
}

void CMSFlexGrid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= radio::ChannelGrid::kCols || twips < 0) return;
    m_colTwips[std::size_t(col)] = twips;
    ApplyColWidth(col);
}

void CMSFlexGrid::ApplyColWidth(int col) {
    const int pixels = TwipsToPixelsX(m_colTwips[std::size_t(col)]);
    if (col == 0) {
        // Column 0 is the vertical header; a fixed width keeps QTableView from sizing it to
        // its labels.
        verticalHeader()->setFixedWidth(pixels);
        updateGeometries();
    } else if (col < GetCols()) {
        setColumnWidth(col - 1, pixels);
    }
}

void CMSFlexGrid::ApplyRowHeight() {
    const int pixels = QFontMetrics(font()).height() + 6;
    verticalHeader()->setDefaultSectionSize(pixels);
    horizontalHeader()->setFixedHeight(pixels);
    updateGeometries();
}

int CMSFlexGrid::GetColAlignment(int col) const { return m_model->Alignment(col); }

void CMSFlexGrid::SetColAlignment(int col, int value) {
    m_model->SetAlignment(col, value);
    if (col == 0 && m_corner) m_corner->update();
}

QColor CMSFlexGrid::GetForeColorFixed() const { return m_model->FixedColor(); }

void CMSFlexGrid::SetForeColorFixed(const QColor& color) {
    m_model->SetFixedColor(color);
    if (m_corner) m_corner->update();
}

void CMSFlexGrid::SetHighLight(int mode) {
    if (mode < 0 || mode > 2) return;
    m_highLight = mode;
    QPalette pal = palette();
    const QPalette standard = QApplication::palette(this);
    if (mode == 2) {
        // Without the focus the selected cell looks like any other.
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Base));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Text));
    } else {
        pal.setColor(QPalette::Inactive, QPalette::Highlight,
                     standard.color(QPalette::Inactive, QPalette::Highlight));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     standard.color(QPalette::Inactive, QPalette::HighlightedText));
    }
    setPalette(pal);
    if (mode == 0) {
        setSelectionMode(NoSelection);
        clearSelection();
    } else {
        setSelectionMode(SingleSelection);
        if (currentIndex().isValid()) {
            selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        }
    }
}

int CMSFlexGrid::PixelsToTwipsX(int pixels) const { return PixelsToTwips(pixels, logicalDpiX()); }

int CMSFlexGrid::PixelsToTwipsY(int pixels) const { return PixelsToTwips(pixels, logicalDpiY()); }

int CMSFlexGrid::GetCellLeft() const {
    return PixelsToTwipsX(columnViewportPosition(GetCol() - 1));
}

int CMSFlexGrid::GetCellTop() const { return PixelsToTwipsY(rowViewportPosition(GetRow() - 1)); }

int CMSFlexGrid::GetCellWidth() const { return PixelsToTwipsX(columnWidth(GetCol() - 1)); }

int CMSFlexGrid::GetCellHeight() const { return PixelsToTwipsY(rowHeight(GetRow() - 1)); }

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    const bool onCell = index.isValid();
    const int row = index.row() + 1, col = index.column() + 1;
    if (event->button() == Qt::LeftButton && onCell && (event->modifiers() & Qt::ShiftModifier)) {
        // Shift+click grows the selection to the cell; the current cell and its editor stay.
        if (Selection().IsCell())
            SelectCells(GetRow(), GetCol(), row, col);
        else
            SelectCells(m_anchorRow, m_anchorCol, row, col);
        m_drag = Drag::Cells;
    } else if (event->button() == Qt::RightButton && onCell && IsCellSelected(row, col)) {
        // A right click inside the selection keeps it for the context menu's commands.
    } else {
        QTableView::mousePressEvent(event);  // a click on a cell moves there: Leave, EnterCell
        if (event->button() == Qt::LeftButton && onCell) {
            CollapseSelection();  // also a click on the current cell itself
            m_drag = Drag::Cells;
        }
    }
    short button = 0;
    if (event->button() == Qt::LeftButton) button = 1;
    if (event->button() == Qt::RightButton) button = 2;
    if (event->button() == Qt::MiddleButton) button = 4;
    short shift = 0;
    if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event->modifiers() & Qt::ControlModifier) shift |= 2;
    if (event->modifiers() & Qt::AltModifier) shift |= 4;
    emit MouseDown(button, shift, PixelsToTwipsX(pos.x()), PixelsToTwipsY(pos.y()));
}

void CMSFlexGrid::mouseMoveEvent(QMouseEvent* event) {
    if (m_drag != Drag::Cells || !(event->buttons() & Qt::LeftButton)) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    // A drag selects from where it started; the current cell does not follow the mouse.
    const auto [row, col] = CellAt(event->position().toPoint());
    SelectCells(m_anchorRow, m_anchorCol, row, col);
    scrollTo(m_model->IndexOf(row, col));
}

void CMSFlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    m_drag = Drag::None;
    QTableView::mouseReleaseEvent(event);
}

void CMSFlexGrid::contextMenuEvent(QContextMenuEvent* event) {
    emit ContextMenuRequested(event->globalPos());
    event->accept();
}

QPair<int, int> CMSFlexGrid::CellAt(const QPoint& pos) const {
    // Past the last visible row or column, the next one: dragging over the edge scrolls on.
    const QRect area = viewport()->rect();
    const int y = std::clamp(pos.y(), 0, std::max(0, area.height() - 1));
    const int x = std::clamp(pos.x(), 0, std::max(0, area.width() - 1));
    int row = rowAt(y) + 1, col = columnAt(x) + 1;
    if (row < 1) row = GetRows() - 1;
    if (col < 1) col = GetCols() - 1;
    if (pos.y() >= area.height()) ++row;
    if (pos.y() < 0) --row;
    if (pos.x() >= area.width()) ++col;
    if (pos.x() < 0) --col;
    return {std::clamp(row, 1, GetRows() - 1), std::clamp(col, 1, GetCols() - 1)};
}

bool CMSFlexGrid::LabelMouseEvent(QMouseEvent* event) {
    QHeaderView* labels = verticalHeader();
    const int y = std::clamp(event->position().toPoint().y(), 0,
                             std::max(0, labels->viewport()->height() - 1));
    int row = labels->logicalIndexAt(y) + 1;
    if (row < 1) row = GetRows() - 1;
    const int lastCol = GetCols() - 1;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (event->button() != Qt::LeftButton) return false;
            // The keys go to the grid, or stay with an editor open in it.
            if (!hasFocus() && !isAncestorOf(QApplication::focusWidget())) setFocus();
            // A label is not a cell: the channel is selected, the current cell (and an entry
            // being typed there) stays.
            if (event->modifiers() & Qt::ShiftModifier)
                SelectCells(m_anchorRow, 1, row, lastCol);
            else
                SelectCells(row, 1, row, lastCol);
            m_drag = Drag::Labels;
            return true;
        case QEvent::MouseMove:
            if (m_drag != Drag::Labels || !(event->buttons() & Qt::LeftButton)) return false;
            SelectCells(m_anchorRow, 1, row, lastCol);
            scrollTo(m_model->IndexOf(row, 1));
            return true;
        case QEvent::MouseButtonRelease:
            if (m_drag != Drag::Labels) return false;
            m_drag = Drag::None;
            return true;
        default:
            return false;
    }
}

void CMSFlexGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) ApplyRowHeight();
}

void CMSFlexGrid::resizeEvent(QResizeEvent* event) {
    m_resizing = true;
    QTableView::resizeEvent(event);
    m_resizing = false;
    emit Resized();
}

bool CMSFlexGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_corner && event->type() == QEvent::Paint) {
        PaintCorner(m_corner);
        return true;
    }
    if (watched == verticalHeader()->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
         event->type() == QEvent::MouseButtonRelease) &&
        LabelMouseEvent(static_cast<QMouseEvent*>(event)))
        return true;
    return QTableView::eventFilter(watched, event);
}

void CMSFlexGrid::PaintCorner(QWidget* corner) {
    QStyleOptionHeader opt;
    opt.initFrom(corner);
    opt.state = QStyle::State_None | QStyle::State_Raised | QStyle::State_Horizontal;
    if (isEnabled()) opt.state |= QStyle::State_Enabled;
    if (isActiveWindow()) opt.state |= QStyle::State_Active;
    opt.rect = corner->rect();
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.text = GetTextMatrix(0, 0);
    opt.textAlignment = CChannelGridModel::ToQtAlignment(GetColAlignment(0));
    opt.palette.setColor(QPalette::ButtonText, GetForeColorFixed());
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, opt);
}
