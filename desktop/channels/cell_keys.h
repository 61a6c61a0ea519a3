#pragma once

#include <QString>
#include <Qt>

// What a key does in the channel grid, decided in one place from the current cell and the
// state of its editor; the view carries the decision out. Keys of a single cell only: moves
// that extend a selection are not decided here.

// The current cell and its editor as the key finds them.
struct CellKeyState {
    int row = 1;  // the current cell, 1-based like the grid's scrollable cells
    int col = 1;
    int lastRow = 1;  // the last scrollable cell
    int lastCol = 1;
    bool editorOpen = false;
    bool editBox = false;  // the open editor is an edit box, not a list
    // Edit box only: Left / Right can move the caret no further. A whole text selected, as
    // on entering the cell, counts as both edges: arrows then move between cells at once.
    bool atStart = false;
    bool atEnd = false;
};

enum class CellKeyAction {
    Pass,         // the focused widget handles the key as usual
    Ignore,       // swallowed: an arrow at the grid's edge
    Help,         // F1
    Cancel,       // close the editor; the cell keeps its text
    Open,         // open the current cell's editor
    OpenAndType,  // open the editor and hand it the key, which replaces the text
    Commit,       // store the pending edit like Enter, then make (row, col) current
};

struct CellKeyDecision {
    CellKeyAction action = CellKeyAction::Pass;
    int row = 0;  // Commit: the cell to go to once the entry is accepted
    int col = 0;
};

// `text` is the key's text (empty for keys without one).
CellKeyDecision DecideCellKey(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                              const CellKeyState& state);
