#pragma once

#include <QUndoCommand>
#include <cstddef>
#include <optional>

#include "core/codec/grid_edits.h"
#include "core/codec/row_patch.h"
#include "core/image/radio_image.h"

class CProgramDoc;

// One step of a document's undo stack. It keeps the other side of the change: the grid rows
// it touched, the whole image when that changed, and the new-image flag. Undo and redo both
// swap that with the document, so each gives back exactly what was there, byte for byte and
// text for text, without running the change again.
class CDocChangeCommand : public QUndoCommand {
  public:
    // Made after the change: `rows`, `image` and `newImage` hold what was there before.
    // `cells` are shown after a redo, `cellsBefore` after an undo.
    CDocChangeCommand(CProgramDoc& doc, const QString& text, radio::RowPatch rows,
                      std::optional<radio::RadioImage> image, bool newImage,
                      const radio::CellRange& cells, const radio::CellRange& cellsBefore);

    void undo() override;
    void redo() override;

    // What the step holds in memory, in bytes.
    std::size_t MemoryBytes() const;

  private:
    void Swap(const radio::CellRange& shown);

    CProgramDoc& m_doc;
    radio::RowPatch m_rows;
    std::optional<radio::RadioImage> m_image;
    bool m_bNewImage;
    radio::CellRange m_cells;
    radio::CellRange m_cellsBefore;
    bool m_bDone = true;  // the change was made before the step was pushed
};
