// The channel view's Edit commands: undo and redo, the clipboard, clearing, row operations.
// Each change is one step of the document's undo stack; the rules of the cells are the core's
// (core/codec/grid_edits.h, row_operations.h, core/formats/grid_clipboard.h).

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QStatusTipEvent>
#include <QUndoStack>

#include "core/codec/row_operations.h"
#include "core/config/messages.h"
#include "core/formats/grid_clipboard.h"
#include "desktop/channels/cell_combo.h"
#include "desktop/channels/cell_edit.h"
#include "desktop/channels/cell_report.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/channels/program_view.h"
#include "desktop/document/program_doc.h"
#include "desktop/services/app_context.h"
#include "desktop/services/command_ids.h"
#include "desktop/services/message_service.h"
#include "qt/phrase_text.h"

namespace {

QString Channels(int count) {
    return count == 1 ? CProgramView::tr("1 channel") : CProgramView::tr("%1 channels").arg(count);
}

QString ChannelOf(int row) {
    return CProgramView::tr("channel %1")
        .arg(QString::fromStdString(radio::ChannelGrid::RowLabel(row)).trimmed());
}

// Whole rows from `top`, `count` of them.
radio::CellRange Rows(int top, int count) {
    return radio::CellRange::Spanning(top, 1, top + count - 1, radio::kChannelColumns);
}

}  // namespace

bool CProgramView::EditorChanged() const {
    if (!m_editRxFreq) return false;
    QWidget* editor = GetCellEditor();
    if (!editor->isVisible()) return false;
    if (auto* combo = qobject_cast<CCellCombo*>(editor)) return combo->IsChanged();
    return static_cast<CCellEdit*>(editor)->IsChanged();
}

bool CProgramView::PrepareEdit() {
    if (!m_pDocument || m_bFirstLayout) return false;
    // The entry under way is stored first, as leaving its cell would; a refused one stops the
    // command (its Caution was shown and the cell is open for another try).
    return CommitCellEdit();
}

void CProgramView::ShowCells(const radio::CellRange& range) {
    HideEditors();
    if (m_grid->GetRow() != range.top || m_grid->GetCol() != range.left)
        m_grid->SetCurrentCell(range.top, range.left);  // EnterCell opens its editor
    else
        OpenEditor();
    m_grid->SelectRange(range);
}

void CProgramView::UndoOrRedo(bool undo) {
    if (!m_pDocument || m_bFirstLayout) return;
    // An entry not stored yet is the newest change: Undo takes it back first, and Redo drops it
    // (storing it would end the steps there are to redo).
    if (EditorChanged()) {
        HideEditors();
        m_grid->viewport()->update();
        if (undo) return;
    }
    QUndoStack* stack = m_pDocument->UndoStack();
    if (undo ? !stack->canUndo() : !stack->canRedo()) return;
    if (undo)
        stack->undo();
    else
        stack->redo();
    ShowCells(m_pDocument->LastStepCells());
}

void CProgramView::RunEditCommand(int commandId) {
    switch (commandId) {
        case ID_EDIT_UNDO:
            return OnEditUndo();
        case ID_EDIT_REDO:
            return OnEditRedo();
        case ID_EDIT_CUT:
            return OnEditCut();
        case ID_EDIT_COPY:
            return OnEditCopy();
        case ID_EDIT_PASTE:
            return OnEditPaste();
        case ID_EDIT_CLEAR:
            return OnEditClear();
        case ID_EDIT_SELECT_ALL:
            return OnEditSelectAll();
        case ID_EDIT_INSERT_CHANNEL:
            return OnEditInsertChannel();
        case ID_EDIT_DELETE_CHANNEL:
            return OnEditDeleteChannel();
        case ID_EDIT_MOVE_UP:
            return OnEditMoveUp();
        case ID_EDIT_MOVE_DOWN:
            return OnEditMoveDown();
        case ID_EDIT_FILL_DOWN:
            return OnEditFillDown();
        case ID_EDIT_SORT:
            return OnEditSort();
        default:
            return;
    }
}

void CProgramView::OnEditUndo() { UndoOrRedo(true); }

void CProgramView::OnEditRedo() { UndoOrRedo(false); }

