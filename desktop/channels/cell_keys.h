#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <Qt>

class QKeyEvent;

// What a key does in the channel grid, decided in one place from the current cell and the
// state of its editor; the view carries the decision out. The Edit commands' keys (Ctrl+C,
// Del, ...) belong to the main window's actions; EditCommandKeys names them for both.

// The current cell and its editor as the key finds them.
struct CellKeyState {
    int row = 1;  // the current cell, 1-based like the grid's scrollable cells
    int col = 1;
    int lastRow = 1;  // the last scrollable cell
    int lastCol = 1;
    bool editorOpen = false;
    bool editBox = false;        // the open editor is an edit box, not a list
    bool editorChanged = false;  // the user typed into the open editor or chose in its list
    // Edit box only: Left / Right can move the caret no further. A whole text selected, as
    // on entering the cell, counts as both edges: arrows then move between cells at once.
    bool atStart = false;
    bool atEnd = false;
    int pageRows = 1;  // rows Page Up / Page Down move by: those the grid shows at once
};

enum class CellKeyAction {
    Pass,         // the focused widget handles the key as usual
    Ignore,       // swallowed: an arrow at the grid's edge
    Help,         // F1
    Cancel,       // close the editor; the cell keeps its text
    Open,         // open the current cell's editor
    OpenAndType,  // open the editor and hand it the key, which replaces the text
    Commit,       // store the pending edit like Enter, then make (row, col) current
    Extend,       // Shift+arrow: the selection's far corner moves by (row, col); the current
                  // cell and its untouched editor stay
    Fill,         // Ctrl+Enter, Alt+Enter: the entry into every selected cell; the current cell
                  // and the selection stay
};

struct CellKeyDecision {
    CellKeyAction action = CellKeyAction::Pass;
    int row = 0;  // Commit: the cell to go to once the entry is accepted; Extend: rows to move
    int col = 0;  // Extend: columns to move
};

// `text` is the key's text (empty for keys without one).
CellKeyDecision DecideCellKey(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                              const CellKeyState& state);

// The keys of an Edit command (ID_EDIT_UNDO ... ID_EDIT_SORT), the first one the one menus
// show; empty for other commands.
QList<QKeySequence> EditCommandKeys(int commandId);
// The Edit command whose key this is, or 0. While the user has not typed into the open
// editor, such a key goes to its command; once they have, the editor keeps the keys it knows
// (Ctrl+C copies its text, Del deletes a character).
int EditCommandOfKey(const QKeyEvent* key);
