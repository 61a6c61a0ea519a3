#include "desktop/document/doc_change_command.h"

#include <utility>

#include "desktop/document/program_doc.h"

CDocChangeCommand::CDocChangeCommand(CProgramDoc& doc, const QString& text, radio::RowPatch rows,
                                     std::optional<radio::RadioImage> image, bool newImage,
                                     const radio::CellRange& cells,
                                     const radio::CellRange& cellsBefore)
    : QUndoCommand(text),
      m_doc(doc),
      m_rows(std::move(rows)),
      m_image(std::move(image)),
      m_bNewImage(newImage),
      m_cells(cells),
      m_cellsBefore(cellsBefore) {}

void CDocChangeCommand::undo() {
    Swap(m_cellsBefore);
    m_bDone = false;
}

void CDocChangeCommand::redo() {
    // QUndoStack::push redoes what is pushed; the change is already in the document then.
    if (m_bDone) return;
    Swap(m_cells);
    m_bDone = true;
}

void CDocChangeCommand::Swap(const radio::CellRange& shown) {
    m_rows.SwapWith(m_doc.m_grid);
    if (m_image) std::swap(*m_image, m_doc.m_image);
    std::swap(m_bNewImage, m_doc.m_bNewImage);
    m_doc.OnStepApplied(shown);
}

std::size_t CDocChangeCommand::MemoryBytes() const {
    // The rows' own bytes are counted by the patch; the command object holds the rest.
    return sizeof(*this) - sizeof(m_rows) + m_rows.MemoryBytes() +
           static_cast<std::size_t>(text().capacity()) * sizeof(QChar);
}
