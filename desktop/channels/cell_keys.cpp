#include "desktop/channels/cell_keys.h"

#include <QKeyEvent>
#include <algorithm>

#include "desktop/services/command_ids.h"

namespace {

CellKeyDecision CommitTo(int row, int col) { return {CellKeyAction::Commit, row, col}; }

// Enter and Tab go right, then on to the start of the next row, and from the last cell back to
// the first; Shift+Tab goes the same way backwards.
CellKeyDecision Next(const CellKeyState& s) {
    if (s.col < s.lastCol) return CommitTo(s.row, s.col + 1);
    if (s.row < s.lastRow) return CommitTo(s.row + 1, 1);
    return CommitTo(1, 1);
}

CellKeyDecision Previous(const CellKeyState& s) {
    if (s.col > 1) return CommitTo(s.row, s.col - 1);
    if (s.row > 1) return CommitTo(s.row - 1, s.lastCol);
    return CommitTo(s.lastRow, s.lastCol);
}

// Arrows stop at the grid's edges.
CellKeyDecision Step(const CellKeyState& s, int dRow, int dCol) {
    const int row = s.row + dRow;
    const int col = s.col + dCol;
    if (row < 1 || row > s.lastRow || col < 1 || col > s.lastCol) return {CellKeyAction::Ignore};
    return CommitTo(row, col);
}

}  // namespace

CellKeyDecision DecideCellKey(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                              const CellKeyState& s) {
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    const bool plain = mods == Qt::NoModifier;
    const bool inEditBox = s.editorOpen && s.editBox;
    // Shift+arrows grow the selection while the entry is untouched; once the user has typed,
    // they select text in the editor (or move in its list).
    const int dRow = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
    const int dCol = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
    if ((dRow || dCol) && mods == Qt::ShiftModifier && !(s.editorOpen && s.editorChanged))
        return {CellKeyAction::Extend, dRow, dCol};
    switch (key) {
        case Qt::Key_F1:
            return {plain ? CellKeyAction::Help : CellKeyAction::Pass};
        case Qt::Key_F2:
            return {plain && !s.editorOpen ? CellKeyAction::Open : CellKeyAction::Pass};
        case Qt::Key_F4:  // drops a list down; a closed list cell opens first
            return {plain && !s.editorOpen ? CellKeyAction::OpenAndType : CellKeyAction::Pass};
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            // Pages through the channels in every kind of cell; a list keeps its value.
            if (!plain) return {};
            const int step = std::max(1, s.pageRows) * (key == Qt::Key_PageUp ? -1 : 1);
            return CommitTo(std::clamp(s.row + step, 1, s.lastRow), s.col);
        }
        case Qt::Key_Home:
        case Qt::Key_End: {
            // An edit box keeps them for its caret; elsewhere they go to the row's first or last
            // cell, with Ctrl to the first or last channel's, and never pick a list entry.
            if (inEditBox || (mods != Qt::NoModifier && mods != Qt::ControlModifier)) return {};
            const bool home = key == Qt::Key_Home;
            const int row = mods == Qt::ControlModifier ? (home ? 1 : s.lastRow) : s.row;
            return CommitTo(row, home ? 1 : s.lastCol);
        }
        case Qt::Key_Escape:
            return {plain && s.editorOpen ? CellKeyAction::Cancel : CellKeyAction::Pass};
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (mods == Qt::ControlModifier || mods == Qt::AltModifier)
                return {CellKeyAction::Fill};
            return plain ? Next(s) : CellKeyDecision{};
        case Qt::Key_Tab:
            return plain ? Next(s) : CellKeyDecision{};
        case Qt::Key_Backtab:  // Shift+Tab
            return mods == Qt::ShiftModifier || plain ? Previous(s) : CellKeyDecision{};
        case Qt::Key_Up:
            return plain ? Step(s, -1, 0) : CellKeyDecision{};
        case Qt::Key_Down:
            return plain ? Step(s, 1, 0) : CellKeyDecision{};
        case Qt::Key_Left:
            if (!plain || (inEditBox && !s.atStart)) return {};
            return Step(s, 0, -1);
        case Qt::Key_Right:
            if (!plain || (inEditBox && !s.atEnd)) return {};
            return Step(s, 0, 1);
        default:
            break;
    }
    // Typing on a cell whose editor is closed (after Esc or a scroll) starts a new entry.
    const bool typing = !text.isEmpty() && text.at(0).isPrint() &&
                        !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typing && !s.editorOpen) return {CellKeyAction::OpenAndType};
    return {};
}

QList<QKeySequence> EditCommandKeys(int commandId) {
    switch (commandId) {
        case ID_EDIT_UNDO:
            return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
        case ID_EDIT_REDO:
            return {QKeySequence(Qt::CTRL | Qt::Key_Y),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
        case ID_EDIT_CUT:
            return {QKeySequence(Qt::CTRL | Qt::Key_X)};
        case ID_EDIT_COPY:
            return {QKeySequence(Qt::CTRL | Qt::Key_C)};
        case ID_EDIT_PASTE:
            return {QKeySequence(Qt::CTRL | Qt::Key_V)};
        case ID_EDIT_CLEAR:
            return {QKeySequence(Qt::Key_Delete)};
        case ID_EDIT_SELECT_ALL:
            return {QKeySequence(Qt::CTRL | Qt::Key_A)};
        case ID_EDIT_INSERT_CHANNEL:
            // '+' is shifted on most keyboards; the keypad's needs no Shift.
            return {QKeySequence(Qt::CTRL | Qt::Key_Insert),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus),
                    QKeySequence(Qt::CTRL | Qt::Key_Plus)};
        case ID_EDIT_DELETE_CHANNEL:
            return {QKeySequence(Qt::CTRL | Qt::Key_Delete),
                    QKeySequence(Qt::CTRL | Qt::Key_Minus)};
        case ID_EDIT_MOVE_UP:
            return {QKeySequence(Qt::ALT | Qt::Key_Up)};
        case ID_EDIT_MOVE_DOWN:
            return {QKeySequence(Qt::ALT | Qt::Key_Down)};
        case ID_EDIT_FILL_DOWN:
            return {QKeySequence(Qt::CTRL | Qt::Key_D)};
        default:
            return {};
    }
}

int EditCommandOfKey(const QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const QKeySequence pressed(key->key() | mods);
    for (int id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                   ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL, ID_EDIT_INSERT_CHANNEL,
                   ID_EDIT_DELETE_CHANNEL, ID_EDIT_MOVE_UP, ID_EDIT_MOVE_DOWN, ID_EDIT_FILL_DOWN}) {
        if (EditCommandKeys(id).contains(pressed)) return id;
    }
    return 0;
}
