#include "desktop/channels/cell_keys.h"

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
    switch (key) {
        case Qt::Key_F1:
            return {plain ? CellKeyAction::Help : CellKeyAction::Pass};
        case Qt::Key_F2:
            return {plain && !s.editorOpen ? CellKeyAction::Open : CellKeyAction::Pass};
        case Qt::Key_Escape:
            return {plain && s.editorOpen ? CellKeyAction::Cancel : CellKeyAction::Pass};
        case Qt::Key_Return:
        case Qt::Key_Enter:
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
