// The channel view as a screen reader and the keyboard meet it: editors named after their
// cell, one focus event per move, the end of a transfer said once.

#include <QAccessible>

#include "core/codec/channel_grid.h"
#include "desktop/channels/cell_access.h"
#include "desktop/channels/cell_keys.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/channels/program_view.h"
#include "desktop/document/program_doc.h"

void CProgramView::NameEditor(QWidget* editor) {
    const int row = m_grid->GetRow(), col = m_grid->GetCol();
    editor->setAccessibleName(CCellAccess::CellName(m_grid->Cells(), row, col));
    // A cell marked by a comparison says what it differs from, in words, not only colour.
    editor->setAccessibleDescription(
        m_grid->IsCellMarked(row, col)
            ? m_grid->model()
                  ->data(m_grid->model()->index(row - 1, col - 1), Qt::AccessibleDescriptionRole)
                  .toString()
            : QString());
}

void CProgramView::MoveByKey(const CellKeyState& state, int row, int col) {
    m_bMoving = true;
    // A refused entry keeps the cell current with its editor open again.
    if (!state.editorOpen || CommitCellEdit()) MoveAfterCommit(row, col);
    m_bMoving = false;
    // An editor kept up for a move that did not open another one goes the usual way.
    if (m_pFocusHolder && m_pFocusHolder != GetCellEditor()) {
        QWidget* held = m_pFocusHolder;
        m_pFocusHolder = nullptr;
        const bool hadFocus = held->hasFocus();
        held->hide();
        if (hadFocus) m_grid->setFocus();
    }
    m_pFocusHolder = nullptr;
}

void CProgramView::FocusCurrentCell() {
    if (m_bFirstLayout) return;
    QWidget* editor = GetCellEditor();
    if (editor->isVisible())
        editor->setFocus();
    else
        OpenEditor();
}

void CProgramView::AnnounceTransfer(radio::LinkOutcome outcome) {
    const bool write = m_bTransferWrite;
    QString text;
    switch (outcome) {
        case radio::LinkOutcome::Done:
            if (!write) {
                int used = 0;
                for (int row = 1; row < radio::ChannelGrid::kRows; ++row)
                    used += m_grid->Cells().InUse(row) ? 1 : 0;
                text = used == 1 ? tr("Read complete: 1 channel")
                                 : tr("Read complete: %1 channels").arg(used);
            } else if (!m_verified) {
                text = tr("Write complete");
            } else {
                text = *m_verified ? tr("Write verified")
                                   : tr("Write complete, but the read-back differs");
            }
            break;
        case radio::LinkOutcome::Cancelled:
            text = write ? tr("Write cancelled") : tr("Read cancelled");
            break;
        case radio::LinkOutcome::OpenFailed:
        case radio::LinkOutcome::Failed:
            text = write ? tr("Write failed") : tr("Read failed");
            break;
    }
    m_verified.reset();
    emit Announcement(text);
}
