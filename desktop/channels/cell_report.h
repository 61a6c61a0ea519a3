#pragma once

#include <QCoreApplication>
#include <QString>

#include "core/codec/grid_edits.h"

// The texts a paste or a fill leaves for the user, in English like every message of the
// program, through tr() and arg() so that a translation may reorder them.
class CellReport {
    Q_DECLARE_TR_FUNCTIONS(CellReport)

  public:
    // The one report: the cells that were not stored and why, the names cut to six characters
    // and what of a pasted text fell past the grid's end. `pasted` says "pasted" cells, else
    // "filled" ones. Empty when there is nothing to say.
    static QString Text(bool pasted, const radio::CellsOutcome& outcome, int rowsCut = 0,
                        int colsCut = 0);

    // The status-bar line of a fill that passed over cells of rows without a channel; empty
    // when it passed over none.
    static QString Skipped(int skipped);
};