void CProgramView::OnEditCopy() {
    if (!PrepareEdit()) return;
    const std::string text = radio::CopyCellsText(m_pDocument->grid(), m_grid->Selection());
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void CProgramView::OnEditCut() {
    if (!PrepareEdit()) return;
    OnEditCopy();
    ClearSelection(tr("cut of %1"));
}

void CProgramView::OnEditClear() {
    if (!PrepareEdit()) return;
    ClearSelection(tr("clear of %1"));
}

void CProgramView::ClearSelection(const QString& what) {
    const radio::CellRange range = m_grid->Selection();
    CProgramDoc* doc = m_pDocument;
    const radio::Language lang = m_ctx.UiLanguage();
    doc->ApplyChange([doc, range, lang] { radio::ClearCells(doc->grid(), range, lang); },
                     [what](int rows) { return what.arg(Channels(rows)); }, range);
    ShowCells(range);
}

void CProgramView::OnEditPaste() {
    if (!PrepareEdit()) return;
    const QString text = QApplication::clipboard()->text();
    if (text.size() > kMaxPasteChars) {
        m_ctx.Messages().Warning(
            this, m_ctx.AppCaption(),
            tr("The clipboard holds %1 characters, far more than the 200 channels "
               "of the grid take. Nothing was pasted.")
                .arg(text.size()));
        return;
    }
    PasteText(text);
}

void CProgramView::PasteText(const QString& text) {
    if (!m_pDocument || m_bFirstLayout) return;
    const radio::ClipboardTable table = radio::ParseClipboardText(text.toUtf8().toStdString());
    if (table.rows.empty()) return;
    const radio::PastePlacement placement = radio::PlacePaste(table, m_grid->Selection());
    radio::CellsOutcome outcome;
    CProgramDoc* doc = m_pDocument;
    const radio::Language lang = m_ctx.UiLanguage();
    doc->ApplyChange([&] { outcome = radio::ApplyCellTexts(doc->grid(), placement.cells, lang); },
                     [](int rows) { return tr("paste of %1").arg(Channels(rows)); },
                     placement.range);
    ShowCells(placement.range);
    ReportCells(true, outcome, placement.rowsCut, placement.colsCut);
}

void CProgramView::ReportCells(bool pasted, const radio::CellsOutcome& outcome, int rowsCut,
                               int colsCut) {
    const QString report = CellReport::Text(pasted, outcome, rowsCut, colsCut);
    if (report.isEmpty()) return;
    m_ctx.Messages().Warning(this, radio::TranslatedText(radio::MessageText(radio::kMsgCaution)),
                             report);
}

void CProgramView::ShowSkipped(int skipped) {
    // The main window's status bar, reached the way a status tip reaches it: the view knows
    // no window above it.
    QStatusTipEvent tip(CellReport::Skipped(skipped));
    QApplication::sendEvent(this, &tip);
}

void CProgramView::FillSelection() {
    if (!m_pDocument || m_bFirstLayout) return;
    const radio::CellRange selection = m_grid->Selection();
    const int row = m_grid->GetRow(), col = m_grid->GetCol();
    QWidget* editor = GetCellEditor();
    if (selection.IsCell()) {
        // One cell: stored like Enter, but the cell stays current, as spreadsheets do.
        if (CommitCellEdit()) OpenEditor();
        return;
    }
    // The entry of the open editor; an untouched one stands for the cell's own text, which a
    // list might not hold.
    QString text = m_grid->GetText();
    if (editor->isVisible() && EditorChanged()) {
        auto* combo = qobject_cast<CCellCombo*>(editor);
        text = combo ? combo->currentText() : static_cast<CCellEdit*>(editor)->text();
    }
    // A frequency the rules refuse is refused once, as typing it is, not once for every cell.
    if ((col == radio::kColRxFreq || col == radio::kColTxFreq) && !text.isEmpty()) {
        const radio::CommitResult result = radio::CheckFrequencyText(text.toUtf8().toStdString());
        if (result != radio::CommitResult::Accepted) {
            HideEditors();
            RefuseEntry(row, col, text, static_cast<int>(result));
            return;
        }
    }
    HideEditors();
    FillCells(selection, text);
    // The current cell and the selection stay for the next entry.
    OpenEditor();
    m_grid->SelectRange(selection);
}

void CProgramView::OnListChosen() {
    if (!m_pDocument || m_bFirstLayout) return;
    const radio::CellRange selection = m_grid->Selection();
    const int col = m_grid->GetCol();
    // Several cells of the list's own column: the choice goes into each of them at once.
    if (selection.Rows() < 2 || !selection.Contains(m_grid->GetRow(), col)) return;
    auto* combo = qobject_cast<CCellCombo*>(GetCellEditor());
    if (!combo) return;
    const QString text = combo->currentText();
    HideEditors();
    FillCells({selection.top, col, selection.bottom, col}, text);
    OpenEditor();
    m_grid->SelectRange(selection);
}

void CProgramView::FillCells(const radio::CellRange& range, const QString& text) {
    CProgramDoc* doc = m_pDocument;
    const radio::Language lang = m_ctx.UiLanguage();
    const std::string value = text.toUtf8().toStdString();
    radio::CellsOutcome outcome;
    doc->ApplyChange([&] { outcome = radio::FillCells(doc->grid(), range, value, lang); },
                     [&outcome](int) {
                         return outcome.stored == 1 ? tr("fill of 1 cell")
                                                    : tr("fill of %1 cells").arg(outcome.stored);
                     },
                     range);
    m_grid->Refresh();
    ShowSkipped(outcome.skipped);
    ReportCells(false, outcome);
}

void CProgramView::OnEditSelectAll() {
    if (!m_pDocument || m_bFirstLayout) return;
    m_grid->SelectRange(radio::CellRange::All());
}

void CProgramView::OnEditInsertChannel() {
    if (!PrepareEdit()) return;
    const radio::CellRange selection = m_grid->Selection();
    const int count = selection.Rows();
    CProgramDoc* doc = m_pDocument;
    // The channels at the end fall off: nothing is lost without the user's word.
    if (const int lost = radio::ChannelsPushedOff(doc->grid(), selection.top, count); lost > 0) {
        const QString which =
            lost == 1 ? tr("Channel 199 holds a channel that the insert pushes off the end of "
                           "the list.\n\nInsert anyway? (Edit > Undo brings them back.)")
                      : tr("The last %1 rows hold %2 channels that the insert pushes off the end "
                           "of the list.\n\nInsert anyway? (Edit > Undo brings them back.)")
                            .arg(count)
                            .arg(lost);
        if (!m_ctx.Messages().OkCancel(this, m_ctx.AppCaption(), which)) return;
    }
    const int top = selection.top;
    doc->ApplyChange([doc, top, count] { (void)radio::InsertChannels(doc->grid(), top, count); },
                     [top, count](int) {
                         return count == 1
                                    ? tr("insert at %1").arg(ChannelOf(top))
                                    : tr("insert of %1 rows at %2").arg(count).arg(ChannelOf(top));
                     },
                     Rows(top, count));
    ShowCells(Rows(top, count));
}

void CProgramView::OnEditDeleteChannel() {
    if (!PrepareEdit()) return;
    const radio::CellRange selection = m_grid->Selection();
    const int top = selection.top, count = selection.Rows();
    CProgramDoc* doc = m_pDocument;
    doc->ApplyChange([doc, top, count] { (void)radio::DeleteChannels(doc->grid(), top, count); },
                     [top, count](int) {
                         return count == 1
                                    ? tr("delete of %1").arg(ChannelOf(top))
                                    : tr("delete of %1 rows at %2").arg(count).arg(ChannelOf(top));
                     },
                     Rows(top, count));
    ShowCells(Rows(top, count));
}

void CProgramView::OnEditMoveUp() { MoveSelection(true); }

void CProgramView::OnEditMoveDown() { MoveSelection(false); }

void CProgramView::MoveSelection(bool up) {
    if (!PrepareEdit()) return;
    const radio::CellRange from = m_grid->Selection();
    if (up ? from.top == 1 : from.bottom == radio::kChannelCount) return;
    const int step = up ? -1 : 1;
    const radio::CellRange to{from.top + step, from.left, from.bottom + step, from.right};
    CProgramDoc* doc = m_pDocument;
    doc->ApplyChange(
        [doc, from, up] { (void)radio::MoveChannels(doc->grid(), from.top, from.bottom, up); },
        [from, up](int) {
            const QString what =
                from.Rows() == 1 ? ChannelOf(from.top) : tr("%1 rows").arg(from.Rows());
            return up ? tr("move of %1 up").arg(what) : tr("move of %1 down").arg(what);
        },
        to);
    ShowCells(to);
}

void CProgramView::OnEditFillDown() {
    if (!PrepareEdit()) return;
    const radio::CellRange range = m_grid->Selection();
    radio::CellsOutcome outcome;
    CProgramDoc* doc = m_pDocument;
    const radio::Language lang = m_ctx.UiLanguage();
    doc->ApplyChange([&] { outcome = radio::FillDown(doc->grid(), range, lang); },
                     [](int rows) { return tr("fill down of %1").arg(Channels(rows)); }, range);
    ShowCells(range);
    ShowSkipped(outcome.skipped);
    ReportCells(false, outcome);
}

void CProgramView::OnEditSort() {
    if (!PrepareEdit()) return;
    // The selected rows, or the channels 1-199 when the selection is one row: Pr stays.
    const radio::CellRange selection = m_grid->Selection();
    const radio::RowSpan span = radio::SortRows(selection.top, selection.bottom);
    const radio::CellRange rows = Rows(span.top, span.bottom - span.top + 1);
    CProgramDoc* doc = m_pDocument;
    doc->ApplyChange(
        [doc, rows] { (void)radio::SortByRxFrequency(doc->grid(), rows.top, rows.bottom); },
        [](int changed) { return tr("sort of %1").arg(Channels(changed)); }, rows);
    ShowCells(rows);
}

QMenu* CProgramView::CreateContextMenu() {
    auto* menu = new QMenu(this);
    for (QAction* action : m_contextActions) {
        if (action)
            menu->addAction(action);
        else
            menu->addSeparator();
    }
    return menu;
}
